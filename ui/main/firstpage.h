// The main window: eleven design parameters in entry mode; in menu mode the
// seven buttons that open the working windows.
#pragma once

#include <QPointer>
#include <QWidget>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vm {
struct DesignState;
struct Synthesis;
namespace draw {
class SurfaceWidget;
class DrawingSurface;
}
namespace ui {
class WorkingWindow;
}

class firstpage : public QWidget {
    Q_OBJECT
public:
    explicit firstpage(DesignState& state, QWidget* parent = nullptr);

    // The working window opened last, while it is open (the tour drives it).
    QWidget* current_window() const { return current_; }

    // Entry boxes in table order, and their labels.
    std::array<QLineEdit*, 11> boxes{};
    std::array<QLabel*, 11> labels{};
    QLineEdit *hs_h, *hs_d, *hs_e, *hs_k, *lg_ak, *qb_g, *lg_g, *hs_g, *lg_rk, *qb_w, *sd_k;
    QPushButton *shujuOK, *MRshuju;
    QPushButton *PMdonghua, *TSweizhi, *YDhePH, *TLsheji, *XHTyanshi, *CommandButton1, *shujushuchu;
    QPushButton* fanhui;
    draw::SurfaceWidget* picture;

private slots:
    void shujuOK_Click();
    void MRshuju_Click();
    void fanhui_Click();
    void PMdonghua_Click();
    void TSweizhi_Click();
    void YDhePH_Click();
    void TLsheji_Click();
    void XHTyanshi_Click();
    void CommandButton1_Click();
    void shujushuchu_Click();

private:
    void build_controls();
    void store_parameters();
    // The rod and crank lengths and the dead-centre angles of a confirmed design.
    void store_dimensions(const Synthesis& s);
    void to_menu_mode();
    // Shows w without modality and hides this window; when w closes this
    // window shows again.
    void open_window(ui::WorkingWindow* w);

    DesignState& state_;
    QPointer<QWidget> current_;
};

// The engine picture on the left of the main window, drawn by our own code.
void draw_engine_picture(draw::DrawingSurface& s);

}  // namespace vm
