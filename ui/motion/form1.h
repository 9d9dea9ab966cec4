// Form1, the motion-analysis window: a menu view (cut-away cylinder and three
// buttons) and an analysis view with the velocity and acceleration polygons of
// one crank position and of fifteen positions; it fills the force table and
// hands over to the force polygons (Form2) and the torque window (Form3).
#pragma once

#include <QPointer>
#include <array>
#include <string>
#include <vector>

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

// A name to print at a point of a polygon, and a caption with its preferred
// top-left corner (user units of the picture).
struct PointName {
    double x = 0, y = 0;
    std::string text;
};
struct Caption {
    double left = 0, top = 0;
    std::string text;
};

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

    // Arrows on Picture1, Picture2 and Picture3, each with its picture's head
    // rule; the next label is printed where the arrow ends.
    void shiliang1(double xs, double ys, double length, double theta, int colour);
    void shiliang2(double xs, double ys, double length, double theta, int colour);
    void shiliang3(double xs, double ys, double length, double theta, int colour, double& factor);

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

    // Each draws the arrows of its polygon and hands back the names of its
    // points; the names are printed once every line of the picture is down,
    // so that none lands on a line or on another name.
    std::vector<PointName> draw_single_velocity();
    std::vector<PointName> draw_single_acceleration();
    std::vector<PointName> draw_grid_velocity();
    std::vector<PointName> draw_grid_acceleration();

    DesignState& state_;
    QPointer<Form2> form2_;
    QPointer<Form3> form3_;
};

// Prints the point names beside their points and then the captions as near
// their places as they can go, none over another or struck through by a line
// already drawn on `s`.
void print_names(draw::DrawingSurface& s, const std::vector<PointName>& names, const std::vector<Caption>& captions);

// The menu view's picture: a cut-away cylinder with piston, rod and valve.
void draw_cylinder_picture(draw::DrawingSurface& s);

}  // namespace vm
