// Drives Form1, Form2 and Form3 through their own buttons and snaps each view.
#include "ui/motion/motion_tour.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <vector>

#include "ui/common/tour.h"
#include "ui/common/vb_scroll_bar.h"
#include "core/number_text.h"
#include "ui/motion/form1.h"
#include "ui/motion/form1_sheet.h"
#include "ui/motion/form2.h"
#include "ui/motion/form3.h"

namespace vm {

namespace {
// Types lengths as a student measured them: each drawn length times its
// stretch (0 leaves the box empty), then checks them.
void check_drawing_as_student(SheetPage* page, const std::vector<double>& stretch) {
    const auto& v = page->sheet().vectors;
    for (size_t i = 0; i < page->rows.size() && i < v.size(); ++i) {
        const double f = i < stretch.size() ? stretch[i] : 0;
        page->rows[i].measured->setText(f > 0 ? QString::fromStdString(format_fixed(v[i].drawn_mm * f, 1))
                                              : QString());
    }
    page->check_button->click();
}
}  // namespace

void tour_motion(ui::Tour& tour, QWidget* window) {
    auto* f1 = qobject_cast<Form1*>(window);
    if (!f1) return;
    tour.snap(f1, QStringLiteral("motion-menu"));
    f1->CommandButton1->click();
    f1->SSTab1->setCurrentIndex(0);
    f1->Command4->click();
    tour.snap(f1, QStringLiteral("motion-tab0"));
    tour.record_controls(f1, QStringLiteral("Form1"));
    f1->SSTab1->setCurrentIndex(1);
    f1->Command1->click();
    tour.snap(f1, QStringLiteral("motion-tab1"));
    f1->SSTab1->setCurrentIndex(2);
    tour.snap(f1, QStringLiteral("motion-tab2"));
    f1->SSTab1->setCurrentIndex(3);
    tour.snap(f1, QStringLiteral("motion-sheet"));
    check_drawing_as_student(f1->sheet_page, {1, 1.02, 0.97, 1, 1.1, 0, 1.03});
    tour.snap(f1, QStringLiteral("motion-sheet-check"));
    f1->SSTab1->setCurrentIndex(0);
    f1->Command2->click();

    f1->CommandButton2->click();
    if (Form2* f2 = f1->form2()) {
        const char* members[4] = {"", "crank", "rod", "piston"};
        for (int m = 1; m <= 3; ++m) {
            // Each member's polygon on a clean picture, without the dots of the one before.
            f2->f_cls->click();
            f2->Goujian[static_cast<size_t>(m)]->click();
            // Near the gas peak (400 degrees) the forces are large: a coarser
            // reduction keeps the whole polygon in the picture. Under the gas
            // force the polygons of crank and piston rise from the origin (frame
            // on crank, rod on piston point up), so the origin goes lower down;
            // the rod's hangs below it (piston on rod points down), so its
            // origin stays where it starts.
            struct View {
                const char* angle;
                int reduction, origin;
            };
            const int peak_origin = m == 2 ? 50 : 100;
            for (const View& v : {View{"0", 342, 50}, View{"400", 1000, peak_origin}}) {
                const char* angle = v.angle;
                f2->f_itxt->setText(QString::fromLatin1(angle));
                f2->VScroll2->set_value(v.reduction);
                f2->VScroll1->set_value(v.origin);
                f2->f_draw->click();
                tour.snap(f2, QStringLiteral("force-%1-%2").arg(QLatin1String(members[m]), QLatin1String(angle)));
            }
        }
        check_drawing_as_student(f2->sheet_page, {1.01, 0.98, 1.08, 1, 1});
        tour.snap(f2, QStringLiteral("force-piston-400-check"));
        tour.record_controls(f2, QStringLiteral("Form2"));
        f2->back->click();
        QApplication::processEvents();
    }

    f1->CommandButton3->click();
    if (Form3* f3 = f1->form3()) {
        f3->Command1->click();
        tour.snap(f3, QStringLiteral("torque"));
        f3->SSTab1->setCurrentIndex(1);
        f3->Command2->click();
        tour.snap(f3, QStringLiteral("torque-balance"));
        tour.record_controls(f3, QStringLiteral("Form3"));
        f3->back->click();
        QApplication::processEvents();
    }
}

}  // namespace vm
