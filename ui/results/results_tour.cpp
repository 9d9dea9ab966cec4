// Results window in the tour: the locked boxes, the unlocked boxes, and the
// reports of the default design beside the pictures.
#include "ui/results/results_tour.h"

#include <QPushButton>

#include "ui/common/tour.h"
#include "ui/results/frmshuju.h"

namespace vm {

void tour_results(ui::Tour& tour, QWidget* window) {
    auto* w = qobject_cast<frmshuju*>(window);
    if (!w) return;
    tour.snap(w, QStringLiteral("results"));
    tour.record_controls(w, QStringLiteral("frmshuju"));
    w->reset->click();
    tour.snap(w, QStringLiteral("results-unlocked"));
    w->set_report_folder(tour.dir());
    w->ok->click();
}

}  // namespace vm
