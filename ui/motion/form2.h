// Form2, the force polygons: for the crank, the connecting rod or the piston
// at one cycle angle, the forces on the member head to tail from the origin,
// each a thick line in its colour ending in its dot, read from the force table.
#pragma once

#include <array>

#include "ui/common/window_plumbing.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vm {
struct DesignState;
class SheetPage;
enum class ForceDot;
namespace draw {
class SurfaceWidget;
}
namespace ui {
class VbScrollBar;
}

class Form2 : public ui::WorkingWindow {
    Q_OBJECT
public:
    explicit Form2(DesignState& state, QWidget* parent = nullptr);

    int member = 1;        // 1 crank, 2 connecting rod, 3 piston
    double cur_x = 0, cur_y = 0;  // tail of the next force, mm
    bool back_flag = false;
    double f_k = 342;      // newtons per millimetre of drawing

    draw::SurfaceWidget* fpic;
    QGroupBox* F_cho;
    std::array<QRadioButton*, 4> Goujian{};  // indices 1..3
    QButtonGroup* goujian_group;
    QLabel *li_flab2, *li_flab1;
    QLineEdit *f_itxt, *f_ktxt;
    QPushButton *f_draw, *f_cls, *back;
    ui::VbScrollBar *VScroll2, *HScroll1, *VScroll1;
    draw::SurfaceWidget* legend;
    // The worked sheet of the polygon last drawn, and the check of a hand-drawn one.
    SheetPage* sheet_page;

    // End dots inside fpic (shape element indices): index 0, 1, 2 for crank,
    // rod, piston; s_ma marks the gas force.
    std::array<int, 3> s_red{}, s_green{}, s_yellow{}, s_blue{};
    int s_ma = 0;

signals:
    // "返回←": the motion-analysis window shows itself again.
    void returned();

private slots:
    void Goujian_Click(int index);
    void f_draw_Click();
    void f_cls_Click();
    void back_Click();
    void HScroll1_Change(int value);
    void VScroll1_Change(int value);
    void VScroll2_Change(int value);

private:
    void build_controls();
    // Scale of fpic in millimetres with the origin panned by the scroll bars.
    void set_scale();
    // Clears the picture (the dots stay) and draws the polygon of `member`.
    void fdrawClick();
    int dot_for(ForceDot kind, int index) const;

    DesignState& state_;
};

// The legend under the picture: a thick line with a dot stands for an arrow.
void draw_force_legend(draw::SurfaceWidget& legend);

}  // namespace vm
