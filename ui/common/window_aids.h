// What every window gets without code of its own: it opens whole on the
// screen of the main window (a window larger than the screen's free area
// scrolls inside its frame), Enter in a box presses the box's button, Esc
// goes back as the window's back button does, and boxes, buttons and pictures
// carry tooltips. The pairings and texts are the tables of window_tables.cpp,
// keyed by the object names of the window and its controls.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>
#include <utility>
#include <vector>

class QWidget;

namespace vm::ui {

enum class WindowRole {
    main,     // the hub: Esc does nothing, its screen is where the others open
    working,  // Esc goes back or closes
};

// Gives `window` the aids above; they take effect when it is first shown.
// WorkingWindow does this itself.
void install_window_aids(QWidget* window, WindowRole role);

// --- Fitting -------------------------------------------------------------

// How a window of design size `design` is shown in `area` (free screen area,
// frame included) when the window frame adds `frame` and a scroll bar is
// `bar` pixels thick. The window keeps its design size when it fits;
// otherwise its inside shrinks to what fits and scrolls.
struct FitPlan {
    QSize client;        // the window's inside
    QPoint frame_pos;    // top left corner of the frame, centred in the area
    bool scroll_x = false, scroll_y = false;
    bool scrolls() const { return scroll_x || scroll_y; }
};
FitPlan plan_fit(QSize design, const QRect& area, const QMargins& frame, int bar);

// The free area of the screen a window opens on. By default the main
// window's screen (the primary screen before there is one); on the offscreen
// platform no area at all, since its screen is a fixed 800×600 that no one
// looks at, so windows keep their design size there. Tests put in a fake
// screen; an empty function brings the default back.
using ScreenArea = std::function<QRect()>;
void set_screen_area(ScreenArea area);
QRect screen_area_for(const QWidget* window);

// The design size of a window: its inside as its own code laid it out, also
// when it is shown smaller and scrolls.
QSize design_size(const QWidget* window);
// The widget that holds a window's controls: the window itself, or the
// scrolled inside when the window did not fit.
QWidget* controls_holder(QWidget* window);

// --- The tables ----------------------------------------------------------

// The button Enter in `box` presses in `window`; empty when Enter does nothing.
QString enter_button(const QString& window, const QString& box);
// The back button Esc presses in `window`; empty for none (Esc then closes).
QString back_button(const QString& window);
// The tooltip of a control; empty when it has none of its own.
QString tooltip_for(const QString& window, const QString& control);

// Every (window, control) the tooltip table names, for tests.
std::vector<std::pair<QString, QString>> tooltip_controls();

struct EnterPairing {
    const char* window;
    const char* box;
    const char* button;
};
// Every pairing, for tests and for binding.
const EnterPairing* enter_pairings(int* count);

// What every picture's tooltip ends with.
inline const QString kPictureTip = QStringLiteral("右键：保存图片…");

}  // namespace vm::ui
