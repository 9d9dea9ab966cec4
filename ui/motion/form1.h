// Form1, the motion-analysis window: a menu view (cut-away cylinder and three
// buttons) and an analysis view with the velocity and acceleration polygons of
// one crank position and of fifteen positions; it fills the force table and
// hands over to the force polygons (Form2) and the torque window (Form3).
#pragma once

#include <QPointer>
#include <array>

#include "ui/common/window_plumbing.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace vm {
struct DesignState;
namespace draw {
class SurfaceWidget;
class DrawingSurface;
}
namespace ui {
class VbScrollBar;
}

class Form2;
class Form3;
class SheetPage;

class Form1 : public ui::WorkingWindow {
    Q_OBJECT
public:
    explicit Form1(DesignState& state, QWidget* parent = nullptr);

    // The force-polygon and torque windows while they are open.
    Form2* form2() const;
    Form3* form3() const;

    // Menu view.
    draw::SurfaceWidget* Picture4;
    QPushButton *CommandButton1, *CommandButton2, *CommandButton3;
    // Analysis view.
    QTabWidget* SSTab1;
    QLabel *Label2, *Label12, *Label3, *Label4;
    QLabel* lblFit;  // the scale used when a typed one would run off the picture
    QLineEdit *Text2, *txt_sudu, *txt_jiasudu;
    QPushButton* Command4;
    draw::SurfaceWidget* Picture3;
    ui::VbScrollBar *HScroll1, *VScroll1;
    std::array<QLabel*, 7> value_labels{};  // Label5 .. Label11
    std::array<QLineEdit*, 7> value_texts{};  // Text3 .. Text9
    draw::SurfaceWidget *Picture1, *Picture2;
    QLabel *Label1, *lbluv, *lblua;
    QLineEdit *Text1, *Text16, *Text17;
    QPushButton *Command1, *Command2;
    // The worked calculation of the first tab's position and the check of a
    // hand-drawn polygon; `sheet` is its text.
    SheetPage* sheet_page;
    QPlainTextEdit* sheet;

private slots:
    void CommandButton1_Click();
    void CommandButton2_Click();
    void CommandButton3_Click();
    void Command1_Click();
    void Command2_Click();
    void Command4_Click();
    void HScroll1_Change(int value);
    void VScroll1_Change(int value);
    void SSTab1_Click(int tab);

private:
    void build_menu_view();
    void build_analysis_view();
    // Outer window size in twips, frame and caption included.
    void set_frame_size(int width_tw, int height_tw);
    void centre_on_screen();
    // r, l, e in metres and omega1 from the derived dimensions and the speed.
    void prelude();
    // The prelude, then the force-table fill; tells the user and returns false
    // when the fill fails (the prelude's values stay).
    bool fill_table();
    // Shows a child window in place of this one; "返回←" brings this one back,
    // closing it by its frame closes this window too (the main window returns).
    template <class Child>
    void hand_over(Child* child);

    DesignState& state_;
    QPointer<Form2> form2_;
    QPointer<Form3> form3_;
};

// The menu view's picture: a cut-away cylinder with piston, rod and valve.
void draw_cylinder_picture(draw::DrawingSurface& s);

}  // namespace vm
