// teshu: controls, confirmation, special positions, animation and curve
// triggers of the special-positions window (pictures in teshu_draw.cpp).
#include "ui/special/teshu.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cmath>
#include <vector>

#include "core/design_state.h"
#include "core/number_text.h"
#include "core/special_curves.h"
#include "draw/surface_widget.h"
#include "ui/common/controls.h"
#include "ui/common/messages.h"
#include "ui/common/twips.h"
#include "ui/common/vb_scroll_bar.h"
#include "ui/special/teshu_draw.h"

namespace vm {

namespace {
using special::kPiSpecial;
namespace view = special_view;

constexpr int kWidth = 1024, kHeight = 740;
constexpr int kTickMs = 100;
constexpr int kDefaultSpeed = 50;  // r/min
constexpr double kMaxAngle = 100000;  // degrees either way
// Curve sample steps: the three curves together, and a single one alone.
constexpr double kStepAllCurves = kPiSpecial / 3000;
constexpr double kStepDisplacement = kPiSpecial / 3000;
constexpr double kStepSingle = kPiSpecial / 5000;
// The three curves in the order of their labels (Label12..14) and markers (Shape1..3).
constexpr view::Curve kCurves[3] = {view::Curve::Displacement, view::Curve::Velocity,
                                    view::Curve::Acceleration};

const QString kNotAMechanism = QStringLiteral("该参数无法构成曲柄滑块机构");

QString fmt(double x) { return ui::qs(format_00_00(x)); }

constexpr int kBoxHeight = 22;  // px, every text box and the output captions
QLineEdit* output_box(QWidget* parent, const char* name, int x, int y, int w) {
    auto* b = ui::at(ui::make_text(parent, name, ""), x, y, w, kBoxHeight);
    b->setReadOnly(true);
    return b;
}
}  // namespace

teshu::teshu(DesignState& state, QWidget* parent) : ui::WorkingWindow(parent), state_(state) {
    setObjectName(QStringLiteral("teshu"));
    setWindowTitle(QStringLiteral("十五个点的位置"));
    setFixedSize(kWidth, kHeight);
    build_controls();
    build_outputs();
    build_curve_area();

    // Load: the design parameters of the main window, crank angle 0.
    Text1->setText(ui::qs(state_.hs_h));
    Text2->setText(ui::qs(state_.hs_d));
    Text4->setText(ui::qs(state_.hs_e));
    Text5->setText(ui::qs(state_.hs_k));
    st_.step = special::crank_step(kDefaultSpeed);
}

void teshu::build_controls() {
    auto label = [this](const char* name, const char* caption, int x, int y, int w) {
        return ui::at(ui::make_label(this, name, caption), x, y, w, 20);
    };
    auto box = [this](const char* name, int x, int y, int w) {
        return ui::at(ui::make_text(this, name, ""), x, y, w, kBoxHeight);
    };
    auto button = [this](const char* name, const char* caption, int x, int y, int w) {
        return ui::at(ui::make_button(this, name, caption), x, y, w, 28);
    };

    // Inputs down the left edge, each caption above its box.
    Label1 = label("Label1", "活塞行程H  （m m）", 4, 6, 146);
    Text1 = box("Text1", 4, 26, 144);
    Label2 = label("Label2", "活塞直径D  （m m）", 4, 52, 146);
    Text2 = box("Text2", 4, 72, 144);
    Label3 = label("Label3", "与X轴夹角θ （o ）", 4, 98, 146);
    Text3 = box("Text3", 4, 118, 144);
    Text3->setText(QStringLiteral("0"));
    Label4 = label("Label4", "偏心距E   （m m）", 4, 144, 146);
    Text4 = box("Text4", 4, 164, 144);
    Label5 = label("Label5", "行程速比K", 4, 190, 146);
    Text5 = box("Text5", 4, 210, 144);

    Command1 = button("Command1", "确定", 4, 242, 70);
    Command4 = button("Command4", "默认", 78, 242, 70);
    Command2 = button("Command2", "重置", 4, 274, 70);
    Command3 = button("Command3", "清屏", 78, 274, 70);
    Command9 = button("Command9", "返回", 4, 700, 144);

    // Special positions and the animation along the top right.
    Label18 = label("Label18", "极限点：", 556, 12, 60);
    Command5 = button("Command5", "最高点", 620, 8, 96);
    Command6 = button("Command6", "最低点", 720, 8, 96);
    Command7 = button("Command7", "左最快点", 820, 8, 96);
    Command8 = button("Command8", "右最快点", 920, 8, 96);
    Label15 = label("Label15", "调速", 556, 46, 40);
    Label16 = label("Label16", "慢", 600, 46, 16);
    HScroll1 = new ui::VbScrollBar(Qt::Horizontal, this);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    HScroll1->setGeometry(618, 46, 180, 20);
    HScroll1->set_range(0, 1500);
    HScroll1->set_steps(1, 10);
    HScroll1->set_value(kDefaultSpeed);
    Label17 = label("Label17", "快", 802, 46, 16);
    Label21 = label("Label21", "r/min", 822, 46, 40);
    Command10 = button("Command10", "运转", 870, 42, 70);
    Command11 = button("Command11", "暂停", 946, 42, 70);
    Label24 = label("Label24", "总共转过的度数：", 556, 82, 112);
    Text12 = output_box(this, "Text12", 670, 81, 96);
    Command12 = button("Command12", "画曲线图", 920, 78, 96);

    enable_after_confirmation(false);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));

    connect(Command1, &QPushButton::clicked, this, &teshu::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &teshu::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &teshu::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &teshu::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &teshu::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &teshu::Command6_Click);
    connect(Command7, &QPushButton::clicked, this, &teshu::Command7_Click);
    connect(Command8, &QPushButton::clicked, this, &teshu::Command8_Click);
    connect(Command9, &QPushButton::clicked, this, &teshu::Command9_Click);
    connect(Command10, &QPushButton::clicked, this, &teshu::Command10_Click);
    connect(Command11, &QPushButton::clicked, this, &teshu::Command11_Click);
    connect(Command12, &QPushButton::clicked, this, &teshu::Command12_Click);
    connect(HScroll1, &ui::VbScrollBar::changed, this, &teshu::HScroll1_Change);
    connect(Text3, &QLineEdit::textChanged, this, &teshu::Text3_Change);
    connect(Timer1, &QTimer::timeout, this, &teshu::Timer1_Timer);
}

void teshu::build_outputs() {
    auto label = [this](const char* name, const char* caption, int x, int y, int w) {
        return ui::at(ui::make_label(this, name, caption), x, y, w, kBoxHeight);
    };
    Label6 = label("Label6", "连杆长L(mm)", 4, 318, 80);
    Text6 = output_box(this, "Text6", 86, 318, 62);
    Text6->setText(QStringLiteral("441.85"));
    Label7 = label("Label7", "曲柄长R(mm)", 4, 346, 80);
    Text7 = output_box(this, "Text7", 86, 346, 62);
    Text7->setText(QStringLiteral("111.73"));
    Label8 = label("Label8", "A点坐标 X", 4, 384, 70);
    Text8 = output_box(this, "Text8", 76, 384, 72);
    Label9 = label("Label9", "Y", 60, 410, 14);
    Text9 = output_box(this, "Text9", 76, 410, 72);
    Label10 = label("Label10", "B点坐标 X", 4, 446, 70);
    Text10 = output_box(this, "Text10", 76, 446, 72);
    Label11 = label("Label11", "Y", 60, 472, 14);
    Text11 = output_box(this, "Text11", 76, 472, 72);

    Label25 = label("Label25", "位移值 S", 556, 638, 70);
    Text15 = output_box(this, "Text15", 630, 638, 110);
    Label26 = label("Label26", "m m", 746, 638, 60);
    Label19 = label("Label19", "速度   V", 556, 666, 70);
    Text13 = output_box(this, "Text13", 630, 666, 110);
    Label22 = label("Label22", "m m/s", 746, 666, 60);
    Label20 = label("Label20", "加速度 α", 556, 694, 70);
    Text14 = output_box(this, "Text14", 630, 694, 110);
    Label23 = label("Label23", "m m/s^2", 746, 694, 60);
}

void teshu::build_curve_area() {
    Picture1 = new draw::SurfaceWidget(ui::twips(6000), ui::twips(11000), this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    ui::place_twips(Picture1, 2280, 0, 6000, 11000);
    view::set_mechanism_scale(Picture1->surface());

    Picture2 = new draw::SurfaceWidget(ui::twips(6960), ui::twips(7320), this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    ui::place_twips(Picture2, 8280, 1680, 6960, 7320);
    draw::DrawingSurface& s = Picture2->surface();
    view::set_diagram_scale(s);
    // The markers wear their curves' colours; hidden until a confirmation places them.
    int* shapes[3] = {&Shape1, &Shape2, &Shape3};
    for (int i = 0; i < 3; ++i) {
        draw::ShapeElement e;
        e.kind = draw::ShapeKind::Circle;
        e.width = e.height = ui::twips(135);
        e.border = e.fill = view::curve_colour(kCurves[i]);
        e.visible = false;
        *shapes[i] = s.add_shape_element(e);
    }

    auto curve_label = [this](const char* name, const char* caption, int x, draw::Colour c) {
        auto* l = new ui::ClickableLabel(QString::fromUtf8(caption), this);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(x, 606, 156, 22);
        l->setCursor(Qt::PointingHandCursor);
        l->setStyleSheet(QStringLiteral("color: #%1%2%3;")
                             .arg(c & 255, 2, 16, QLatin1Char('0'))
                             .arg((c >> 8) & 255, 2, 16, QLatin1Char('0'))
                             .arg((c >> 16) & 255, 2, 16, QLatin1Char('0')));
        return l;
    };
    Label12 = curve_label("Label12", "位移曲线图  （红线)", 556, view::kRed);
    Label13 = curve_label("Label13", "速度曲线图   (蓝线)", 712, view::kBlue);
    Label14 = curve_label("Label14", "加速度曲线图   (粉红线)", 864, view::kMagenta);
    connect(Label12, &ui::ClickableLabel::clicked, this, &teshu::Label12_Click);
    connect(Label13, &ui::ClickableLabel::clicked, this, &teshu::Label13_Click);
    connect(Label14, &ui::ClickableLabel::clicked, this, &teshu::Label14_Click);
}

std::optional<SpecialPositionState> teshu::checked_inputs() {
    QLineEdit* boxes[5] = {Text1, Text2, Text3, Text4, Text5};
    double v[5];
    for (int i = 0; i < 5; ++i) {
        const auto n = to_number(ui::ss(boxes[i]->text()));
        if (!n) {
            ui::refuse_box(boxes[i], QStringLiteral("请输入数字"), ui::kTitleDataError);
            return std::nullopt;
        }
        v[i] = *n;
    }
    SpecialPositionState in = st_;
    in.H = v[0];
    in.D = v[1];
    in.E = v[3];
    in.K = v[4];
    const double theta = v[2];
    const char* range = nullptr;
    QLineEdit* refused = nullptr;
    if (in.H > 400 || in.H < 0)
        range = "请输入0～400之间的活塞行程", refused = Text1;
    else if (in.D > 600 || in.D < 0)
        range = "请输入0～600之间的活塞半径", refused = Text2;
    else if (in.E > 200 || in.E < 0)
        range = "请输入0～200之间的偏心距", refused = Text4;
    else if (in.K > 15 || in.K < 0)
        range = "请输入0～15之间的行程速比", refused = Text5;
    else if (std::fabs(theta) > kMaxAngle)
        range = "请输入-100000～100000之间的角度", refused = Text3;
    if (range) {
        ui::refuse_box(refused, QString::fromUtf8(range), ui::kTitleDataError);
        return std::nullopt;
    }
    in.phi = -theta * kPiSpecial / 180;
    return in;
}

bool teshu::confirm() {
    // Everything is checked before anything is cleared or taken over, so a
    // rejected input leaves the picture, the values and a running animation as
    // they were.
    auto in = checked_inputs();
    if (!in) return false;
    const auto mech = special::solve_dimensions(in->H, in->E, in->K);
    if (!mech || !special::slider_at(*mech, in->phi)) {
        stop_with_message();
        return false;
    }
    Timer1->stop();
    draw::DrawingSurface& p1 = Picture1->surface();
    p1.clear();
    // Curves of another design may stay on the diagram, but they are not this
    // design's curves: "画曲线图" must draw these.
    if (mech->L != st_.mech.L || mech->R != st_.mech.R || mech->E != st_.mech.E || in->H != st_.H)
        for (bool& c : curve_drawn_) c = false;
    st_ = *in;
    st_.mech = *mech;
    st_.view = special::mechanism_view(*mech, st_.D, p1.width_px(), p1.height_px());
    st_.scales = special::curve_scales(*mech, st_.H);
    view::set_mechanism_scale(p1, st_.view);
    Picture2->surface().set_line_width(2);

    st_.step = special::crank_step(HScroll1->value());
    Text3->setText(fmt(-st_.phi * 180 / kPiSpecial));
    show_position();

    // The frame is printed once per cleared diagram: printed again, its
    // antialiased names would thicken into blots.
    if (!frame_drawn_) {
        view::draw_curve_frame(Picture2->surface());
        frame_drawn_ = true;
    }
    place_markers(to_number(ui::ss(Text3->text())).value_or(0) * kPiSpecial / 180);

    Timer1->setInterval(kTickMs);
    enable_after_confirmation(true);
    st_.confirmed = true;
    return true;
}

bool teshu::show_position() {
    const auto pos = special::slider_at(st_.mech, st_.phi);
    if (!pos) return false;
    st_.pos = *pos;
    st_.motion = special::slider_motion(*pos, special::crank_omega(st_.step));
    Text6->setText(fmt(st_.mech.L));
    Text7->setText(fmt(st_.mech.R));
    draw::DrawingSurface& p1 = Picture1->surface();
    Text8->setText(fmt(st_.pos.xA));
    Text9->setText(fmt(st_.pos.yA));
    Text10->setText(fmt(st_.pos.xB));
    Text11->setText(fmt(st_.pos.yB));
    Text13->setText(fmt(st_.motion.V));
    Text14->setText(fmt(st_.motion.shown_acceleration));
    Text15->setText(fmt(st_.pos.S));
    // The names go where the drawn mechanism leaves room, in its colour.
    const draw::Colour colour = p1.fore_colour();
    view::draw_mechanism(p1, st_.mech, st_.pos, st_.D, st_.view);
    p1.set_fore_colour(colour);
    view::label_joints(p1, st_.pos);
    p1.set_fore_colour(view::kBlack);
    return true;
}

void teshu::place_markers(double x) {
    const auto places = special::marker_places(st_.mech, st_.H, x, st_.scales);
    if (!places) return;
    st_.x_marker = places->x;
    draw::DrawingSurface& s = Picture2->surface();
    view::set_diagram_scale(s);
    s.place_shape_element(Shape1, places->left, places->displacement_top);
    s.place_shape_element(Shape2, places->left, places->velocity_top);
    s.place_shape_element(Shape3, places->left, places->acceleration_top);
    for (int i : {Shape1, Shape2, Shape3}) s.set_element_visible_shape(i, true);
}

void teshu::enable_after_confirmation(bool on) {
    for (QPushButton* b : {Command5, Command6, Command7, Command8, Command10, Command11, Command12})
        b->setEnabled(on);
}

void teshu::stop_with_message() {
    Timer1->stop();
    ui::show_message(this, kNotAMechanism, ui::kTitleDataError);
}

void teshu::Command1_Click() { confirm(); }

void teshu::Command2_Click() {
    for (QLineEdit* b : {Text1, Text2, Text3, Text4, Text5}) b->clear();
    Label15->setText(QStringLiteral("调速"));
}

void teshu::Command3_Click() {
    Picture1->surface().clear();
    clear_diagram();
}

void teshu::clear_diagram() {
    Picture2->surface().clear();
    frame_drawn_ = false;
    for (bool& c : curve_drawn_) c = false;
}

void teshu::draw_missing_curves(const std::vector<int>& which, double delta) {
    std::vector<view::Curve> curves;
    for (int i : which) {
        if (curve_drawn_[i]) continue;
        curves.push_back(kCurves[i]);
        curve_drawn_[i] = true;
    }
    if (!curves.empty())
        view::draw_curves(Picture2->surface(), st_.mech, st_.H, st_.scales, curves, delta);
}

void teshu::Command4_Click() {
    Text1->setText(QStringLiteral("225"));
    Text2->setText(QStringLiteral("170"));
    Text3->setText(QStringLiteral("0"));
    Text4->setText(QStringLiteral("50"));
    Text5->setText(QStringLiteral("1.04"));
}

void teshu::go_to_position(unsigned colour, double theta) {
    // A refused confirmation leaves the angle the student had typed.
    const QString typed = Text3->text();
    Picture1->surface().set_fore_colour(colour);
    Text3->setText(ui::qs(plain(theta)));
    if (!confirm()) Text3->setText(typed);
}

void teshu::Command5_Click() { go_to_position(view::kBlue, special::top_dead_centre_theta(st_.mech)); }

void teshu::Command6_Click() {
    go_to_position(view::kBlue, special::bottom_dead_centre_theta(st_.mech));
}

void teshu::Command7_Click() {
    go_to_position(view::kMagenta,
                   special::left_fastest_theta(st_.mech, special::crank_omega(st_.step)));
}

void teshu::Command8_Click() {
    go_to_position(view::kMagenta,
                   special::right_fastest_theta(st_.mech, special::crank_omega(st_.step)));
}

void teshu::Command9_Click() { close(); }

void teshu::Command10_Click() {
    const int n = HScroll1->value();
    Label15->setText(QString::number(n));
    st_.step = special::crank_step(n);
    Timer1->start();
}

void teshu::Command11_Click() { Timer1->stop(); }

void teshu::Command12_Click() {
    // Acceleration, velocity, displacement at each angle; a curve already on
    // the diagram is not drawn over itself.
    draw_missing_curves({2, 1, 0}, kStepAllCurves);
}

void teshu::HScroll1_Change(int value) {
    Label15->setText(QString::number(value));
    st_.step = special::crank_step(value);
}

void teshu::Text3_Change(const QString& text) { Command1->setEnabled(!text.isEmpty()); }

void teshu::single_curve(int which) {
    if (!st_.confirmed) return;
    clear_diagram();
    draw_missing_curves({which}, which == 0 ? kStepDisplacement : kStepSingle);
    confirm();
}

void teshu::Label12_Click() { single_curve(0); }
void teshu::Label13_Click() { single_curve(1); }
void teshu::Label14_Click() { single_curve(2); }

void teshu::Timer1_Timer() {
    if (!st_.confirmed) return;
    st_.phi -= st_.step;
    Picture1->surface().clear();
    if (!show_position()) {
        stop_with_message();
        return;
    }
    const double total = -st_.phi * 180 / kPiSpecial;
    Text3->setText(fmt(static_cast<double>(vb_mod(total, 360).value_or(0))));
    Text12->setText(fmt(total));
    place_markers(special::marker_angle(val(ui::ss(Text12->text()))));
    Picture1->surface().set_fore_colour(view::kBlue);
}

}  // namespace vm
