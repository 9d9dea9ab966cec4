// The main window's design files and exports: "保存设计…", "打开设计…" and
// "选择方案…" in entry mode, "导出设计文档…" in menu mode, and the file name
// in the title bar.
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <string_view>

#include "core/cam_profile.h"
#include "core/course_document.h"
#include "core/design_confirm.h"
#include "core/design_state.h"
#include "core/number_text.h"
#include "io/data_groups.h"
#include "io/design_file.h"
#include "report/course_export.h"
#include "ui/common/messages.h"
#include "ui/common/window_plumbing.h"
#include "ui/main/design_dialogs.h"
#include "ui/main/firstpage.h"

namespace vm {

namespace {
using ui::qs;
using ui::ss;

const QString kDesignFilter = QStringLiteral("设计文件 (*.vmdesign)");
const QString kGroupFilter = QStringLiteral("方案表 (*.csv)");
const QString kExportTitle = QStringLiteral("导出设计文档");
const QString kAppName = QStringLiteral("Velmarion");

QString qs_view(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }
}  // namespace

void firstpage::build_file_controls() {
    auto make_button = [this](const char* name, const char* caption, QRect where) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(where);
        return b;
    };
    // Entry mode: a second row under "数据确认" and "使用默认数据", centred on them.
    const int w = 150, h = 36, gap = 15;
    const int centre = (shujuOK->geometry().left() + MRshuju->geometry().right()) / 2;
    const int left = centre - (3 * w + 2 * gap) / 2, y = shujuOK->geometry().bottom() + 24;
    baocun = make_button("baocun", "保存设计…", {left, y, w, h});
    dakai = make_button("dakai", "打开设计…", {left + w + gap, y, w, h});
    xuanfang = make_button("xuanfang", "选择方案…", {left + 2 * (w + gap), y, w, h});
    // Menu mode: under the seven working windows, twice their gap below the last.
    const QRect last = shujushuchu->geometry();
    const int menu_gap = shujushuchu->y() - CommandButton1->geometry().bottom() - 1;
    daochu = make_button("daochu", "导出设计文档…", last.translated(0, last.height() + 2 * menu_gap));
    daochu->hide();

    connect(baocun, &QPushButton::clicked, this, &firstpage::baocun_Click);
    connect(dakai, &QPushButton::clicked, this, &firstpage::dakai_Click);
    connect(xuanfang, &QPushButton::clicked, this, &firstpage::xuanfang_Click);
    connect(daochu, &QPushButton::clicked, this, &firstpage::daochu_Click);
}

void firstpage::show_file_controls(bool menu_mode) {
    for (QPushButton* b : {baocun, dakai, xuanfang}) b->setVisible(!menu_mode);
    daochu->setVisible(menu_mode);
}

io::DesignInputs firstpage::current_inputs() const {
    io::DesignInputs in;
    in.parameters = box_texts();
    in.cam = {state_.cam_high, state_.cam_base, state_.cam_offset, state_.cam_roll};
    in.force_angle = state_.force_angle;
    in.export_positions = state_.export_positions;
    return in;
}

void firstpage::show_file_name(const QString& path) {
    file_ = path;
    setWindowTitle(path.isEmpty() ? kAppName : kAppName + QStringLiteral(" — ") + QFileInfo(path).fileName());
}

bool firstpage::save_design_file(const QString& path) {
    // Only a design that "数据确认" accepts is saved, with the same refusal, so
    // that every saved file opens and confirms again.
    Confirmation c;
    if (!check_boxes(c)) return false;
    const WriteResult w = io::save_design(ss(path), current_inputs());
    if (!w.ok) {
        ui::show_message(this, QStringLiteral("无法保存设计文件 %1：%2").arg(path, qs(w.reason)), ui::kTitleError);
        return false;
    }
    show_file_name(path);
    return true;
}

bool firstpage::open_design_file(const QString& path) {
    const io::DesignRead r = io::open_design(ss(path));
    if (!r.inputs) {
        ui::show_message(this, QStringLiteral("%1\n文件：%2").arg(qs(r.error), path), ui::kTitleError);
        return false;
    }
    // The file read whole: its texts replace the boxes and the other windows'
    // inputs, then the boxes are confirmed as typed ones are.
    if (!shujuOK->isVisibleTo(this)) fanhui_Click();
    const io::DesignInputs& in = *r.inputs;
    for (std::size_t i = 0; i < in.parameters.size(); ++i) boxes[i]->setText(qs(in.parameters[i]));
    state_.cam_high = in.cam[0], state_.cam_base = in.cam[1], state_.cam_offset = in.cam[2], state_.cam_roll = in.cam[3];
    state_.force_angle = in.force_angle;
    state_.export_positions = in.export_positions;
    show_file_name(path);
    return confirm_boxes();
}

void firstpage::baocun_Click() {
    const QString start = !file_.isEmpty()
                              ? file_
                              : ui::documents_folder() + QLatin1Char('/') +
                                    (suggested_name_.empty() ? QStringLiteral("设计") : qs(suggested_name_)) +
                                    qs_view(io::kDesignExtension);
    QString name = ui::ask_save_file(this, QStringLiteral("保存设计"), start, kDesignFilter);
    if (name.isEmpty()) return;
    if (!name.endsWith(qs_view(io::kDesignExtension), Qt::CaseInsensitive)) name += qs_view(io::kDesignExtension);
    save_design_file(name);
}

void firstpage::dakai_Click() {
    const QString start = file_.isEmpty() ? ui::documents_folder() : QFileInfo(file_).absolutePath();
    const QString name = ui::ask_open_file(this, QStringLiteral("打开设计"), start, kDesignFilter);
    if (!name.isEmpty()) open_design_file(name);
}

void firstpage::xuanfang_Click() {
    const QString name = ui::ask_open_file(this, QStringLiteral("选择方案"), ui::documents_folder(), kGroupFilter);
    if (name.isEmpty()) return;
    const io::GroupTable table = io::read_group_table(ss(name));
    if (!table.error.empty()) {
        ui::show_message(this, QStringLiteral("%1\n文件：%2").arg(qs(table.error), name), ui::kTitleDataError);
        return;
    }
    if (!table.problems.empty() || table.groups.empty()) {
        // Every bad row in one message; the good rows stay to choose from.
        QString text = QStringLiteral("方案表 %1 中有 %2 行无法使用：\n")
                           .arg(QFileInfo(name).fileName())
                           .arg(table.problems.size()) +
                       qs(io::problems_text(table));
        if (table.groups.empty())
            text = table.problems.empty() ? QStringLiteral("方案表 %1 中没有方案").arg(QFileInfo(name).fileName())
                                          : text + QStringLiteral("表中没有可用的方案");
        else
            text += QStringLiteral("其余 %1 组方案可以选择").arg(table.groups.size());
        ui::show_message(this, text, ui::kTitleDataError);
        if (table.groups.empty()) return;
    }
    const int chosen = ui::ask_group(this, table.groups);
    if (chosen < 0 || std::size_t(chosen) >= table.groups.size()) return;
    const io::DataGroup& g = table.groups[std::size_t(chosen)];
    for (std::size_t i = 0; i < g.parameters.size(); ++i) boxes[i]->setText(qs(g.parameters[i]));
    // The boxes no longer hold the file of the title bar; saving offers the group's name.
    suggested_name_ = g.name;
    show_file_name({});
}

void firstpage::daochu_Click() {
    // The cam texts come from the cam window or a design file; one that is no
    // number would silently read as 0, which is a valid offset.
    const std::array<std::string, 4> cam_texts{state_.cam_high, state_.cam_base, state_.cam_offset, state_.cam_roll};
    std::size_t bad = 0;
    const auto cam = cam_inputs_of(cam_texts, &bad);
    if (!cam) {
        ui::show_message(this,
                         QStringLiteral("凸轮参数 %1 的值“%2”不是数字，请在“凸轮设计”中改正后再导出")
                             .arg(qs_view(io::kCamBoxes[bad]), qs(cam_texts[bad])),
                         ui::kTitleDataError);
        return;
    }
    const QString folder = ui::ask_folder(this, QStringLiteral("选择存放设计文档的文件夹"), ui::documents_folder());
    if (folder.isEmpty()) return;
    const auto positions = ui::ask_positions(this, state_.export_positions);
    if (!positions) return;
    state_.export_positions = *positions;

    CourseOptions options;
    options.positions = *positions;
    options.cam = *cam;
    // The worker writes from a copy; the windows keep the state to themselves.
    const DesignState design = state_;
    const std::string out = ss(folder);
    report::ExportResult result;
    ui::run_with_progress(this, kExportTitle, QStringLiteral("正在写入设计说明书、表格与文本报告……"), [&] {
        try {
            result = report::export_course_design(design, options, report::kAllFormats, out);
        } catch (const std::exception& e) {
            result.ok = false;
            result.message = std::string("无法导出设计文档：") + e.what();
        }
    });
    ui::show_message(this, qs(result.message), result.ok ? kExportTitle : ui::kTitleError);
}

}  // namespace vm
