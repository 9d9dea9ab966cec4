// Window plumbing: the reversed-range scroll bar, the closed signal of working
// windows, the message recorder, and the tour's files.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTemporaryDir>

#include "tests/support/message_recorder.h"
#include "ui/common/tour.h"
#include "ui/common/vb_scroll_bar.h"
#include "ui/common/window_plumbing.h"

namespace vm::ui {
namespace {

TEST(VbScrollBar, ReversedRangeRunsFromMinAtTheLeftToMaxAtTheRight) {
    VbScrollBar bar(Qt::Horizontal);
    bar.set_range(200, -100);
    EXPECT_EQ(bar.value(), 0);  // a value inside the new range stays
    std::vector<int> seen;
    QObject::connect(&bar, &VbScrollBar::changed, [&](int v) { seen.push_back(v); });
    bar.bar()->setValue(bar.bar()->minimum());
    EXPECT_EQ(bar.value(), 200);
    bar.bar()->setValue(bar.bar()->maximum());
    EXPECT_EQ(bar.value(), -100);
    bar.set_value(50);
    EXPECT_EQ(bar.value(), 50);
    EXPECT_EQ(bar.bar()->value(), 150);  // 150 steps from the left end
    bar.set_value(500);                    // clamped into the range
    EXPECT_EQ(bar.value(), 200);
    EXPECT_EQ(seen, (std::vector<int>{200, -100, 50, 200}));
}

TEST(VbScrollBar, NewRangeKeepsTheValueWhereItStillFits) {
    VbScrollBar bar(Qt::Vertical);
    bar.set_range(-5, 5);
    bar.set_value(3);
    bar.set_range(10, -10);
    EXPECT_EQ(bar.value(), 3);
    bar.set_range(0, 2);
    EXPECT_EQ(bar.value(), 2);
}

TEST(WorkingWindow, ClosingTellsOnceAndDeletesTheWindow) {
    QPointer<WorkingWindow> w = new WorkingWindow;
    int closed = 0;
    QObject::connect(w, &WorkingWindow::closed, [&] { ++closed; });
    w->show();
    w->close();
    EXPECT_EQ(closed, 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());
}

TEST(Messages, RecorderTakesTheBoxAndGivesItBack) {
    {
        test::MessageRecorder rec;
        show_message(nullptr, QStringLiteral("请输入数字"), kTitleDataError);
        ASSERT_EQ(rec.messages.size(), 1u);
        EXPECT_EQ(rec.messages[0].second, QStringLiteral("数据错误"));
    }
    test::MessageRecorder again;
    show_message(nullptr, QStringLiteral("请输入数据"));
    ASSERT_EQ(again.messages.size(), 1u);
    EXPECT_EQ(again.messages[0].second, QStringLiteral("错误"));
}

TEST(Tour, WritesPicturesAndTheControlTexts) {
    QTemporaryDir dir;
    Tour tour(dir.filePath("tour"));
    QWidget w;
    w.resize(80, 40);
    auto* edit = new QLineEdit(QStringLiteral("225"), &w);
    edit->setObjectName(QStringLiteral("hs_h"));
    w.show();
    tour.snap(&w, QStringLiteral("window"));
    tour.record_controls(&w, QStringLiteral("firstpage"));
    ASSERT_TRUE(tour.finish());
    EXPECT_EQ(tour.pictures(), 1);
    EXPECT_FALSE(QImage(dir.filePath("tour/window.png")).isNull());
    QFile json(dir.filePath("tour/controls.json"));
    ASSERT_TRUE(json.open(QIODevice::ReadOnly));
    const QJsonObject root = QJsonDocument::fromJson(json.readAll()).object();
    EXPECT_EQ(root.value("firstpage").toObject().value("hs_h").toString(), QStringLiteral("225"));
}

}  // namespace
}  // namespace vm::ui
