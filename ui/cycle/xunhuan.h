// xunhuan: the work-cycle diagram of the four-stroke engine with valve timing,
// a cursor over the cycle angle and a small crank picture that follows it.
#pragma once

#include <cstdint>
#include <optional>

#include "ui/common/window_plumbing.h"

class QLabel;
class QLineEdit;
class QCloseEvent;
class QPushButton;
class QTimer;

namespace vm {
struct DesignState;
enum class AnimationProblem;
namespace draw {
class SurfaceWidget;
}
namespace ui {
class VbScrollBar;
}

class xunhuan : public ui::WorkingWindow {
    Q_OBJECT
  public:
    explicit xunhuan(DesignState& state, QWidget* parent = nullptr);

    draw::SurfaceWidget* Picture1;    // the diagram
    draw::SurfaceWidget* Picture2;    // the crank picture
    draw::SurfaceWidget* background;  // the window's own backdrop
    int Line1 = 0;                    // cursor: line element of Picture1
    int Line2 = 0;                    // crank: line element of Picture2
    int Shape1 = 0;                   // crank-pin marker: shape element of Picture2
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6;
    ui::VbScrollBar* HScroll1;
    QTimer* Timer1;
    QLineEdit *Text1, *Text2, *Text3, *Text4;
    QPushButton *Command1, *Command2, *Command3, *Command4;

    // Limit-position angle of the diagram drawn last, degrees.
    double theta() const { return theta_; }
    // The timer's enabled flag; it ticks only while enabled with an interval above 0.
    bool timer_enabled() const { return timer_enabled_; }
    int timer_interval() const { return timer_interval_; }

  public slots:
    void Timer1_Timer();

  protected:
    // The animation ends with the window.
    void closeEvent(QCloseEvent* e) override;

  private slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void HScroll1_Change(int a);

  private:
    void build_controls();
    void set_up_scales();
    void apply_timer();
    void refuse_animation(AnimationProblem problem);
    // Drawing, in xunhuan_draw.cpp.
    void drawing_pic1_xuhuantu();
    void draw_crank_picture(int a);
    void draw_background();

    DesignState& state_;
    double theta_ = 0;
    std::optional<double> dial_jd_wai_;  // jd_wai the crank picture's dial was drawn for, degrees
    bool timer_enabled_ = false;
    int timer_interval_ = 300;  // ms; 0 means no ticks
};

}  // namespace vm
