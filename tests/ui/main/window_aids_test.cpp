// The window aids on the real windows, opened through their buttons: Enter in
// each paired box presses its button and nothing else, Esc goes back, every
// box and picture has a tooltip, and on small screens every window fits with
// its whole layout reachable and its controls where the layout put them.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <memory>

#include "core/design_state.h"
#include "draw/surface_widget.h"
#include "tests/support/message_recorder.h"
#include "ui/common/window_aids.h"
#include "ui/main/firstpage.h"
#include "ui/results/frmshuju.h"

namespace vm {
namespace {

const char* const kWorking[] = {"pingmian", "teshu", "Form1", "Form2", "Form3",
                                "tulun",    "xunhuan", "Tlanzhuang", "frmshuju"};

void press(QWidget* target, int key) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &up);
}

void flush() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QWidget* visible_window(const QString& name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible()) return w;
    return nullptr;
}

// The main window after "使用默认数据", and the working windows opened from it.
struct Program {
    test::MessageRecorder messages;
    std::unique_ptr<DesignState> state = std::make_unique<DesignState>();
    std::unique_ptr<firstpage> main;
    QTemporaryDir reports;

    Program() {
        main = std::make_unique<firstpage>(*state);
        main->show();
        main->MRshuju->click();
    }
    ~Program() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != main.get() && w->isVisible() && w->objectName() != QLatin1String("firstpage")) w->close();
        flush();
    }

    QWidget* open(const QString& name) {
        if (name == QLatin1String("firstpage")) return main.get();
        const QMap<QString, QPushButton*> buttons = {
            {"pingmian", main->PMdonghua}, {"teshu", main->TSweizhi},        {"Form1", main->YDhePH},
            {"Form2", main->YDhePH},       {"Form3", main->YDhePH},          {"tulun", main->TLsheji},
            {"xunhuan", main->XHTyanshi},  {"Tlanzhuang", main->CommandButton1}, {"frmshuju", main->shujushuchu}};
        if (!buttons.contains(name)) return nullptr;
        buttons[name]->click();
        QWidget* w = main->current_window();
        if (name == QLatin1String("Form2") || name == QLatin1String("Form3")) {
            const char* hand_over = name == QLatin1String("Form2") ? "CommandButton2" : "CommandButton3";
            if (auto* b = w ? w->findChild<QAbstractButton*>(QLatin1String(hand_over)) : nullptr) b->click();
            w = visible_window(name);
        }
        if (auto* results = qobject_cast<frmshuju*>(w)) results->set_report_folder(reports.path());
        return w;
    }
};

// Makes `box` and `button` reachable as a student would: the analysis view
// of the motion window, the boxes of the results window unlocked, and the tab
// that shows both.
void reveal(QWidget* window, QWidget* box, QWidget* button) {
    const QString name = window->objectName();
    if (name == QLatin1String("firstpage") && !box->isVisibleTo(window))
        window->findChild<QAbstractButton*>(QStringLiteral("fanhui"))->click();
    if (name == QLatin1String("Form1") && !window->findChild<QTabWidget*>()->isVisibleTo(window))
        window->findChild<QAbstractButton*>(QStringLiteral("CommandButton1"))->click();
    if (name == QLatin1String("frmshuju") && !box->isEnabled())
        window->findChild<QAbstractButton*>(QStringLiteral("reset"))->click();
    auto both = [&] { return box->isVisibleTo(window) && button->isVisibleTo(window); };
    for (QTabWidget* tabs : window->findChildren<QTabWidget*>())
        for (int i = 0; i < tabs->count() && !both(); ++i) tabs->setCurrentIndex(i);
}

TEST(EnterKey, EachPairedBoxPressesItsButtonOnce) {
    int n = 0;
    const ui::EnterPairing* pairs = ui::enter_pairings(&n);
    ASSERT_GT(n, 0);
    QString open_name;
    std::unique_ptr<Program> program;
    QPointer<QWidget> window;
    for (int i = 0; i < n; ++i) {
        const QString win = QLatin1String(pairs[i].window);
        SCOPED_TRACE(QStringLiteral("%1 %2 → %3").arg(win, pairs[i].box, pairs[i].button).toStdString());
        if (win != open_name || !window) {
            program.reset();
            program = std::make_unique<Program>();
            window = program->open(win);
            open_name = win;
        }
        ASSERT_TRUE(window);
        auto* box = window->findChild<QLineEdit*>(QLatin1String(pairs[i].box));
        auto* button = window->findChild<QAbstractButton*>(QLatin1String(pairs[i].button));
        ASSERT_NE(box, nullptr);
        ASSERT_NE(button, nullptr);
        reveal(window, box, button);
        ASSERT_TRUE(box->isVisibleTo(window) && box->isEnabled());
        int clicks = 0;
        const auto c = QObject::connect(button, &QAbstractButton::clicked, [&] { ++clicks; });
        press(box, Qt::Key_Return);
        QObject::disconnect(c);
        EXPECT_EQ(clicks, 1);
        // The window's handler may have refused: that is its own matter here.
        program->messages.messages.clear();
    }
}

TEST(EnterKey, UnpairedBoxesPressNothing) {
    for (const char* name : kWorking) {
        SCOPED_TRACE(name);
        Program program;
        QWidget* window = program.open(QLatin1String(name));
        ASSERT_TRUE(window);
        int clicks = 0;
        for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
            QObject::connect(b, &QAbstractButton::clicked, [&] { ++clicks; });
        for (QLineEdit* box : window->findChildren<QLineEdit*>()) {
            if (!ui::enter_button(QLatin1String(name), box->objectName()).isEmpty()) continue;
            box->setEnabled(true);
            press(box, Qt::Key_Return);
        }
        EXPECT_EQ(clicks, 0);
    }
}

TEST(EscKey, GoesBackAsTheBackButtonDoes) {
    struct Case {
        const char* window;
        const char* shown_after;  // the window that shows afterwards
    };
    const Case cases[] = {{"pingmian", "firstpage"}, {"teshu", "firstpage"},   {"Form1", "firstpage"},
                          {"Form2", "Form1"},        {"Form3", "Form1"},       {"tulun", "firstpage"},
                          {"xunhuan", "firstpage"},  {"Tlanzhuang", "firstpage"}, {"frmshuju", "firstpage"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.window);
        Program program;
        QPointer<QWidget> window = program.open(QLatin1String(c.window));
        ASSERT_TRUE(window);
        const QString back = ui::back_button(QLatin1String(c.window));
        if (!back.isEmpty()) {
            EXPECT_NE(window->findChild<QAbstractButton*>(back), nullptr) << back.toStdString();
        }
        QList<QLineEdit*> boxes = window->findChildren<QLineEdit*>();
        press(boxes.isEmpty() ? window.data() : boxes.first(), Qt::Key_Escape);
        flush();
        EXPECT_TRUE(window.isNull() || !window->isVisible());
        EXPECT_NE(visible_window(QLatin1String(c.shown_after)), nullptr);
    }
}

TEST(EscKey, InTheAnalysisViewReturnsToTheMotionMenuFirst) {
    Program program;
    QPointer<QWidget> form1 = program.open(QStringLiteral("Form1"));
    ASSERT_TRUE(form1);
    form1->findChild<QAbstractButton*>(QStringLiteral("CommandButton1"))->click();
    auto* tabs = form1->findChild<QTabWidget*>();
    ASSERT_TRUE(tabs->isVisibleTo(form1));
    press(tabs, Qt::Key_Escape);
    flush();
    ASSERT_TRUE(form1 && form1->isVisible());
    EXPECT_FALSE(tabs->isVisibleTo(form1));
    press(form1, Qt::Key_Escape);
    flush();
    EXPECT_TRUE(form1.isNull() || !form1->isVisible());
    EXPECT_TRUE(program.main->isVisible());
}

TEST(Tooltips, EveryBoxAndPictureOfEveryWindowHasOne) {
    for (const char* name : {"firstpage", "pingmian", "teshu", "Form1", "Form2", "Form3", "tulun", "xunhuan",
                             "Tlanzhuang", "frmshuju"}) {
        SCOPED_TRACE(name);
        Program program;
        QWidget* window = program.open(QLatin1String(name));
        ASSERT_TRUE(window);
        const auto boxes = window->findChildren<QLineEdit*>();
        EXPECT_FALSE(boxes.isEmpty());
        for (QLineEdit* box : boxes) EXPECT_FALSE(box->toolTip().trimmed().isEmpty()) << box->objectName().toStdString();
        // Every control the table names is there (a misspelt name would
        // silently lose its tooltip), and carries the table's text.
        for (const auto& [win, control] : ui::tooltip_controls()) {
            if (win != QLatin1String(name)) continue;
            auto* w = window->findChild<QWidget*>(control);
            ASSERT_NE(w, nullptr) << control.toStdString();
            EXPECT_TRUE(w->toolTip().startsWith(ui::tooltip_for(win, control))) << control.toStdString();
        }
        const auto pictures = window->findChildren<draw::SurfaceWidget*>();
        for (draw::SurfaceWidget* p : pictures)
            EXPECT_TRUE(p->toolTip().endsWith(ui::kPictureTip)) << p->objectName().toStdString();
    }
}

// Where each named control lies in the layout of its window.
QMap<QString, QRect> layout_of(QWidget* window) {
    QMap<QString, QRect> out;
    QWidget* holder = ui::controls_holder(window);
    for (QWidget* w : holder->findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || w->isWindow()) continue;
        if (!qobject_cast<QAbstractButton*>(w) && !qobject_cast<QLineEdit*>(w) && !qobject_cast<QLabel*>(w) &&
            !qobject_cast<draw::SurfaceWidget*>(w))
            continue;
        const QWidget* parent = w->parentWidget();
        const QString key = (parent == holder ? QString() : parent->objectName()) + QLatin1Char('/') + w->objectName();
        out.insert(key, QRect(w->mapTo(holder, QPoint(0, 0)), w->size()));
    }
    return out;
}

void expect_fits(QWidget* window, const QRect& area) {
    EXPECT_TRUE(area.contains(window->frameGeometry()))
        << window->frameGeometry().width() << "x" << window->frameGeometry().height();
    const QSize design = ui::design_size(window);
    if (ui::controls_holder(window) == window) {
        EXPECT_EQ(window->size(), design);
        return;
    }
    auto* scroll = window->findChild<QScrollArea*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_NE(scroll, nullptr);
    // The whole layout can be scrolled into view, and no more than it.
    EXPECT_EQ(scroll->viewport()->width() + scroll->horizontalScrollBar()->maximum(), design.width());
    EXPECT_EQ(scroll->viewport()->height() + scroll->verticalScrollBar()->maximum(), design.height());
}

struct FakeScreen {
    explicit FakeScreen(QRect r) { ui::set_screen_area([r] { return r; }); }
    ~FakeScreen() { ui::set_screen_area({}); }
};

TEST(Fitting, EveryWindowFitsSmallScreensWithItsLayoutIntact) {
    // The free areas of 1920×1080 and 1366×768 screens at 100 %, 150 % and
    // 200 %, less a panel.
    const QRect areas[] = {{0, 0, 1920, 1040}, {0, 0, 1280, 690}, {0, 0, 960, 510},
                           {0, 0, 1366, 728},  {0, 0, 910, 482},  {0, 27, 683, 357}};
    for (const char* name : {"firstpage", "pingmian", "teshu", "Form1", "Form2", "Form3", "tulun", "xunhuan",
                             "Tlanzhuang", "frmshuju"}) {
        QMap<QString, QRect> full;
        QSize full_size;
        {
            Program program;  // offscreen: the layout at its design size
            QWidget* w = program.open(QLatin1String(name));
            ASSERT_TRUE(w);
            full = layout_of(w);
            full_size = w->size();
        }
        for (const QRect& area : areas) {
            SCOPED_TRACE(testing::Message() << name << " on " << area.width() << "x" << area.height());
            FakeScreen screen(area);
            Program program;
            QWidget* w = program.open(QLatin1String(name));
            ASSERT_TRUE(w);
            expect_fits(w, area);
            EXPECT_EQ(ui::design_size(w), full_size);
            const QMap<QString, QRect> now = layout_of(w);
            EXPECT_EQ(now.keys(), full.keys());
            for (auto it = full.cbegin(); it != full.cend(); ++it)
                EXPECT_EQ(now.value(it.key()), it.value()) << it.key().toStdString();
            if (QLatin1String(name) == QLatin1String("Form1")) {
                // The analysis view is a larger window of the same window.
                w->findChild<QAbstractButton*>(QStringLiteral("CommandButton1"))->click();
                flush();
                expect_fits(w, area);
                w->findChild<QTabWidget*>()->setCurrentIndex(1);
                flush();
                expect_fits(w, area);
            }
        }
    }
}

}  // namespace
}  // namespace vm

namespace vm {
namespace {

// A refusal puts the focus on the box it is about, with its text selected, so
// the student can retype at once.
TEST(RefusalFocus, TheRefusedBoxTakesTheFocus) {
    struct Case {
        const char *window, *box, *text, *button;
    } cases[] = {
        {"firstpage", "hs_d", "-170", "shujuOK"},  {"firstpage", "qb_w", "abc", "shujuOK"},
        {"firstpage", "hs_e", "5000", "shujuOK"},  {"Form1", "txt_sudu", "abc", "Command4"},
        {"Form1", "Text2", "", "Command4"},        {"Form2", "f_itxt", "900", "f_draw"},
        {"Form2", "f_ktxt", "x", "f_draw"},         {"Form3", "Text6", "-1", "Command1"},
        {"tulun", "HIGH", "20", "theory"},         {"tulun", "roll", "70", "real"},
        {"tulun", "BASE", "3", "theory"},          {"tulun", "OFFSET", "abc", "theory"},
        {"frmshuju", "hs_d", "-1", "ok"},         {"teshu", "Text4", "abc", "Command1"},
        {"teshu", "Text5", "20", "Command1"},      {"teshu", "Text3", "1e6", "Command1"},
        {"pingmian", "Text2", "", "Command1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.window) + " " + c.box + " \"" + c.text + "\"");
        Program program;
        QWidget* window = program.open(QLatin1String(c.window));
        ASSERT_TRUE(window);
        auto* box = window->findChild<QLineEdit*>(QLatin1String(c.box));
        auto* button = window->findChild<QAbstractButton*>(QLatin1String(c.button));
        ASSERT_TRUE(box && button);
        reveal(window, box, button);
        window->activateWindow();
        box->setText(QString::fromUtf8(c.text));
        const int before = int(program.messages.messages.size());
        button->setFocus();
        button->click();
        EXPECT_EQ(int(program.messages.messages.size()), before + 1) << "a refusal is said";
        EXPECT_EQ(window->focusWidget(), box);
        EXPECT_EQ(box->selectedText(), box->text());
    }
}

}  // namespace
}  // namespace vm
