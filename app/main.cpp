// velmarion: the course-design tool for a single-cylinder four-stroke engine
// mechanism. `velmarion --tour DIR` renders every window to PNG instead; `--help` tells
// what else it accepts.
#include <QApplication>
#include <QString>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/export_command.h"
#include "core/design_state.h"
#include "draw/surface_widget.h"
#include "ui/common/command_line.h"
#include "ui/common/messages.h"
#include "ui/common/translations.h"
#include "ui/common/window_plumbing.h"
#include "ui/main/firstpage.h"
#include "ui/main/main_tour.h"

int main(int argc, char** argv) {
    if (vm::is_export_command(argc, argv)) {
        // The export draws no window: it needs no display.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        return vm::run_export_command(argc, argv);
    }
    // The command line is read before Qt starts, so --help, --version and a
    // mistyped option answer at once, without a display.
    const vm::ui::CommandLine cmd = vm::ui::parse_command_line(std::vector<std::string>(argv + 1, argv + argc));
    switch (cmd.action) {
    case vm::ui::CommandLine::Action::help:
        std::fputs(vm::ui::help_text().c_str(), stdout);
        return 0;
    case vm::ui::CommandLine::Action::version:
        std::fputs(vm::ui::version_text(qVersion()).c_str(), stdout);
        return 0;
    case vm::ui::CommandLine::Action::refuse:
        std::fprintf(stderr, "velmarion：%s\n用 velmarion --help 查看可用的选项。\n", cmd.error.c_str());
        return 2;
    case vm::ui::CommandLine::Action::windows:
    case vm::ui::CommandLine::Action::tour:
        break;
    }
    const char* tour_dir = cmd.action == vm::ui::CommandLine::Action::tour ? cmd.tour_dir.c_str() : nullptr;
    // The tour needs no display.
    if (tour_dir && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    app.setFont(vm::ui::cjk_font(9));
    vm::ui::install_qt_translations(app);
    vm::draw::SurfaceWidget::set_error_reporter(
        [](QWidget* parent, const QString& text) { vm::ui::show_message(parent, text); });

    auto state = std::make_unique<vm::DesignState>();
    if (tour_dir) {
        const bool ok = vm::run_tour(QString::fromLocal8Bit(tour_dir), *state);
        std::printf("%s: %s\n", ok ? "tour written to" : "tour incomplete in", tour_dir);
        return ok ? 0 : 1;
    }
    vm::firstpage window(*state);
    window.show();
    // `velmarion FILE` opens a saved design.
    if (!cmd.design_file.empty()) window.open_design_file(QString::fromLocal8Bit(cmd.design_file.c_str()));
    return app.exec();
}
