// The window aids: an event filter on each window that fits it to the screen
// on its first show, binds Enter and Esc, and hands out the tooltips.
#include "ui/common/window_aids.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>

#include "draw/surface_widget.h"

namespace vm::ui {

namespace {

const char* const kAidsName = "vm_window_aids";
// A frame for windows whose frame is not known yet (before the first window
// of the program is mapped): a title bar and thin borders, a little generous.
const QMargins kGuessedFrame(6, 32, 6, 6);
// How long after the first show the real frame is looked at.
constexpr int kRecheckMs = 300;

QPointer<QWidget>& main_window() {
    static QPointer<QWidget> w;
    return w;
}

ScreenArea& area_override() {
    static ScreenArea a;
    return a;
}

QScreen* target_screen(const QWidget* window) {
    const QWidget* main = main_window().data();
    if (main && main != window && main->screen()) return main->screen();
    if (window && window->screen()) return window->screen();
    return QGuiApplication::primaryScreen();
}

QMargins known_frame(const QWidget* w) {
    if (!w || !w->isVisible() || !w->windowHandle()) return {};
    return w->windowHandle()->frameMargins();
}

// The frame the window will get: its own once mapped, else that of a window
// already on the screen (the window manager gives them all the same), else
// a guess.
QMargins frame_for(const QWidget* window) {
    QMargins m = known_frame(window);
    if (!m.isNull()) return m;
    m = known_frame(main_window().data());
    if (!m.isNull()) return m;
    for (const QWidget* w : QApplication::topLevelWidgets()) {
        m = known_frame(w);
        if (!m.isNull()) return m;
    }
    return kGuessedFrame;
}

class WindowAids : public QObject {
public:
    WindowAids(QWidget* window, WindowRole role) : QObject(window), window_(window), role_(role) {
        setObjectName(QString::fromLatin1(kAidsName));
        window->installEventFilter(this);
    }

    QWidget* holder() const { return content_ ? content_ : window_; }
    QSize design() const { return content_ ? content_->size() : window_->size(); }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (watched != window_) return false;
        switch (e->type()) {
        case QEvent::Show:
            if (!shown_) {
                shown_ = true;
                apply_tooltips();
                bind_enter();
                fit(window_->size(), true);
                // Once mapped, the window has its real frame: if that is
                // larger than assumed, fit again with it.
                QTimer::singleShot(kRecheckMs, this, [this] {
                    const QRect area = screen_area_for(window_);
                    if (!area.isEmpty() && window_->isVisible() && !area.contains(window_->frameGeometry()))
                        fit(design(), true);
                });
            }
            break;
        case QEvent::Resize:
            // The window's own code gave it a new size (a view with other
            // controls): that is its new design size. Resizes coming from the
            // window manager are not the window's design.
            if (shown_ && !adjusting_ && !e->spontaneous()) {
                const QSize wanted = static_cast<QResizeEvent*>(e)->size();
                if (content_) content_->setFixedSize(wanted);
                fit(wanted, false);
                // Centred again once the window's own handler is done (it may
                // have placed the window itself, on another screen's terms).
                QMetaObject::invokeMethod(this, [this] { fit(design(), true); }, Qt::QueuedConnection);
            }
            break;
        case QEvent::KeyPress:
            if (role_ == WindowRole::working && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape &&
                static_cast<QKeyEvent*>(e)->modifiers() == Qt::NoModifier) {
                go_back();
                e->accept();
                return true;
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    void apply_tooltips() {
        const QString win = window_->objectName();
        for (QWidget* w : window_->findChildren<QWidget*>()) {
            if (w->isWindow() || !w->toolTip().isEmpty()) continue;
            QString tip = tooltip_for(win, w->objectName());
            if (qobject_cast<draw::SurfaceWidget*>(w))
                tip = tip.isEmpty() ? kPictureTip : tip + QLatin1Char('\n') + kPictureTip;
            if (!tip.isEmpty()) w->setToolTip(tip);
        }
    }

    void bind_enter() {
        const QString win = window_->objectName();
        int n = 0;
        const EnterPairing* pairs = enter_pairings(&n);
        for (int i = 0; i < n; ++i) {
            if (win != QLatin1String(pairs[i].window)) continue;
            auto* box = window_->findChild<QLineEdit*>(QLatin1String(pairs[i].box));
            auto* button = window_->findChild<QAbstractButton*>(QLatin1String(pairs[i].button));
            if (!box || !button) continue;
            QWidget* window = window_;
            connect(box, &QLineEdit::returnPressed, button, [button, window] {
                if (button->isEnabled() && button->isVisibleTo(window)) button->click();
            });
        }
    }

    void go_back() {
        const QString name = back_button(window_->objectName());
        auto* back = name.isEmpty() ? nullptr : window_->findChild<QAbstractButton*>(name);
        if (back && back->isEnabled() && in_view(back))
            back->click();
        else
            window_->close();
    }

    // Whether a control is part of the window's current view: shown, and not
    // outside the window's design size (a view that shrinks the window cuts
    // off the controls of the larger view).
    bool in_view(QWidget* w) const {
        if (!w->isVisibleTo(window_)) return false;
        QWidget* h = holder();
        return QRect(w->mapTo(h, QPoint(0, 0)), w->size()).intersects(QRect(QPoint(0, 0), design()));
    }

    void fit(QSize wanted, bool centre) {
        const QRect area = screen_area_for(window_);
        if (area.isEmpty() || !window_->isWindow()) return;
        const int bar = window_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, window_);
        const QMargins frame = frame_for(window_);
        const FitPlan plan = plan_fit(wanted, area, frame, bar);
        if (plan.scrolls() && !content_) wrap(wanted);
        if (content_) {
            adjusting_ = true;
            window_->setFixedSize(plan.client);
            scroll_->setGeometry(0, 0, plan.client.width(), plan.client.height());
            scroll_->setHorizontalScrollBarPolicy(plan.scroll_x ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
            scroll_->setVerticalScrollBarPolicy(plan.scroll_y ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
            adjusting_ = false;
        }
        if (centre) {
            QScreen* screen = target_screen(window_);
            if (screen && window_->screen() != screen) window_->setScreen(screen);
            // Placed by its inside: before the window is mapped Qt does not
            // know the frame that a move() would have to allow for.
            window_->setGeometry(QRect(plan.frame_pos + QPoint(frame.left(), frame.top()), window_->size()));
        }
    }

    // Moves every control into a scrolled inside of the design size. The
    // controls keep their places, stacking, visibility and tab order; the
    // window's code keeps addressing them as before.
    void wrap(QSize design) {
        QWidget* focus = window_->focusWidget();
        scroll_ = new QScrollArea(window_);
        scroll_->setObjectName(QStringLiteral("fit_scroll"));
        scroll_->setFrameShape(QFrame::NoFrame);
        scroll_->setWidgetResizable(false);
        content_ = new QWidget;
        content_->setObjectName(QStringLiteral("fit_inside"));
        content_->setAutoFillBackground(true);
        content_->setFixedSize(design);
        // Inside the window before the controls move, so they stay in its
        // focus chain.
        scroll_->setWidget(content_);
        const QObjectList kids = window_->children();
        for (QObject* o : kids) {
            auto* w = qobject_cast<QWidget*>(o);
            if (!w || w == scroll_ || w->isWindow()) continue;
            const bool hidden = w->isHidden();
            w->setParent(content_);
            if (!hidden) w->show();
        }
        scroll_->show();
        if (focus) focus->setFocus(Qt::OtherFocusReason);
    }

    QWidget* window_;
    WindowRole role_;
    bool shown_ = false;
    bool adjusting_ = false;
    QScrollArea* scroll_ = nullptr;
    QWidget* content_ = nullptr;
};

WindowAids* aids_of(const QWidget* window) {
    if (!window) return nullptr;
    return dynamic_cast<WindowAids*>(
        window->findChild<QObject*>(QString::fromLatin1(kAidsName), Qt::FindDirectChildrenOnly));
}

}  // namespace

void install_window_aids(QWidget* window, WindowRole role) {
    if (!window || aids_of(window)) return;
    new WindowAids(window, role);
    if (role == WindowRole::main) main_window() = window;
}

FitPlan plan_fit(QSize design, const QRect& area, const QMargins& frame, int bar) {
    // Room for the inside; never less than two scroll bars and a little view.
    const int floor = 2 * bar + 40;
    const int room_w = std::max(floor, area.width() - frame.left() - frame.right());
    const int room_h = std::max(floor, area.height() - frame.top() - frame.bottom());
    FitPlan p;
    p.scroll_x = design.width() > room_w;
    p.scroll_y = design.height() > room_h;
    // A bar along one side takes room from the other direction.
    if (p.scroll_x && !p.scroll_y) p.scroll_y = design.height() + bar > room_h;
    if (p.scroll_y && !p.scroll_x) p.scroll_x = design.width() + bar > room_w;
    const int need_w = design.width() + (p.scroll_y ? bar : 0);
    const int need_h = design.height() + (p.scroll_x ? bar : 0);
    p.client = QSize(p.scroll_x ? room_w : need_w, p.scroll_y ? room_h : need_h);
    const int outer_w = p.client.width() + frame.left() + frame.right();
    const int outer_h = p.client.height() + frame.top() + frame.bottom();
    p.frame_pos = QPoint(area.x() + std::max(0, (area.width() - outer_w) / 2),
                         area.y() + std::max(0, (area.height() - outer_h) / 2));
    return p;
}

void set_screen_area(ScreenArea area) { area_override() = std::move(area); }

QRect screen_area_for(const QWidget* window) {
    if (area_override()) return area_override()();
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) return {};
    const QScreen* screen = target_screen(window);
    return screen ? screen->availableGeometry() : QRect();
}

QSize design_size(const QWidget* window) {
    const WindowAids* a = aids_of(window);
    return a ? a->design() : (window ? window->size() : QSize());
}

QWidget* controls_holder(QWidget* window) {
    const WindowAids* a = aids_of(window);
    return a ? a->holder() : window;
}

}  // namespace vm::ui
