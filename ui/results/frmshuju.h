// frmshuju ("数据输出"): the eleven design parameters, read-only until
// "修改参数", and "输出数据", which analyses 30 crank positions and writes the
// two reports beside the executable.
#pragma once

#include <QString>
#include <array>

#include "ui/common/window_plumbing.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace vm {
struct DesignState;

class frmshuju : public ui::WorkingWindow {
    Q_OBJECT
public:
    explicit frmshuju(DesignState& state, QWidget* parent = nullptr);

    // Where the reports go; the folder of the executable unless set.
    void set_report_folder(const QString& folder) { report_folder_ = folder; }
    const QString& report_folder() const { return report_folder_; }
    // What the window tells once both reports are in `folder`.
    static QString written_message(const QString& folder);

    // Entry boxes in table order (left column hs_h..qb_g, right lg_g..sd_k).
    std::array<QLineEdit*, 11> boxes{};
    std::array<QLabel*, 11> labels{};
    QLineEdit *hs_h, *hs_d, *hs_e, *hs_k, *lg_ak, *qb_g, *lg_g, *hs_g, *lg_rk, *qb_w, *sd_k;
    QPushButton *reset, *ok;
    QLabel* Label10;

private slots:
    void reset_Click();
    void ok_Click();

private:
    void build_controls();
    void Form_Load();

    DesignState& state_;
    QString report_folder_;
};

}  // namespace vm
