// Tour of xunhuan: "循环图" with the default K, then the cursor at top dead
// centre (0), at the intake valve's closing (250) and at the second bottom
// dead centre (544); last the diagram drawn again for K = 1.3 over the first.
#include "ui/cycle/cycle_tour.h"

#include <QLineEdit>
#include <QPushButton>
#include <QString>

#include "ui/common/tour.h"
#include "ui/common/vb_scroll_bar.h"
#include "ui/cycle/xunhuan.h"

namespace vm {

void tour_cycle(ui::Tour& tour, QWidget* window) {
    auto* w = qobject_cast<xunhuan*>(window);
    if (!w) return;
    w->Command1->click();
    // The scroll bar starts at 0, where setting 0 again changes nothing: step
    // off and back so the cursor and the crank appear at top dead centre.
    w->HScroll1->set_value(1);
    w->HScroll1->set_value(0);
    tour.snap(w, QStringLiteral("xunhuan-0"));
    tour.record_controls(w, QStringLiteral("xunhuan"));
    for (int a : {250, 544}) {
        w->HScroll1->set_value(a);
        tour.snap(w, QStringLiteral("xunhuan-%1").arg(a));
    }
    w->Text2->setText(QStringLiteral("1.3"));
    w->Command1->click();
    tour.snap(w, QStringLiteral("xunhuan-redrawn"));
}

}  // namespace vm
