// tulun: the cam design window. Its first tab draws the theoretical and actual
// profiles of the valve cam and its base circle; the second plots the
// follower's lift, velocity and acceleration against the cam angle; the third
// checks the accepted cam's pressure angle, curvature and jerk.
#pragma once

#include <memory>

#include "ui/common/window_plumbing.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTimer;

namespace vm {
struct DesignState;
namespace draw {
class SurfaceWidget;
}
namespace ui {
class VbScrollBar;
}
struct CamInputs;
namespace figures {
class CurvePlot;
enum class Curve;
}  // namespace figures
namespace cam {
class QualityTab;
using figures::Curve;
using figures::CurvePlot;
}  // namespace cam

class tulun : public ui::WorkingWindow {
    Q_OBJECT
public:
    // The cam window works from its own four inputs; it opens with the texts
    // the design state keeps for them and stores them there when it draws a profile.
    explicit tulun(DesignState& state, QWidget* parent = nullptr);
    ~tulun() override;

    // True while a curve plot is being drawn.
    bool plotting() const;

    QTabWidget* SSTab1;
    // First tab: the cam drawing, its inputs and buttons, the precision adjusters.
    draw::SurfaceWidget* tpic;
    QLabel *thigh, *tbase, *toffset, *trool;
    QLineEdit *HIGH, *BASE, *OFFSET, *roll;
    QPushButton *theory, *real, *base_tulun, *cls, *t_close;
    ui::VbScrollBar *set1, *set2;
    QLabel *Lst1text, *lst1, *Lst2text, *lst2;
    // Red warning under the profile buttons when the accepted cam undercuts or
    // pushes the follower more steeply than allowed.
    QLabel* jinggao;
    // Second tab: the follower curves and the progress bar.
    draw::SurfaceWidget *cpic, *process;
    QPushButton *drawcurve, *speed, *aspeed, *cur_cls;
    QLabel* la_proce;
    // Each tick draws one degree of the running plot, then lets the window repaint.
    QTimer* plot_timer;
    // Third tab: pressure angle, radius of curvature and jerk of the accepted cam.
    cam::QualityTab* quality;

public slots:
    void plot_timer_Timer();

private slots:
    void theory_Click();
    void real_Click();
    void base_tulun_Click();
    void cls_Click();
    void t_close_Click();
    void set1_Change(int value);
    void set2_Change(int value);
    void drawcurve_Click();
    void speed_Click();
    void aspeed_Click();
    void cur_cls_Click();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void build_profile_tab(QWidget* page);
    void build_curve_tab(QWidget* page);
    void draw_profile(bool actual);
    // Reads the four inputs; false, after the message, when a check fails.
    bool read_cam(CamInputs& in);
    void check_quality(const CamInputs& in, bool refuse_limits);
    void set_cam_scale();
    void plot(cam::Curve curve);
    void enable_plot_buttons(bool enabled);

    std::unique_ptr<cam::CurvePlot> plot_;
    DesignState& state_;
};

}  // namespace vm
