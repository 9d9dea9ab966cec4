// Quality tab of the cam window: reads the allowed pressure angles, analyses the
// accepted cam, draws its curves and fills the table of extreme values.
#include "ui/cam/cam_quality_tab.h"

#include <QColor>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "core/number_text.h"
#include "draw/surface_widget.h"
#include "ui/cam/cam_quality_plot.h"
#include "ui/common/controls.h"
#include "ui/common/messages.h"
#include "ui/common/twips.h"
#include "ui/common/window_plumbing.h"

namespace vm::cam {

namespace {
using ui::qs;
using ui::ss;
}  // namespace

QLabel* make_warning_label(QWidget* parent, const char* name) {
    QLabel* l = ui::make_label(parent, name, "");
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setStyleSheet(QStringLiteral("color: #ff0000;"));
    return l;
}

void show_warning(QLabel* label, const QString& text) {
    label->setText(text);
    label->setToolTip(text);
    for (double pt = 9; pt >= 7; pt -= 0.5) {
        label->setFont(ui::cjk_font(pt));
        if (label->heightForWidth(label->width()) <= label->height()) break;
    }
}

QualityTab::QualityTab(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("zl_page"));
    // Positions in twips within the page, below the tab captions.
    zl_pic = new draw::SurfaceWidget(ui::twips(6600), ui::twips(7800), this);
    zl_pic->setObjectName(QStringLiteral("zl_pic"));
    ui::place_twips(zl_pic, 120, 120, 6600, 7800);

    const int column = 6840, column_width = 3480;
    tyl_tui = ui::make_label(this, "tyl_tui", "推程许用压力角 [α]/(°)");
    yl_tui = ui::make_text(this, "yl_tui", "30");
    tyl_hui = ui::make_label(this, "tyl_hui", "回程许用压力角 [α′]/(°)");
    yl_hui = ui::make_text(this, "yl_hui", "70");
    ui::place_twips(tyl_tui, column, 120, column_width, 300);
    ui::place_twips(yl_tui, column, 420, 1200, 345);
    ui::place_twips(tyl_hui, column, 840, column_width, 300);
    ui::place_twips(yl_hui, column, 1140, 1200, 345);
    zl_jc = ui::make_button(this, "zl_jc", "质量检查");
    ui::place_twips(zl_jc, column, 1620, 1500, 480);

    zl_biao = new QTableWidget(0, 3, this);
    zl_biao->setObjectName(QStringLiteral("zl_biao"));
    zl_biao->setHorizontalHeaderLabels(
        {QStringLiteral("项目"), QStringLiteral("数值"), QStringLiteral("位置")});
    zl_biao->verticalHeader()->hide();
    zl_biao->setEditTriggers(QAbstractItemView::NoEditTriggers);
    zl_biao->setSelectionMode(QAbstractItemView::NoSelection);
    zl_biao->setFont(ui::cjk_font(8));
    zl_biao->horizontalHeader()->setFont(ui::cjk_font(8));
    zl_biao->verticalHeader()->setDefaultSectionSize(19);
    ui::place_twips(zl_biao, column, 2220, column_width, 4200);
    const int widths[] = {ui::twips(1380), ui::twips(1200), ui::twips(840)};
    for (int c = 0; c < 3; ++c) zl_biao->setColumnWidth(c, widths[c]);
    zl_biao->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    zl_jinggao = make_warning_label(this, "zl_jinggao");
    ui::place_twips(zl_jinggao, column, 6480, column_width, 1440);

    connect(zl_jc, &QPushButton::clicked, this, &QualityTab::check_requested);
}

std::optional<PressureAngleLimits> QualityTab::limits(bool refuse) const {
    const std::optional<double> rise = to_number(ss(yl_tui->text())),
                                ret = to_number(ss(yl_hui->text()));
    const PressureAngleLimits l{rise.value_or(-1), ret.value_or(-1)};
    const LimitError error = check_limits(l);
    if (error == LimitError::None) return l;
    if (refuse)
        ui::refuse_box(error == LimitError::Rise ? yl_tui : yl_hui, qs(limit_message(error)),
                       ui::kTitleDataError);
    return std::nullopt;
}

QString quality_warning(const CamQuality& q, const CamInputs& in,
                        const std::optional<PressureAngleLimits>& limits) {
    QStringList lines;
    const std::string undercut = undercut_warning(q, in.rr);
    if (!undercut.empty()) lines << qs(undercut);
    if (!limits)
        lines << QStringLiteral("许用压力角输入有误，未检查压力角");
    else if (const std::string p = pressure_warning(q, *limits); !p.empty())
        lines << qs(p);
    return lines.join(QLatin1Char('\n'));
}

QString QualityTab::show_cam(const CamInputs& in,
                             const std::optional<PressureAngleLimits>& limits) {
    const PressureAngleLimits used = limits.value_or(PressureAngleLimits{});
    const CamQuality q = analyse_cam(in, used);
    draw_quality(zl_pic->surface(), q, in, limits ? &used : nullptr);

    const std::vector<QualityRow> rows = quality_table(q, limits ? &used : nullptr);
    zl_biao->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const QualityRow& row = rows[static_cast<size_t>(r)];
        const std::string cells[] = {row.item, row.value, row.where};
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem(qs(cells[c]));
            if (row.alarm) item->setForeground(QColor(255, 0, 0));
            zl_biao->setItem(r, c, item);
        }
    }
    const QString warning = quality_warning(q, in, limits);
    show_warning(zl_jinggao, warning);
    return warning;
}

}  // namespace vm::cam
