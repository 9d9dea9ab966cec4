// frmshuju: parameter boxes, their unlocking, and the report writer behind
// "输出数据". The analysis and the file layout live in core/report.
#include "ui/results/frmshuju.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/design_confirm.h"
#include "core/design_limits.h"
#include "core/design_state.h"
#include "core/number_text.h"
#include "core/report.h"
#include "ui/common/controls.h"
#include "ui/common/messages.h"

namespace vm {

namespace {
constexpr int kWidth = 700, kHeight = 330;

// One box: its name, caption and label, the design state's copy of its text,
// and the report figure it gives (none for the allowed speed fluctuation,
// which is checked but not reported).
struct Parameter {
    const char* name;
    const char* caption;
    const char* label_name;
    QLineEdit* frmshuju::*box;
    std::string DesignState::*text;
    double ReportParameters::*figure;
};
// Table order, as in the main window: six boxes on the left, five on the right.
const Parameter kParameters[11] = {
    {"hs_h", "活塞行程", "Label1", &frmshuju::hs_h, &DesignState::hs_h, &ReportParameters::H},
    {"hs_d", "活塞直径", "Label2", &frmshuju::hs_d, &DesignState::hs_d, &ReportParameters::D},
    {"hs_e", "活塞导路扁距", "Label3", &frmshuju::hs_e, &DesignState::hs_e, &ReportParameters::e},
    {"hs_k", "行程速比系数", "Label4", &frmshuju::hs_k, &DesignState::hs_k, &ReportParameters::K},
    {"lg_ak", "连杆重心到A距离系数", "Label5", &frmshuju::lg_ak, &DesignState::lg_ak, &ReportParameters::ak},
    {"qb_g", "曲柄重量", "Label6", &frmshuju::qb_g, &DesignState::qb_g, &ReportParameters::G1},
    {"lg_g", "连杆重量", "Label7", &frmshuju::lg_g, &DesignState::lg_g, &ReportParameters::G2},
    {"hs_g", "活塞重量", "Label8", &frmshuju::hs_g, &DesignState::hs_g, &ReportParameters::G3},
    {"lg_rk", "连杆绕质心半径系数", "Label9", &frmshuju::lg_rk, &DesignState::lg_rk, &ReportParameters::rk},
    {"qb_w", "曲柄转速", "iii", &frmshuju::qb_w, &DesignState::qb_w, &ReportParameters::n},
    {"sd_k", "许用速度不均匀系数", "dses", &frmshuju::sd_k, &DesignState::sd_k, nullptr},
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
    for (int i = 0; i < 11; ++i) {
        const Parameter& p = kParameters[i];
        const bool left_column = i < 6;
        const int row = left_column ? i : i - 6;
        const int y = 24 + row * 46;
        const int label_x = left_column ? 10 : 250;
        const int label_w = left_column ? 130 : 140;
        labels[i] = ui::at(ui::make_label(this, p.label_name, p.caption), label_x, y, label_w, 28);
        labels[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        boxes[i] = ui::at(ui::make_text(this, p.name, ""), label_x + label_w + 8, y, 76, 28);
        this->*p.box = boxes[i];
    }
    for (int i = 1; i < 11; ++i) setTabOrder(boxes[i - 1], boxes[i]);

    reset = ui::at(ui::make_button(this, "reset", "修改参数"), 520, 40, 150, 44);
    ok = ui::at(ui::make_button(this, "ok", "输出数据"), 520, 110, 150, 44);
    Label10 = ui::at(ui::make_label(this, "Label10", "输出数据生成txt文件在执行文件的文件夹中查看"), 520, 170, 160, 80);
    Label10->setWordWrap(true);
    Label10->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    connect(reset, &QPushButton::clicked, this, &frmshuju::reset_Click);
    connect(ok, &QPushButton::clicked, this, &frmshuju::ok_Click);
}

void frmshuju::Form_Load() {
    for (int i = 0; i < 11; ++i) {
        boxes[i]->setText(ui::qs(state_.*kParameters[i].text));
        boxes[i]->setEnabled(false);
    }
}

void frmshuju::reset_Click() {
    for (QLineEdit* b : boxes) b->setEnabled(true);
}

void frmshuju::ok_Click() {
    std::array<std::string, 11> texts;
    for (int i = 0; i < 11; ++i) texts[i] = ui::ss(boxes[i]->text());
    std::array<double, 11> v{};
    if (const auto refusal = check_parameters(texts, &v)) {
        ui::refuse_box(boxes[refusal->index], ui::qs(refusal->message), ui::kTitleError);
        return;
    }
    ReportParameters p;
    for (int i = 0; i < 11; ++i)
        if (kParameters[i].figure) p.*kParameters[i].figure = v[i];

    const ReportResult report = compute_report(p);
    if (!report.ok()) {
        ui::refuse_box(boxes[synthesis_box(report.synthesis_error)], ui::qs(report.error), ui::kTitleError);
        return;
    }
    const WriteResult written = write_reports(QFile::encodeName(report_folder_).toStdString(), report.data);
    if (!written.ok) {
        ui::show_message(this, QStringLiteral("无法写入报告文件：") + ui::qs(written.reason), ui::kTitleError);
        return;
    }
    // The reports describe the design in these boxes. The shared design stays
    // the one the main window confirmed: its dead centres belong with its rod
    // and crank lengths, and a mix of two designs would be neither mechanism.
    ui::show_message(this, written_message(report_folder_), windowTitle());
    close();
}

QString frmshuju::written_message(const QString& folder) {
    const QDir dir(folder);
    auto path = [&](const char* name) { return QDir::toNativeSeparators(dir.absoluteFilePath(QString::fromUtf8(name))); };
    return QStringLiteral("报告已写入：\n%1\n%2").arg(path(kSpeedReportName), path(kForceReportName));
}

}  // namespace vm
