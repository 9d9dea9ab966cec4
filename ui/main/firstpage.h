// The main window: eleven design parameters in entry mode; in menu mode the
// seven buttons that open the working windows.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vm {
struct DesignState;
namespace io {
struct DesignInputs;
}
struct Synthesis;
struct Confirmation;
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
    // Entry mode: "保存设计…", "打开设计…", "选择方案…"; menu mode: "导出设计文档…".
    QPushButton *baocun, *dakai, *xuanfang, *daochu;
    draw::SurfaceWidget* picture;

    // Opens a design file as "打开设计…" does once its file is chosen: a file
    // that cannot be read gives one message and changes nothing; otherwise the
    // boxes are refilled and confirmed as "数据确认" confirms them. True when
    // the design was confirmed.
    bool open_design_file(const QString& path);
    // Saves the boxes and the other windows' inputs; false after a message.
    bool save_design_file(const QString& path);
    // The design file the boxes came from or went to last; empty when none.
    QString design_file() const { return file_; }

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
    void baocun_Click();
    void dakai_Click();
    void xuanfang_Click();
    void daochu_Click();

private:
    void build_controls();
    // Confirms the boxes; on a refusal the message names the box and nothing changes.
    bool confirm_boxes();
    // The eleven boxes' texts, in order.
    std::array<std::string, 11> box_texts() const;
    // The boxes checked as "数据确认" checks them, into `c`; a refusal names and
    // selects its box and gives false.
    bool check_boxes(Confirmation& c);
    void store_parameters();
    // The design-file and export buttons, placed clear of the mode's other controls.
    void build_file_controls();
    void show_file_controls(bool menu_mode);
    io::DesignInputs current_inputs() const;
    void show_file_name(const QString& path);
    // The rod and crank lengths and the dead-centre angles of a confirmed design.
    void store_dimensions(const Synthesis& s);
    void to_menu_mode();
    // Shows w without modality and hides this window; when w closes this
    // window shows again.
    void open_window(ui::WorkingWindow* w);

    DesignState& state_;
    QPointer<QWidget> current_;
    QString file_;                 // design file shown in the title bar
    std::string suggested_name_;   // name offered by the save dialog when there is no file yet
};

// The engine picture on the left of the main window, drawn by our own code.
void draw_engine_picture(draw::DrawingSurface& s);

}  // namespace vm
