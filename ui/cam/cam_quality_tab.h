// The cam window's quality tab: the allowed pressure angles, the check button,
// the three quality curves, the table of extreme values and the warnings.
#pragma once

#include <QWidget>
#include <optional>

#include "core/cam_quality.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace vm {
namespace draw {
class SurfaceWidget;
}

namespace cam {

class QualityTab : public QWidget {
    Q_OBJECT
  public:
    explicit QualityTab(QWidget* parent = nullptr);

    draw::SurfaceWidget* zl_pic;
    QLabel *tyl_tui, *tyl_hui;
    QLineEdit *yl_tui, *yl_hui;  // allowed pressure angle on the rise and on the return, degrees
    QPushButton* zl_jc;
    QTableWidget* zl_biao;
    QLabel* zl_jinggao;

    // The allowed angles as typed. Nothing when one is no number or out of
    // range; with `refuse` the student is told so at the box concerned.
    std::optional<PressureAngleLimits> limits(bool refuse) const;

    // Draws and tabulates an accepted cam. Without limits the pressure angle is
    // not judged. Returns the warning text, empty when the cam is sound.
    QString show_cam(const CamInputs& in, const std::optional<PressureAngleLimits>& limits);

  signals:
    // The check button was pressed; the window reads its cam and calls show_cam.
    void check_requested();
};

// A red label that wraps its text from the top left, for warnings of several lines.
QLabel* make_warning_label(QWidget* parent, const char* name);
// Shows `text` on a warning label in the largest font from 9 down to 7 points
// that lets it fit the label; the whole text is also its tool tip.
void show_warning(QLabel* label, const QString& text);

// The warnings for an accepted cam, one per line: undercut, then the pressure
// angle with the base radius it needs, or a note that the limits are unusable.
QString quality_warning(const CamQuality& q, const CamInputs& in,
                        const std::optional<PressureAngleLimits>& limits);

}  // namespace cam
}  // namespace vm
