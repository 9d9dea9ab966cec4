// Tour of the cam windows, through their real buttons.
#include "ui/cam/cam_tour.h"

#include <QPushButton>
#include <QTabWidget>

#include "ui/cam/Tlanzhuang.h"
#include "ui/cam/tulun.h"
#include "ui/common/tour.h"

namespace vm {

void tour_cam(ui::Tour& tour, QWidget* window) {
    auto* w = qobject_cast<tulun*>(window);
    if (!w) return;
    w->theory->click();
    tour.snap(w, QStringLiteral("tulun-theory"));
    w->real->click();
    tour.snap(w, QStringLiteral("tulun-real"));
    w->base_tulun->click();
    tour.snap(w, QStringLiteral("tulun-base-circle"));
    tour.record_controls(w, QStringLiteral("tulun"));

    w->SSTab1->setCurrentIndex(1);
    for (QPushButton* b : {w->drawcurve, w->speed, w->aspeed}) {
        b->click();
        while (w->plotting()) w->plot_timer_Timer();
    }
    tour.snap(w, QStringLiteral("tulun-curves"));
}

void tour_cam_mounting(ui::Tour& tour, QWidget* window) {
    if (!qobject_cast<Tlanzhuang*>(window)) return;
    tour.snap(window, QStringLiteral("Tlanzhuang"));
    tour.record_controls(window, QStringLiteral("Tlanzhuang"));
}

}  // namespace vm
