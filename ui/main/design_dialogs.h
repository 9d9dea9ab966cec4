// The questions the main window's design-file and export buttons ask: file
// and folder choosers, the data-group list, the two report positions, and the
// progress dialog of a long export. Each question goes through a replaceable
// function, so tests answer it without a modal dialog (an empty function is
// the real dialog).
#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "io/data_groups.h"

class QListWidget;
class QSpinBox;

namespace vm::ui {

struct DesignDialogs {
    // A file to write (save) or to read (open); empty when cancelled.
    std::function<QString(QWidget* parent, const QString& title, const QString& start, const QString& filter)>
        save_file, open_file;
    // An existing folder; empty when cancelled.
    std::function<QString(QWidget* parent, const QString& title, const QString& start)> folder;
    // Index into `groups` of the chosen data group; -1 when cancelled.
    std::function<int(QWidget* parent, const std::vector<io::DataGroup>& groups)> group;
    // The two report positions, starting from `current`; nothing when cancelled.
    std::function<std::optional<std::array<int, 2>>(QWidget* parent, std::array<int, 2> current)> positions;
    // Told once the progress dialog of a long job is on screen (tests look at it).
    std::function<void(QWidget* progress)> progress_shown;
};

// Replaces the dialogs; members left empty are the real dialogs again.
void set_design_dialogs(DesignDialogs dialogs);

QString ask_save_file(QWidget* parent, const QString& title, const QString& start, const QString& filter);
QString ask_open_file(QWidget* parent, const QString& title, const QString& start, const QString& filter);
QString ask_folder(QWidget* parent, const QString& title, const QString& start);
int ask_group(QWidget* parent, const std::vector<io::DataGroup>& groups);
std::optional<std::array<int, 2>> ask_positions(QWidget* parent, std::array<int, 2> current);

// Runs `work` on a worker thread while a progress dialog, modal to `parent`,
// keeps the window painted; returns when `work` has returned.
void run_with_progress(QWidget* parent, const QString& title, const QString& label, const std::function<void()>& work);

// The documents folder, where the choosers start.
QString documents_folder();

// The list of a table's data groups, one line each: the group's name and its
// main figures. Accepting (OK or a double click) chooses the current line.
class GroupDialog : public QDialog {
    Q_OBJECT
public:
    explicit GroupDialog(const std::vector<io::DataGroup>& groups, QWidget* parent = nullptr);
    int chosen() const;  // index of the current line, -1 when none
    QListWidget* list;
};

// The two positions of the report's worked equations, each 1..24.
class PositionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit PositionsDialog(std::array<int, 2> current, QWidget* parent = nullptr);
    std::array<int, 2> positions() const;
    QSpinBox *first, *second;
};

}  // namespace vm::ui
