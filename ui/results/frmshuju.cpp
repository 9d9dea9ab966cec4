// frmshuju: parameter boxes, their unlocking, and the report writer behind
// "输出数据". The analysis and the file layout live in core/report.
#include "ui/results/frmshuju.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/design_state.h"
#include "core/number_text.h"
#include "core/report.h"
#include "ui/common/messages.h"

namespace vm {

namespace {
constexpr int kWidth = 700, kHeight = 330;

struct Parameter {
    const char* name;
    const char* caption;
    const char* label_name;
};
// Table order, as in the main window: six boxes on the left, five on the right.
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

frmshuju::frmshuju(DesignState& state, QWidget* parent)
    : ui::WorkingWindow(parent), state_(state), report_folder_(QCoreApplication::applicationDirPath()) {
    setObjectName(QStringLiteral("frmshuju"));
    setWindowTitle(QStringLiteral("数据输出"));
    setFixedSize(kWidth, kHeight);
    build_controls();
    Form_Load();
}

void frmshuju::build_controls() {
    QLineEdit** fields[11] = {&hs_h, &hs_d, &hs_e, &hs_k, &lg_ak, &qb_g, &lg_g, &hs_g, &lg_rk, &qb_w, &sd_k};
    for (int i = 0; i < 11; ++i) {
        const Parameter& p = kParameters[i];
        const bool left_column = i < 6;
        const int row = left_column ? i : i - 6;
        const int y = 24 + row * 46;
        const int label_x = left_column ? 10 : 250;
        const int label_w = left_column ? 130 : 140;
        auto* label = new QLabel(QString::fromUtf8(p.caption), this);
        label->setObjectName(QString::fromLatin1(p.label_name));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setGeometry(label_x, y, label_w, 28);
        auto* box = new QLineEdit(this);
        box->setObjectName(QString::fromLatin1(p.name));
        box->setGeometry(label_x + label_w + 8, y, 76, 28);
        labels[i] = label;
        boxes[i] = box;
        *fields[i] = box;
    }
    for (int i = 1; i < 11; ++i) setTabOrder(boxes[i - 1], boxes[i]);

    reset = new QPushButton(QStringLiteral("修改参数"), this);
    reset->setObjectName(QStringLiteral("reset"));
    reset->setGeometry(520, 40, 150, 44);
    ok = new QPushButton(QStringLiteral("输出数据"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setGeometry(520, 110, 150, 44);
    Label10 = new QLabel(QStringLiteral("输出数据生成txt文件在执行文件的文件夹中查看"), this);
    Label10->setObjectName(QStringLiteral("Label10"));
    Label10->setWordWrap(true);
    Label10->setGeometry(520, 170, 160, 80);
    Label10->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    connect(reset, &QPushButton::clicked, this, &frmshuju::reset_Click);
    connect(ok, &QPushButton::clicked, this, &frmshuju::ok_Click);
}

void frmshuju::Form_Load() {
    const std::string* fields[11] = {&state_.hs_h, &state_.hs_d, &state_.hs_e, &state_.hs_k,
                                     &state_.lg_ak, &state_.qb_g, &state_.lg_g, &state_.hs_g,
                                     &state_.lg_rk, &state_.qb_w, &state_.sd_k};
    for (int i = 0; i < 11; ++i) {
        boxes[i]->setText(QString::fromStdString(*fields[i]));
        boxes[i]->setEnabled(false);
    }
}

void frmshuju::reset_Click() {
    for (QLineEdit* b : boxes) b->setEnabled(true);
}

void frmshuju::ok_Click() {
    double v[11];
    for (int i = 0; i < 11; ++i) {
        const auto n = to_number(boxes[i]->text().toStdString());
        if (!n) {
            ui::show_message(this, QStringLiteral("请输入数据"), ui::kTitleError);
            return;
        }
        v[i] = *n;
    }
    ReportParameters p;
    p.H = v[0];
    p.D = v[1];
    p.e = v[2];
    p.K = v[3];
    p.ak = v[4];
    p.G1 = v[5];
    p.G2 = v[6];
    p.G3 = v[7];
    p.rk = v[8];
    p.n = v[9];
    // v[10], the allowed speed fluctuation, is checked but not reported.

    const ReportResult report = compute_report(p);
    if (!report.ok()) {
        ui::show_message(this, QString::fromStdString(report.error), ui::kTitleError);
        return;
    }
    const auto failed = write_reports(QFile::encodeName(report_folder_).toStdString(), report.data);
    if (failed) {
        ui::show_message(this, QStringLiteral("无法写入报告文件：") + QFile::decodeName(failed->c_str()),
                         ui::kTitleError);
        return;
    }
    // Only the dead centres of these boxes go back into the design state.
    state_.jd_wai = report.data.jd_wai;
    state_.jd_nei = report.data.jd_nei;
    close();
}

}  // namespace vm
