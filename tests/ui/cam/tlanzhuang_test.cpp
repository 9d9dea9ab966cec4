// The cam mounting angle window: alpha and beta for several stroke-speed
// ratios, the undefined K = -1, its picture and the way back.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include "core/design_state.h"
#include "draw/surface_widget.h"
#include "tests/support/message_recorder.h"
#include "ui/cam/Tlanzhuang.h"

namespace vm {
namespace {

TEST(Tlanzhuang, AnglesFromTheStrokeSpeedRatio) {
    const struct {
        const char *k, *beta;
    } cases[] = {{"1.04", "511.529411764706"}, {"1", "508"}, {"1.2", "524.363636363636"}, {"3", "598"}};
    for (const auto& c : cases) {
        DesignState state;
        state.hs_k = c.k;
        test::MessageRecorder rec;
        Tlanzhuang w(state);
        EXPECT_EQ(w.windowTitle(), QStringLiteral("凸轮安装角"));
        EXPECT_EQ(w.Text1->text(), QStringLiteral("710")) << c.k;
        EXPECT_EQ(w.Text2->text(), QString::fromLatin1(c.beta)) << c.k;
        EXPECT_TRUE(rec.messages.empty());
    }
}

TEST(Tlanzhuang, MinusOneHasNoLimitPositionAngle) {
    DesignState state;
    state.hs_k = "-1";
    test::MessageRecorder rec;
    Tlanzhuang w(state);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].second, QStringLiteral("数据错误"));
    EXPECT_TRUE(w.Text2->text().isEmpty());
    EXPECT_EQ(w.Text1->text(), QStringLiteral("710"));
}

TEST(Tlanzhuang, PictureNamesTheShaftsAndTheTwoAngles) {
    DesignState state;
    state.hs_k = "1.04";
    Tlanzhuang w(state);
    EXPECT_EQ(w.Picture1->size(), QSize(525, 539));
    QStringList texts;
    int arcs = 0, circles = 0;
    for (const draw::Primitive& p : w.Picture1->surface().display_list()) {
        if (p.kind == draw::PrimitiveKind::Text) texts << p.text;
        arcs += p.kind == draw::PrimitiveKind::Arc;
        circles += p.kind == draw::PrimitiveKind::Circle || p.kind == draw::PrimitiveKind::FilledCircle;
        // Everything lies inside the picture (circles carry their fill colour in x2).
        const bool two_points = p.kind == draw::PrimitiveKind::Line || p.kind == draw::PrimitiveKind::Box ||
                                p.kind == draw::PrimitiveKind::FilledBox;
        for (double x : {p.x1, two_points ? p.x2 : p.x1}) EXPECT_TRUE(x >= -1 && x <= 526) << x;
        for (double y : {p.y1, two_points ? p.y2 : p.y1}) EXPECT_TRUE(y >= -1 && y <= 540) << y;
    }
    for (const char* name : {"O", "O1", "O2", "α", "β", "A", "B"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(name))) << name;
    EXPECT_TRUE(texts.join(QString()).contains(QStringLiteral("α角")));
    EXPECT_TRUE(texts.join(QString()).contains(QStringLiteral("β角")));
    EXPECT_EQ(arcs, 3);  // the crank's turning sense and the two mounting angles
    EXPECT_GE(circles, 6);
}

TEST(Tlanzhuang, BackButtonClosesTheWindow) {
    DesignState state;
    state.hs_k = "1.04";
    QPointer<Tlanzhuang> w = new Tlanzhuang(state);
    int closed = 0;
    QObject::connect(w.data(), &ui::WorkingWindow::closed, [&] { ++closed; });
    w->show();
    w->CommandButton1->click();
    EXPECT_EQ(closed, 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());
}

}  // namespace
}  // namespace vm
