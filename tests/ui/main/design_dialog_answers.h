// Scripted answers to the main window's choosers and dialogs, recording what
// each was asked, for the lifetime of the object.
#pragma once

#include <QProgressDialog>
#include <QString>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "ui/main/design_dialogs.h"

namespace vm::test {

struct DialogAnswers {
    QString save_file, open_file, folder;             // empty: the user cancels
    int group = 0;                                    // -1: the user cancels
    std::optional<std::array<int, 2>> positions;      // nothing: the user cancels

    std::vector<QString> asked;                       // titles of the choosers, in order
    QString last_start, last_filter;                  // what the last chooser started in and offered
    std::vector<std::string> groups_offered;          // names the group list showed
    std::optional<std::array<int, 2>> positions_offered;
    int progress_dialogs = 0;
    bool progress_was_visible = false;
    QString progress_label;

    DialogAnswers() {
        ui::DesignDialogs d;
        auto file = [this](QString* answer) {
            return [this, answer](QWidget*, const QString& title, const QString& start, const QString& filter) {
                asked.push_back(title);
                last_start = start;
                last_filter = filter;
                return *answer;
            };
        };
        d.save_file = file(&save_file);
        d.open_file = file(&open_file);
        d.folder = [this](QWidget*, const QString& title, const QString& start) {
            asked.push_back(title);
            last_start = start;
            return folder;
        };
        d.group = [this](QWidget*, const std::vector<io::DataGroup>& groups) {
            for (const io::DataGroup& g : groups) groups_offered.push_back(g.name);
            return group;
        };
        d.positions = [this](QWidget*, std::array<int, 2> current) {
            positions_offered = current;
            return positions;
        };
        d.progress_shown = [this](QWidget* p) {
            ++progress_dialogs;
            progress_was_visible = p->isVisible();
            if (auto* pd = qobject_cast<QProgressDialog*>(p)) progress_label = pd->labelText();
        };
        ui::set_design_dialogs(std::move(d));
    }
    ~DialogAnswers() { ui::set_design_dialogs({}); }
    DialogAnswers(const DialogAnswers&) = delete;
    DialogAnswers& operator=(const DialogAnswers&) = delete;
};

}  // namespace vm::test
