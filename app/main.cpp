// velmarion: the course-design tool for a single-cylinder four-stroke engine
// mechanism. `velmarion --tour DIR` renders every window to PNG instead.
#include <QApplication>
#include <QString>
#include <cstdio>
#include <cstring>
#include <memory>

#include "app/export_command.h"
#include "core/design_state.h"
#include "draw/surface_widget.h"
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
    const char* tour_dir = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--tour") == 0) {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "usage: velmarion [--tour DIR]\n");
                return 2;
            }
            tour_dir = argv[++i];
        }
    }
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
    if (const char* file = vm::design_file_argument(argc, argv)) window.open_design_file(QString::fromLocal8Bit(file));
    return app.exec();
}
