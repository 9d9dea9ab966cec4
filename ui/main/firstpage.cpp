// firstpage: parameter entry, defaults, confirmation with the dimension
// synthesis, and the hub that opens every working window.
#include "ui/main/firstpage.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/design_confirm.h"
#include "core/design_limits.h"
#include "core/design_state.h"
#include "core/kinematics.h"
#include "core/number_text.h"
#include "draw/surface_widget.h"
#include "ui/common/messages.h"
#include "ui/common/window_plumbing.h"
#include "ui/motion/form1.h"
#include "ui/cycle/xunhuan.h"
#include "ui/special/teshu.h"
#include "ui/results/frmshuju.h"
#include "ui/animation/pingmian.h"
#include "ui/cam/tulun.h"
#include "ui/cam/Tlanzhuang.h"

namespace vm {

namespace {
constexpr int kWidth = 1000, kHeight = 640;
constexpr int kPictureWidth = 440;

struct Parameter {
    const char* name;
    const char* caption;
    const char* label_name;
};
// Table order: the first six form the left column, the other five the right one.
constexpr Parameter kParameters[11] = {
    {"hs_h", "活塞行程", "Label1"},
    {"hs_d", "活塞直径", "Label2"},
    {"hs_e", "活塞导路扁距", "Label3"},
    {"hs_k", "行程速比系数", "Label4"},
    {"lg_ak", "连杆重心到A距离系数", "Label5"},
    {"qb_g", "曲柄重量", "Label6"},
    {"lg_g", "连杆重量", "Label7"},
    {"hs_g", "活塞重量", "Label8"},
    {"lg_rk", "连杆绕质心半径系数", "Label9"},
    {"qb_w", "曲柄转速", "iii"},
    {"sd_k", "许用速度不均匀系数", "dses"},
};
}  // namespace

firstpage::firstpage(DesignState& state, QWidget* parent) : QWidget(parent), state_(state) {
    setObjectName(QStringLiteral("firstpage"));
    setWindowTitle(QStringLiteral("Velmarion"));
    setFixedSize(kWidth, kHeight);
    setFont(ui::cjk_font(10));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    build_controls();
    ui::install_window_aids(this, ui::WindowRole::main);
}

void firstpage::build_controls() {
    picture = new draw::SurfaceWidget(kPictureWidth, kHeight, this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->move(0, 0);
    draw_engine_picture(picture->surface());

    auto* title = new QLabel(QStringLiteral("单缸四冲程内燃机机构设计"), this);
    title->setObjectName(QStringLiteral("Title"));
    title->setFont(ui::cjk_font(18, true));
    title->setStyleSheet(QStringLiteral("color: #e8c060;"));
    title->setGeometry(kPictureWidth + 40, 30, 500, 44);

    const QString label_style = QStringLiteral("color: white;");
    QLineEdit** fields[11] = {&hs_h, &hs_d, &hs_e, &hs_k, &lg_ak, &qb_g, &lg_g, &hs_g, &lg_rk, &qb_w, &sd_k};
    for (int i = 0; i < 11; ++i) {
        const Parameter& p = kParameters[i];
        const bool left_column = i < 6;
        const int row = left_column ? i : i - 6;
        const int y = 120 + row * 52;
        const int label_x = left_column ? kPictureWidth + 30 : kPictureWidth + 285;
        const int label_w = left_column ? 130 : 160;
        auto* label = new QLabel(QString::fromUtf8(p.caption), this);
        label->setObjectName(QString::fromLatin1(p.label_name));
        label->setStyleSheet(label_style);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setGeometry(label_x, y, label_w, 28);
        auto* box = new QLineEdit(QString::fromLatin1(kDefaultParameterTexts[std::size_t(i)]), this);
        box->setObjectName(QString::fromLatin1(p.name));
        box->setGeometry(label_x + label_w + 8, y, 78, 28);
        labels[i] = label;
        boxes[i] = box;
        *fields[i] = box;
    }
    for (int i = 1; i < 11; ++i) setTabOrder(boxes[i - 1], boxes[i]);

    auto make_button = [this](const char* name, const char* caption, int x, int y, int w, int h) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(x, y, w, h);
        return b;
    };
    shujuOK = make_button("shujuOK", "数据确认", kPictureWidth + 120, 460, 150, 40);
    MRshuju = make_button("MRshuju", "使用默认数据", kPictureWidth + 300, 460, 150, 40);

    const char* menu[7][2] = {{"PMdonghua", "平面动画演示"},  {"TSweizhi", "特殊位置演示"},
                              {"YDhePH", "运动分析与平衡"},   {"TLsheji", "凸轮设计"},
                              {"XHTyanshi", "工作循环图演示"}, {"CommandButton1", "凸轮安装角"},
                              {"shujushuchu", "相关数据输出"}};
    QPushButton** menu_fields[7] = {&PMdonghua, &TSweizhi, &YDhePH, &TLsheji, &XHTyanshi, &CommandButton1,
                                    &shujushuchu};
    for (int i = 0; i < 7; ++i) {
        *menu_fields[i] = make_button(menu[i][0], menu[i][1], kPictureWidth + 170, 110 + i * 56, 220, 42);
        (*menu_fields[i])->hide();
    }
    fanhui = make_button("fanhui", "返回首页", kWidth - 150, kHeight - 60, 130, 40);
    fanhui->hide();

    connect(shujuOK, &QPushButton::clicked, this, &firstpage::shujuOK_Click);
    connect(MRshuju, &QPushButton::clicked, this, &firstpage::MRshuju_Click);
    connect(fanhui, &QPushButton::clicked, this, &firstpage::fanhui_Click);
    connect(PMdonghua, &QPushButton::clicked, this, &firstpage::PMdonghua_Click);
    connect(TSweizhi, &QPushButton::clicked, this, &firstpage::TSweizhi_Click);
    connect(YDhePH, &QPushButton::clicked, this, &firstpage::YDhePH_Click);
    connect(TLsheji, &QPushButton::clicked, this, &firstpage::TLsheji_Click);
    connect(XHTyanshi, &QPushButton::clicked, this, &firstpage::XHTyanshi_Click);
    connect(CommandButton1, &QPushButton::clicked, this, &firstpage::CommandButton1_Click);
    connect(shujushuchu, &QPushButton::clicked, this, &firstpage::shujushuchu_Click);
    build_file_controls();
}

void firstpage::store_parameters() {
    const std::array<std::string, 11> texts = box_texts();
    for (std::size_t i = 0; i < kParameterFields.size(); ++i) state_.*kParameterFields[i] = texts[i];
}

void firstpage::to_menu_mode() {
    for (QPushButton* b : {PMdonghua, TSweizhi, YDhePH, TLsheji, XHTyanshi, shujushuchu}) b->show();
    CommandButton1->show();
    for (QLineEdit* b : boxes) b->hide();
    shujuOK->hide();
    MRshuju->hide();
    for (QLabel* l : labels) l->hide();
    fanhui->show();
    show_file_controls(true);
}

void firstpage::shujuOK_Click() { confirm_boxes(); }

bool firstpage::confirm_boxes() {
    // Texts that are not numbers, values without physical meaning and designs
    // without a real mechanism are all refused before anything changes: the
    // window stays in entry mode and the state untouched.
    Confirmation c;
    if (!check_boxes(c)) return false;
    to_menu_mode();
    store_parameters();
    store_dimensions({c.state.lg_l, c.state.qb_r, c.state.jd_wai, c.state.jd_nei, 0});
    return true;
}

std::array<std::string, 11> firstpage::box_texts() const {
    std::array<std::string, 11> texts;
    for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = boxes[i]->text().toStdString();
    return texts;
}

bool firstpage::check_boxes(Confirmation& c) {
    c = confirm_parameters(box_texts());
    if (c.ok()) return true;
    ui::refuse_box(boxes[std::size_t(c.box)], QString::fromStdString(c.message), ui::kTitleError);
    return false;
}

void firstpage::MRshuju_Click() {
    for (int i = 0; i < 11; ++i) boxes[i]->setText(QString::fromLatin1(kDefaultParameterTexts[i]));
    store_parameters();
    to_menu_mode();
    store_dimensions(dimension_synthesis(val(state_.hs_h), val(state_.hs_k), val(state_.hs_e)).value);
}

void firstpage::store_dimensions(const Synthesis& s) {
    state_.lg_l = s.l;
    state_.qb_r = s.r;
    state_.jd_wai = s.jd_wai;
    state_.jd_nei = s.jd_nei;
    state_.confirmed = true;
}

void firstpage::fanhui_Click() {
    for (QPushButton* b : {PMdonghua, TSweizhi, YDhePH, TLsheji, XHTyanshi, shujushuchu}) b->hide();
    for (QLineEdit* b : boxes) b->show();
    shujuOK->show();
    MRshuju->show();
    for (QLabel* l : labels) l->show();
    fanhui->hide();
    CommandButton1->hide();
    show_file_controls(false);
}

void firstpage::open_window(ui::WorkingWindow* w) {
    current_ = w;
    connect(w, &ui::WorkingWindow::closed, this, [this] { show(); });
    w->show();
    hide();
}

// The seven working windows; each reads the design state itself when it loads.
void firstpage::PMdonghua_Click() { open_window(new pingmian(state_)); }
void firstpage::TSweizhi_Click() { open_window(new teshu(state_)); }
void firstpage::YDhePH_Click() { open_window(new Form1(state_)); }
void firstpage::TLsheji_Click() { open_window(new tulun(state_)); }
void firstpage::XHTyanshi_Click() { open_window(new xunhuan(state_)); }
void firstpage::CommandButton1_Click() { open_window(new Tlanzhuang(state_)); }
void firstpage::shujushuchu_Click() { open_window(new frmshuju(state_)); }

}  // namespace vm
