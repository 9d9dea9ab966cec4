// Tour of pingmian through its real buttons; ticks are driven by calling the
// timer's slot so that every picture shows an exact number of steps.
#include "ui/animation/pingmian_tour.h"

#include <QLineEdit>
#include <QPushButton>

#include "ui/animation/pingmian.h"
#include "ui/common/tour.h"

namespace vm {

void tour_pingmian(ui::Tour& tour, QWidget* window) {
    auto* w = qobject_cast<pingmian*>(window);
    if (!w) return;
    w->Text7->setText(QStringLiteral("0"));
    w->Command1->click();
    tour.snap(w, QStringLiteral("pingmian-draw"));
    tour.record_controls(w, QStringLiteral("pingmian"));
    w->Command3->click();
    tour.snap(w, QStringLiteral("pingmian-limits"));
    // "运转" sets the speed; the real timer is stopped again so the tour counts ticks.
    w->Command4->click();
    w->Command5->click();
    int ticks = 0;
    for (int target : {10, 50, 200}) {
        while (ticks < target) {
            w->Timer1_Timer();
            ++ticks;
        }
        tour.snap(w, QStringLiteral("pingmian-tick%1").arg(target));
    }
}

}  // namespace vm
