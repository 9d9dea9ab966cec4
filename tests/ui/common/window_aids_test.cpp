// The window aids on windows built here: the fitting plan over a grid of
// window and screen sizes, the scrolled inside that keeps every control as it
// was, Esc, and the command line.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include "ui/common/command_line.h"
#include "ui/common/window_aids.h"
#include "ui/common/window_plumbing.h"

namespace vm::ui {
namespace {

void press(QWidget* target, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent down(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(target, &down);
    QKeyEvent up(QEvent::KeyRelease, key, mods);
    QApplication::sendEvent(target, &up);
}

// A fake screen for the life of the object.
struct FakeScreen {
    explicit FakeScreen(QRect r) { set_screen_area([r] { return r; }); }
    ~FakeScreen() { set_screen_area({}); }
};

TEST(PlanFit, WindowAndFrameLieInTheAreaAndScrollOnlyWhereTheyMust) {
    const QSize designs[] = {{300, 200}, {1000, 640}, {1024, 740}, {900, 730}, {688, 600}, {2000, 300}};
    const QRect areas[] = {{0, 0, 1920, 1040}, {0, 0, 1280, 690}, {0, 0, 960, 510},
                           {0, 0, 1366, 728},  {0, 0, 910, 480},  {0, 0, 683, 354}, {1920, 24, 640, 400}};
    const QMargins frames[] = {{0, 0, 0, 0}, {6, 32, 6, 6}, {1, 20, 1, 4}};
    const int bar = 16;
    for (QSize d : designs)
        for (const QRect& a : areas)
            for (const QMargins& f : frames) {
                const FitPlan p = plan_fit(d, a, f, bar);
                const QRect frame_rect(p.frame_pos, p.client.grownBy(f));
                SCOPED_TRACE(testing::Message() << d.width() << "x" << d.height() << " in " << a.width() << "x"
                                                << a.height() << " frame top " << f.top());
                EXPECT_TRUE(a.contains(frame_rect));
                // What shows of the inside, the bars taken off.
                const int view_w = p.client.width() - (p.scroll_y ? bar : 0);
                const int view_h = p.client.height() - (p.scroll_x ? bar : 0);
                EXPECT_EQ(p.scroll_x, view_w < d.width());
                EXPECT_EQ(p.scroll_y, view_h < d.height());
                if (!p.scroll_x) {
                    EXPECT_EQ(view_w, d.width());
                }
                if (!p.scroll_y) {
                    EXPECT_EQ(view_h, d.height());
                }
                if (!p.scrolls()) {
                    EXPECT_EQ(p.client, d);
                }
                // Centred: equal room left and right, above and below, within a pixel.
                EXPECT_LE(std::abs((frame_rect.left() - a.left()) - (a.right() - frame_rect.right())), 1);
                EXPECT_LE(std::abs((frame_rect.top() - a.top()) - (a.bottom() - frame_rect.bottom())), 1);
            }
}

// A window laid out like the real ones: fixed size, controls placed in pixels.
struct Laid : WorkingWindow {
    QLineEdit *a, *b, *c;
    QPushButton *go, *hidden, *back;
    QWidget* cover;
    Laid() {
        setObjectName(QStringLiteral("laid_test"));
        setFixedSize(900, 700);
        a = at(new QLineEdit(this), 10, 10, 80, 24);
        c = at(new QLineEdit(this), 10, 660, 80, 24);
        b = at(new QLineEdit(this), 800, 10, 80, 24);
        setTabOrder(a, b);
        setTabOrder(b, c);
        go = at(new QPushButton(QStringLiteral("go"), this), 800, 650, 80, 30);
        hidden = at(new QPushButton(QStringLiteral("hidden"), this), 400, 300, 80, 30);
        hidden->hide();
        back = at(new QPushButton(QStringLiteral("back"), this), 400, 400, 80, 30);
        cover = at(new QWidget(this), 0, 0, 900, 700);
        cover->lower();  // a background below everything
    }
    template <class W>
    static W* at(W* w, int x, int y, int width, int height) {
        w->setGeometry(x, y, width, height);
        return w;
    }
};

TEST(Fitting, AWindowTallerThanTheScreenScrollsAndKeepsItsControlsAsTheyWere) {
    FakeScreen screen(QRect(40, 20, 800, 500));
    auto* w = new Laid;
    w->show();
    EXPECT_TRUE(QRect(40, 20, 800, 500).contains(w->frameGeometry()));
    QWidget* inside = controls_holder(w);
    ASSERT_NE(inside, w);
    EXPECT_EQ(design_size(w), QSize(900, 700));
    EXPECT_EQ(inside->size(), QSize(900, 700));
    // Same places, same visibility, background still at the bottom.
    EXPECT_EQ(w->b->geometry(), QRect(800, 10, 80, 24));
    EXPECT_EQ(w->c->parentWidget(), inside);
    EXPECT_TRUE(w->go->isVisible());
    EXPECT_FALSE(w->hidden->isVisible());
    EXPECT_EQ(inside->children().indexOf(w->cover), 0);
    // The tab order of the design.
    EXPECT_EQ(w->a->nextInFocusChain(), w->b);
    EXPECT_EQ(w->b->nextInFocusChain(), w->c);
    // Every control can be scrolled into view.
    auto* area = w->findChild<QScrollArea*>();
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->viewport()->width() + area->horizontalScrollBar()->maximum(), 900);
    EXPECT_EQ(area->viewport()->height() + area->verticalScrollBar()->maximum(), 700);
    // The window's own code changes its size: the inside follows, the window
    // still fits.
    w->setFixedSize(600, 900);
    EXPECT_EQ(design_size(w), QSize(600, 900));
    EXPECT_TRUE(QRect(40, 20, 800, 500).contains(w->frameGeometry()));
    EXPECT_EQ(area->viewport()->height() + area->verticalScrollBar()->maximum(), 900);
    w->close();
}

TEST(Fitting, AWindowThatFitsKeepsItsSizeAndIsCentred) {
    const QRect screen_rect(100, 0, 1366, 728);
    FakeScreen screen(screen_rect);
    auto* w = new Laid;
    w->show();
    EXPECT_EQ(controls_holder(w), w);
    EXPECT_EQ(w->size(), QSize(900, 700 - 0));
    EXPECT_EQ(w->a->parentWidget(), w);
    // Centred for the frame assumed before the window was mapped, which may
    // differ from the frame it got by a few pixels.
    const QRect f = w->frameGeometry();
    EXPECT_TRUE(screen_rect.contains(f));
    EXPECT_LE(std::abs((f.left() - screen_rect.left()) - (screen_rect.right() - f.right())), 12);
    w->close();
}

TEST(Fitting, AFrameLargerThanAssumedIsFittedAgainOnceKnown) {
    // The free area shrinks after the first show, as when the window
    // manager's frame turns out taller than the one assumed.
    QRect area(0, 0, 1200, 900);
    set_screen_area([&area] { return area; });
    auto* w = new Laid;
    w->show();
    EXPECT_EQ(controls_holder(w), w);
    area = QRect(0, 0, 1200, 600);
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 600) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_TRUE(area.contains(w->frameGeometry()));
    EXPECT_NE(controls_holder(w), w);
    EXPECT_EQ(design_size(w), QSize(900, 700));
    w->close();
    set_screen_area({});
}

TEST(Fitting, TheOffscreenScreenGivesNoArea) {
    // Tests and the tour run offscreen: windows keep their design size there.
    auto* w = new Laid;
    w->show();
    EXPECT_EQ(w->size(), QSize(900, 700));
    EXPECT_EQ(controls_holder(w), w);
    w->close();
}

TEST(Keys, EscClosesAWorkingWindowWithoutBackButtonFromAnyControl) {
    struct Case {
        const char* what;
        Qt::KeyboardModifiers mods;
        bool closes;
    };
    const Case cases[] = {{"plain Esc", Qt::NoModifier, true}, {"Shift+Esc", Qt::ShiftModifier, false}};
    for (const Case& c : cases) {
        QPointer<Laid> w = new Laid;
        w->show();
        int closed = 0;
        QObject::connect(w, &WorkingWindow::closed, [&] { ++closed; });
        press(w->c, Qt::Key_Escape, c.mods);
        EXPECT_EQ(closed, c.closes ? 1 : 0) << c.what;
        if (w) w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST(Keys, AMainWindowIgnoresEsc) {
    QWidget main;
    main.setObjectName(QStringLiteral("main_test"));
    install_window_aids(&main, WindowRole::main);
    auto* box = new QLineEdit(&main);
    main.show();
    press(box, Qt::Key_Escape);
    EXPECT_TRUE(main.isVisible());
}

TEST(CommandLine, AcceptsItsOptionsAndRefusesAnythingElse) {
    using A = CommandLine::Action;
    struct Case {
        std::vector<std::string> args;
        A action;
        std::string tour_dir;
    };
    const Case cases[] = {
        {{}, A::windows, ""},
        {{"--tour", "/tmp/t"}, A::tour, "/tmp/t"},
        {{"--tour=/tmp/u"}, A::tour, "/tmp/u"},
        {{"--help"}, A::help, ""},
        {{"-h"}, A::help, ""},
        {{"--version"}, A::version, ""},
        {{"--tour", "d", "--help"}, A::help, "d"},
        {{"--tour"}, A::refuse, ""},
        {{"--tour="}, A::refuse, ""},
        {{"--tour", ""}, A::refuse, ""},
        {{"--tour", "a", "--tour", "b"}, A::refuse, ""},
        {{"--tuor", "a"}, A::refuse, ""},
        {{"-x"}, A::refuse, ""},
        {{"-platform", "xcb"}, A::refuse, ""},
        {{"a.vmdesign"}, A::windows, ""},
        {{"a.vmdesign", "b.vmdesign"}, A::refuse, ""},
        {{"--tour", "d", "a.vmdesign"}, A::refuse, "d"},
        {{"--help", "--bogus"}, A::refuse, ""},
    };
    for (const Case& c : cases) {
        const CommandLine got = parse_command_line(c.args);
        std::string joined;
        for (const auto& a : c.args) joined += a + " ";
        EXPECT_EQ(got.action, c.action) << joined;
        if (c.action == A::tour) {
            EXPECT_EQ(got.tour_dir, c.tour_dir) << joined;
        }
        EXPECT_EQ(got.error.empty(), c.action != A::refuse) << joined;
        if (c.action == A::windows && !c.args.empty()) {
            EXPECT_EQ(got.design_file, c.args.front()) << joined;
        }
    }
    // The help names every option the parser takes.
    for (const char* option : {"--tour", "--help", "-h", "--version"})
        EXPECT_NE(help_text().find(option), std::string::npos) << option;
    EXPECT_NE(version_text("6.4.2").find(kProgramVersion), std::string::npos);
}

}  // namespace
}  // namespace vm::ui
