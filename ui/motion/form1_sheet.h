// The worked-sheet page of the motion windows (Form1's velocity and
// acceleration, Form2's forces): the sheet as selectable text with a copy
// button, and "校核我的作图", where a student types the lengths measured on a
// hand-drawn polygon and the scale used, and reads back what each length
// stands for against the exact value.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "core/worked_sheet.h"

class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vm {

class SheetPage : public QWidget {
    Q_OBJECT
public:
    // One scale box per scale group ("μv", "μa" or "μF") with its unit.
    struct ScaleGroup {
        std::string name, unit;
    };
    // Horizontal: the sheet left, the check right; vertical: the check below.
    SheetPage(const std::vector<ScaleGroup>& scales, Qt::Orientation orientation, QWidget* parent = nullptr);

    // A new sheet; group[i] is the scale group of sheet.vectors[i]. The scale
    // boxes offer the drawing's own scales unless the student typed others;
    // the typed lengths stay while the vectors keep their names, and the last
    // check is cleared.
    void set_sheet(const WorkedSheet& sheet, const std::vector<int>& group, const std::vector<double>& scales);
    // The page before any sheet: only a hint in place of the sheet.
    void set_hint(const QString& hint);

    QPlainTextEdit* text;
    QPushButton* copy;
    QGroupBox* check_box;
    std::vector<QLineEdit*> scale_boxes;
    QPushButton* check_button;
    // One row per vector of the sheet.
    struct Row {
        QLabel* name;
        QLineEdit* measured;
        QLabel *stands_for, *exact, *error;
    };
    std::vector<Row> rows;
    QLabel* summary;
    const WorkedSheet& sheet() const { return sheet_; }
    // The last check, empty when none was made since the sheet changed.
    const DrawingCheck& last_check() const { return last_; }

    static constexpr const char* kGreen = "#008000";
    static constexpr const char* kRed = "#c80000";

private slots:
    void copy_sheet();
    void run_check();

private:
    void rebuild_rows();
    void clear_results();

    std::vector<ScaleGroup> groups_;
    std::vector<QString> offered_;  // what each scale box was last filled with
    WorkedSheet sheet_;
    std::vector<int> group_of_;
    QGridLayout* grid_ = nullptr;
    DrawingCheck last_;
};

}  // namespace vm
