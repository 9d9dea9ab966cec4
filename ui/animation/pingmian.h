// pingmian: the animated planar drawing of the whole engine (crank-slider and
// cylinder, timing gears, cams, followers and valves) with its own copies of
// stroke, bore, offset and stroke-speed ratio.
#pragma once

#include <QString>
#include <cstddef>

#include "core/anim_model.h"
#include "ui/common/window_plumbing.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace vm {

struct DesignState;

namespace draw {
class SurfaceWidget;
}
namespace ui {
class VbScrollBar;
}

class pingmian : public ui::WorkingWindow {
    Q_OBJECT
  public:
    explicit pingmian(DesignState& state, QWidget* parent = nullptr);

    const anim::AnimationModel& model() const { return model_; }

    // The widest plain number the two output boxes are made to show whole:
    // fifteen significant digits after the nine zeros the plain form still
    // writes out before it turns to an exponent.
    static inline const QString kLongestLength = QStringLiteral("0.000000000888888888888888");

    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9,
        *Label10;
    QLabel *Label11, *Label12, *Label13;
    QLineEdit *Text1, *Text2, *Text3, *Text4, *Text5, *Text6, *Text7;
    draw::SurfaceWidget* Picture1;
    draw::SurfaceWidget* Picture2;
    QPushButton *Command1, *Command2, *Command3, *Command4, *Command5;
    QPushButton* return_;  // object name "return"
    ui::VbScrollBar* HScroll1;
    QTimer* Timer1;

  public slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void return_Click();
    void HScroll1_Change(int value);
    void Timer1_Timer();

  private:
    void build_controls();
    void write_dimensions();
    // Refuses the first of the four parameter boxes that is not a number.
    bool entries_are_numbers();

    anim::AnimationModel model_;
    // "显示活塞极限位置" on the current frame: whether drawn, and the list size after.
    bool limits_drawn_ = false;
    std::size_t limits_list_size_ = 0;
};

}  // namespace vm
