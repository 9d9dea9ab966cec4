// The cam mounting angle window: alpha and beta for several stroke-speed
// ratios, the undefined K = -1, the names on its picture and the way back.
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

DesignState design_with_k(const char* k) {
    DesignState state;
    state.hs_k = k;
    return state;
}

TEST(Tlanzhuang, AnglesFromTheStrokeSpeedRatio) {
    const struct {
        const char *k, *beta;
    } cases[] = {{"1.04", "511.529411764706"}, {"1", "508"}, {"1.2", "524.363636363636"}, {"3", "598"}};
    for (const auto& c : cases) {
        DesignState state = design_with_k(c.k);
        test::MessageRecorder rec;
        Tlanzhuang w(state);
        EXPECT_EQ(w.windowTitle(), QStringLiteral("凸轮安装角"));
        EXPECT_EQ(w.Text1->text(), QStringLiteral("710")) << c.k;
        EXPECT_EQ(w.Text2->text(), QString::fromLatin1(c.beta)) << c.k;
        EXPECT_TRUE(rec.messages.empty());
        // Every digit of beta is in sight: the character at the box's right
        // edge is the end of the number, with the box at its given size.
        w.show();
        w.grab();
        for (QLineEdit* box : {w.Text1, w.Text2}) {
            EXPECT_EQ(box->width(), 89);
            EXPECT_EQ(box->cursorPositionAt(QPoint(box->width() - 3, box->height() / 2)), box->text().size())
                << c.k << " " << box->objectName().toStdString();
        }
    }
}

TEST(Tlanzhuang, MinusOneHasNoLimitPositionAngle) {
    DesignState state = design_with_k("-1");
    test::MessageRecorder rec;
    Tlanzhuang w(state);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].second, QStringLiteral("数据错误"));
    EXPECT_TRUE(w.Text2->text().isEmpty());
    EXPECT_EQ(w.Text1->text(), QStringLiteral("710"));
}

TEST(Tlanzhuang, PictureNamesTheShaftsAndTheTwoAngles) {
    DesignState state = design_with_k("1.04");
    Tlanzhuang w(state);
    QStringList texts;
    for (const draw::Primitive& p : w.Picture1->surface().display_list())
        if (p.kind == draw::PrimitiveKind::Text) texts << p.text;
    for (const char* name : {"O", "O1", "O2", "α", "β"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(name))) << name;
    EXPECT_TRUE(texts.join(QString()).contains(QStringLiteral("α角")));
    EXPECT_TRUE(texts.join(QString()).contains(QStringLiteral("β角")));
}

TEST(Tlanzhuang, BackButtonClosesTheWindow) {
    DesignState state = design_with_k("1.04");
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

namespace vm {
namespace {
// Only beta's fifteen digits need a smaller font; "710" keeps the box's own size
// for every K, however long beta is.
TEST(Tlanzhuang, AlphaKeepsItsFontWhateverBetaNeeds) {
    for (const char* k : {"1", "1.04", "1.2", "2.999"}) {
        DesignState state;
        state.hs_k = k;
        Tlanzhuang w(state);
        EXPECT_EQ(w.Text1->font().pointSizeF(), QLineEdit().font().pointSizeF()) << k;
        EXPECT_LE(w.Text2->font().pointSizeF(), w.Text1->font().pointSizeF()) << k;
    }
}
}  // namespace
}  // namespace vm
