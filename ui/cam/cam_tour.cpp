// Tour of the cam windows, through their real buttons.
#include "ui/cam/cam_tour.h"

#include <QLineEdit>
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

    // The profile buttons have already checked the default cam.
    w->SSTab1->setCurrentIndex(2);
    tour.snap(w, QStringLiteral("tulun-quality"));
    tour.record_controls(w, QStringLiteral("tulun-quality"));

    // A cam the checks accept but a designer must reject: the actual profile
    // loops on itself inside the shaft.
    w->SSTab1->setCurrentIndex(0);
    w->cls->click();
    w->HIGH->setText(QStringLiteral("10"));
    w->BASE->setText(QStringLiteral("16"));
    w->OFFSET->setText(QStringLiteral("0"));
    w->roll->setText(QStringLiteral("15"));
    w->theory->click();
    w->real->click();
    tour.snap(w, QStringLiteral("tulun-undercut"));
    w->SSTab1->setCurrentIndex(2);
    tour.snap(w, QStringLiteral("tulun-undercut-quality"));
}

void tour_cam_mounting(ui::Tour& tour, QWidget* window) {
    if (!qobject_cast<Tlanzhuang*>(window)) return;
    tour.snap(window, QStringLiteral("Tlanzhuang"));
    tour.record_controls(window, QStringLiteral("Tlanzhuang"));
}

}  // namespace vm
