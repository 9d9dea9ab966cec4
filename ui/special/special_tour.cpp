// Tour of teshu: every view reached through the window's real buttons.
#include "ui/special/special_tour.h"

#include <QLineEdit>
#include <QPushButton>

#include "ui/common/tour.h"
#include "ui/special/teshu.h"

namespace vm {

void tour_special(ui::Tour& tour, QWidget* window) {
    auto* w = qobject_cast<teshu*>(window);
    if (!w) return;
    w->Command4->click();
    w->Command1->click();
    tour.snap(w, QStringLiteral("teshu-confirmed"));
    tour.record_controls(w, QStringLiteral("teshu"));

    const struct {
        QPushButton* button;
        const char* name;
    } positions[] = {{w->Command5, "teshu-top-dead-centre"},
                     {w->Command6, "teshu-bottom-dead-centre"},
                     {w->Command7, "teshu-left-fastest"},
                     {w->Command8, "teshu-right-fastest"}};
    for (const auto& p : positions) {
        p.button->click();
        tour.snap(w, QString::fromLatin1(p.name));
    }

    w->Command12->click();
    tour.snap(w, QStringLiteral("teshu-curves"));

    // Three ticks from the crank angle 0 at the default speed: a quarter turn.
    w->Text3->setText(QStringLiteral("0"));
    w->Command1->click();
    w->Command10->click();
    for (int i = 0; i < 3; ++i) w->Timer1_Timer();
    w->Command11->click();
    tour.snap(w, QStringLiteral("teshu-three-ticks"));
}

}  // namespace vm
