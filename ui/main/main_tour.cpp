// Tour of the main window, then of each working window opened from it.
#include "ui/main/main_tour.h"

#include <QApplication>
#include <QPushButton>
#include <cstdio>

#include "core/design_state.h"
#include "ui/common/messages.h"
#include "ui/common/tour.h"
#include "ui/animation/pingmian_tour.h"
#include "ui/cam/cam_tour.h"
#include "ui/cycle/cycle_tour.h"
#include "ui/main/firstpage.h"
#include "ui/motion/motion_tour.h"
#include "ui/special/special_tour.h"
#include "ui/results/results_tour.h"

namespace vm {

bool run_tour(const QString& dir, DesignState& state) {
    ui::Tour tour(dir);
    // Nobody is there to close a message box: the tour reports them instead.
    ui::set_message_sink([](const QString& text, const QString& title) {
        std::fprintf(stderr, "tour: message box \"%s\" (%s)\n", qPrintable(text), qPrintable(title));
    });
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

    visit(fp.shujushuchu, [&](QWidget* w) { tour_results(tour, w); });
    visit(fp.XHTyanshi, [&](QWidget* w) { tour_cycle(tour, w); });
    visit(fp.TSweizhi, [&](QWidget* w) { tour_special(tour, w); });
    visit(fp.PMdonghua, [&](QWidget* w) { tour_pingmian(tour, w); });
    visit(fp.TLsheji, [&](QWidget* w) { tour_cam(tour, w); });
    visit(fp.CommandButton1, [&](QWidget* w) { tour_cam_mounting(tour, w); });
    visit(fp.YDhePH, [&](QWidget* w) { tour_motion(tour, w); });
    return tour.finish();
}

}  // namespace vm
