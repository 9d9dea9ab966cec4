// teshu: the special-positions demonstrator. Designs an offset crank-slider from
// stroke, offset and stroke-speed ratio, draws it at any crank angle and at its
// dead centres and fastest points, animates it, and plots the slider's motion.
#pragma once

#include <optional>
#include <vector>

#include "core/special_curves.h"
#include "core/special_positions.h"
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
class ClickableLabel;
}  // namespace ui

// What the window keeps between events; the inputs are those taken over at the
// last successful confirmation.
struct SpecialPositionState {
    double H = 0, D = 0, E = 0, K = 0;  // stroke, piston diameter, offset (mm), ratio
    double phi = 0;                     // crank angle, rad; falls as the crank turns clockwise
    special::CrankSlider mech;          // L, R, E of the designed mechanism, mm
    special::SliderPosition pos;        // joints and slider derivatives at phi
    special::SliderMotion motion;       // V (mm/s) and shown acceleration (mm/s^2)
    double step = 0;                    // crank rotation per animation tick, rad
    double x_marker = 0;                // angle the curve markers sit at, rad
    special::MechanismView view;        // what Picture1 shows of the mechanism
    special::CurveScales scales;        // heights the velocity and acceleration curves are drawn at
    bool confirmed = false;             // a confirmation has succeeded
};

class teshu : public ui::WorkingWindow {
    Q_OBJECT
public:
    explicit teshu(DesignState& state, QWidget* parent = nullptr);

    const SpecialPositionState& position_state() const { return st_; }

    QLineEdit *Text1, *Text2, *Text3, *Text4, *Text5, *Text6, *Text7, *Text8, *Text9, *Text10;
    QLineEdit *Text11, *Text12, *Text13, *Text14, *Text15;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9;
    QLabel *Label10, *Label11, *Label15, *Label16, *Label17, *Label18, *Label19, *Label20;
    QLabel *Label21, *Label22, *Label23, *Label24, *Label25, *Label26;
    ui::ClickableLabel *Label12, *Label13, *Label14;
    QPushButton *Command1, *Command2, *Command3, *Command4, *Command5, *Command6;
    QPushButton *Command7, *Command8, *Command9, *Command10, *Command11, *Command12;
    draw::SurfaceWidget *Picture1, *Picture2;
    ui::VbScrollBar* HScroll1;
    QTimer* Timer1;
    // Curve markers on Picture2 (shape element indices): displacement, velocity, acceleration.
    int Shape1 = -1, Shape2 = -1, Shape3 = -1;

public slots:
    void Timer1_Timer();

private slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
    void Command10_Click();
    void Command11_Click();
    void Command12_Click();
    void HScroll1_Change(int value);
    void Text3_Change(const QString& text);
    void Label12_Click();
    void Label13_Click();
    void Label14_Click();

private:
    void build_controls();
    void build_outputs();
    void build_curve_area();
    // The confirmation: checks the five inputs, designs the mechanism and draws
    // it with its frame and markers. False when a check stopped it.
    bool confirm();
    // Reads Text1..Text5 and runs the range checks; nothing when a message was shown.
    std::optional<SpecialPositionState> checked_inputs();
    // Positions, texts, joint names and the mechanism at st_.phi.
    bool show_position();
    void place_markers(double x);
    // Writes a special position's crank angle into Text3 and confirms there.
    void go_to_position(unsigned colour, double theta);
    // A curve label: one curve alone, then the confirmation.
    void single_curve(int which);
    void stop_with_message();
    // The special positions, the animation and the curves need a designed mechanism.
    void enable_after_confirmation(bool on);

    // Picture2 cleared, with what it is known to hold.
    void clear_diagram();
    // Curves (0 displacement, 1 velocity, 2 acceleration) in the order given,
    // leaving out those already on the diagram.
    void draw_missing_curves(const std::vector<int>& which, double delta);

    DesignState& state_;
    SpecialPositionState st_;
    // What Picture2 holds since it was last cleared.
    bool frame_drawn_ = false;
    bool curve_drawn_[3] = {false, false, false};
};

}  // namespace vm
