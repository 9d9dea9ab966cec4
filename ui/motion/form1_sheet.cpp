// The worked-sheet page: sheet text, copy, and the check of a hand-drawn polygon.
#include "ui/motion/form1_sheet.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <optional>

#include "core/number_text.h"
#include "ui/common/controls.h"
#include "ui/common/messages.h"
#include "ui/common/window_plumbing.h"

namespace vm {

using ui::qs;
using ui::ss;

namespace {
constexpr int kHeaderRow = 0;
const char* kHeaders[5] = {"矢量", "量得/mm", "代表值", "精确值", "相对误差"};

QString coloured(const char* colour) { return QStringLiteral("color: %1;").arg(QLatin1String(colour)); }
}  // namespace

SheetPage::SheetPage(const std::vector<ScaleGroup>& scales, Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), groups_(scales), offered_(scales.size()) {
    text = new QPlainTextEdit(this);
    text->setObjectName(QStringLiteral("sheet"));
    text->setReadOnly(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    copy = ui::make_button(this, "sheet_copy", "复制计算过程");
    connect(copy, &QPushButton::clicked, this, &SheetPage::copy_sheet);

    check_box = new QGroupBox(QStringLiteral("校核我的作图"), this);
    check_box->setObjectName(QStringLiteral("check_box"));
    auto* box_layout = new QVBoxLayout(check_box);
    box_layout->setContentsMargins(6, 4, 6, 4);
    box_layout->setSpacing(4);
    auto* scale_grid = new QGridLayout;
    for (size_t i = 0; i < groups_.size(); ++i) {
        const int r = static_cast<int>(i);
        scale_grid->addWidget(new QLabel(QStringLiteral("比例尺 %1 =").arg(qs(groups_[i].name)), check_box), r, 0);
        QLineEdit* box = ui::make_text(check_box, "", "");
        box->setMaximumWidth(80);
        box->setObjectName(QStringLiteral("scale_%1").arg(r));
        box->setToolTip(QStringLiteral("你作图所用的比例尺 %1：图上 1 mm 代表的量，单位 %2")
                            .arg(qs(groups_[i].name), qs(groups_[i].unit)));
        scale_grid->addWidget(box, r, 1);
        scale_grid->addWidget(new QLabel(qs(groups_[i].unit), check_box), r, 2);
        scale_boxes.push_back(box);
    }
    box_layout->addLayout(scale_grid);
    grid_ = new QGridLayout;
    grid_->setHorizontalSpacing(6);
    grid_->setVerticalSpacing(2);
    for (int c = 0; c < 5; ++c) grid_->addWidget(new QLabel(QString::fromUtf8(kHeaders[c]), check_box), kHeaderRow, c);
    box_layout->addLayout(grid_);
    check_button = ui::make_button(check_box, "check_button", "校核");
    connect(check_button, &QPushButton::clicked, this, &SheetPage::run_check);
    box_layout->addWidget(check_button);
    summary = new QLabel(check_box);
    summary->setObjectName(QStringLiteral("check_summary"));
    summary->setWordWrap(true);
    box_layout->addWidget(summary);
    box_layout->addStretch(1);

    if (orientation == Qt::Horizontal) {
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(4, 4, 4, 4);
        layout->addWidget(text, 1);
        auto* side = new QVBoxLayout;
        side->addWidget(copy);
        side->addWidget(check_box, 1);
        check_box->setMaximumWidth(300);
        layout->addLayout(side);
    } else {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(text, 1);
        layout->addWidget(copy);
        layout->addWidget(check_box);
    }
}

void SheetPage::set_hint(const QString& hint) { text->setPlainText(hint); }

void SheetPage::set_sheet(const WorkedSheet& sheet, const std::vector<int>& group, const std::vector<double>& scales) {
    bool same_names = sheet.vectors.size() == sheet_.vectors.size();
    for (size_t i = 0; same_names && i < sheet.vectors.size(); ++i)
        same_names = sheet.vectors[i].name == sheet_.vectors[i].name;
    sheet_ = sheet;
    group_of_ = group;
    text->setPlainText(qs(sheet.text));
    // A scale box follows the drawing's scale until the student types another.
    for (size_t i = 0; i < scale_boxes.size() && i < scales.size(); ++i) {
        QLineEdit* box = scale_boxes[i];
        if (box->text().trimmed().isEmpty() || box->text() == offered_[i]) {
            offered_[i] = qs(scale_text(scales[i]));
            box->setText(offered_[i]);
        }
    }
    if (!same_names) rebuild_rows();
    clear_results();
}

void SheetPage::rebuild_rows() {
    for (const Row& r : rows)
        for (QWidget* w : std::initializer_list<QWidget*>{r.name, r.measured, r.stands_for, r.exact, r.error})
            delete w;
    rows.clear();
    for (size_t i = 0; i < sheet_.vectors.size(); ++i) {
        const SheetVector& v = sheet_.vectors[i];
        Row r;
        r.name = new QLabel(qs(v.name + " (" + v.unit + ")"), check_box);
        r.measured = ui::make_text(check_box, "", "");
        r.measured->setObjectName(QStringLiteral("measured_%1").arg(i));
        r.measured->setMaximumWidth(60);
        r.stands_for = new QLabel(check_box);
        r.exact = new QLabel(check_box);
        r.error = new QLabel(check_box);
        const int row = kHeaderRow + 1 + static_cast<int>(i);
        grid_->addWidget(r.name, row, 0);
        grid_->addWidget(r.measured, row, 1);
        grid_->addWidget(r.stands_for, row, 2);
        grid_->addWidget(r.exact, row, 3);
        grid_->addWidget(r.error, row, 4);
        rows.push_back(r);
    }
}

void SheetPage::clear_results() {
    last_ = {};
    for (const Row& r : rows) {
        r.stands_for->clear();
        r.exact->clear();
        r.error->clear();
        r.error->setStyleSheet(QString());
        r.stands_for->setStyleSheet(QString());
    }
    summary->clear();
}

void SheetPage::copy_sheet() {
    if (QClipboard* c = QGuiApplication::clipboard()) c->setText(text->toPlainText());
}

void SheetPage::run_check() {
    clear_results();
    const QString range = QStringLiteral("0～%1 mm").arg(qs(plain(kMaxMeasuredMm)));
    std::vector<std::optional<double>> measured;
    std::vector<bool> group_used(scale_boxes.size(), false);
    for (size_t i = 0; i < rows.size(); ++i) {
        const std::string typed = ss(rows[i].measured->text());
        const QString name = qs(sheet_.vectors[i].name);
        if (rows[i].measured->text().trimmed().isEmpty()) {
            measured.emplace_back();
            continue;
        }
        const auto v = to_number(typed);
        if (!v) {
            ui::refuse_box(rows[i].measured, QStringLiteral("%1 的量得长度请输入数字（mm）").arg(name), ui::kTitleError);
            return;
        }
        if (*v < 0 || *v > kMaxMeasuredMm) {
            ui::refuse_box(rows[i].measured, QStringLiteral("%1 的量得长度应在%2之间").arg(name, range),
                           ui::kTitleError);
            return;
        }
        measured.emplace_back(*v);
        const size_t g = static_cast<size_t>(group_of_.at(i));
        if (g < group_used.size()) group_used[g] = true;
    }
    if (rows.empty()) return;
    bool any = false;
    for (bool u : group_used) any = any || u;
    if (!any) {
        ui::refuse_box(rows.front().measured, QStringLiteral("请输入从图上量得的长度（mm），不用的框可以空着"),
                       ui::kTitleError);
        return;
    }
    std::vector<double> scale(scale_boxes.size(), 0);
    for (size_t g = 0; g < scale_boxes.size(); ++g) {
        if (!group_used[g]) continue;
        const auto v = to_number(ss(scale_boxes[g]->text()));
        if (!v || !(*v > 0) || *v > kMaxCheckScale) {
            ui::refuse_box(scale_boxes[g],
                           QStringLiteral("作图比例尺 %1 应为大于0、不超过%2的数字（%3）")
                               .arg(qs(groups_[g].name), qs(plain(kMaxCheckScale)), qs(groups_[g].unit)),
                           ui::kTitleError);
            return;
        }
        scale[g] = *v;
    }
    std::vector<double> mu;
    for (size_t i = 0; i < rows.size(); ++i) mu.push_back(scale.at(static_cast<size_t>(group_of_.at(i))));
    last_ = check_drawing(sheet_.vectors, measured, mu);
    size_t j = 0;
    for (size_t i = 0; i < rows.size() && j < last_.lines.size(); ++i) {
        if (!measured[i]) continue;
        const CheckLine& l = last_.lines[j++];
        const Row& r = rows[i];
        r.stands_for->setText(qs(format_0_00(l.stands_for)));
        r.exact->setText(qs(format_0_00(l.exact)));
        r.error->setText(l.relative_error ? qs(format_fixed(*l.relative_error * 100, 1) + " %")
                                          : QStringLiteral("应为零"));
        const QString style = coloured(l.within ? kGreen : kRed);
        r.error->setStyleSheet(style);
        r.stands_for->setStyleSheet(style);
    }
    summary->setText(qs(last_.summary()));
}

}  // namespace vm
