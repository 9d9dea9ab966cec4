// Form3, torque and flywheel: the driving torque over the four-stroke cycle,
// the mean resisting torque, the work surplus and deficit, the flywheel moment
// of inertia, the engine power, and on its second tab the balancing mass.
#pragma once

#include "ui/common/window_plumbing.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace vm {
struct DesignState;
struct TorqueFigures;
namespace draw {
class SurfaceWidget;
class DrawingSurface;
}
namespace ui {
class VbScrollBar;
}

class Form3 : public ui::WorkingWindow {
    Q_OBJECT
public:
    explicit Form3(DesignState& state, QWidget* parent = nullptr);

    bool back_flag = false;

    QTabWidget* SSTab1;
    draw::SurfaceWidget* Picture1;
    QPushButton *Command1, *Command2, *back;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9, *Label10;
    QLineEdit *Text1, *Text2, *Text3, *Text4, *Text5, *Text6, *Text7, *Text8, *Text9;
    ui::VbScrollBar *HScroll1, *VScroll1;

signals:
    // "返回←": the motion-analysis window shows itself again.
    void returned();

private slots:
    void Command1_Click();
    void Command2_Click();
    void HScroll1_Change(int value);
    void VScroll1_Change(int value);
    void back_Click();

private:
    void build_controls();
    // Draws the diagram over what the picture holds (after clearing it when
    // `clear_first`) and shows the figures; nothing changes on bad input.
    void draw_and_compute(bool clear_first);

    DesignState& state_;
};

// The torque diagram on a surface already scaled: axes, the curve, its marked
// extremes, and the mean resisting torque.
void draw_torque_diagram(draw::DrawingSurface& s, const TorqueFigures& t);

}  // namespace vm
