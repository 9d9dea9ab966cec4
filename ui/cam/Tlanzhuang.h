// Tlanzhuang: the cam mounting angle window. It shows at which crank angles the
// intake (left) and exhaust (right) cams are fitted, with a picture of the method.
#pragma once

#include "ui/common/window_plumbing.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace vm {
struct DesignState;
namespace draw {
class SurfaceWidget;
class DrawingSurface;
}  // namespace draw

class Tlanzhuang : public ui::WorkingWindow {
    Q_OBJECT
public:
    // Reads the stroke-speed-ratio coefficient once, when the window opens.
    explicit Tlanzhuang(DesignState& state, QWidget* parent = nullptr);

    QLabel *Label1, *Label2, *Label3;
    QLineEdit *Text1, *Text2;
    draw::SurfaceWidget* Picture1;
    QPushButton* CommandButton1;

private slots:
    void CommandButton1_Click();
};

// The mounting-method picture (525 x 539 pixels): engine scheme, valves, rod,
// crank centre O, gear train to the cam shafts O1 and O2, and the instructions.
void draw_mounting_method(draw::DrawingSurface& s);

}  // namespace vm
