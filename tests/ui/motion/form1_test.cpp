// Form1 driven through its buttons: the two views and the tab heights, the
// single-position polygons (closing, the seams of the cycle, panning, bad
// input), the fifteen-position grid, and the hand-over to Form2 and Form3.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <cmath>

#include "core/number_text.h"
#include "draw/surface_widget.h"
#include "tests/support/message_recorder.h"
#include "tests/support/tolerance.h"
#include "tests/ui/motion/motion_fixture.h"
#include "ui/common/twips.h"
#include "ui/common/vb_scroll_bar.h"
#include "ui/motion/form1.h"
#include "ui/motion/form2.h"
#include "ui/motion/form3.h"

namespace vm {
namespace {

using draw::Primitive;
using test::near;

struct Opened {
    Opened() : state(test::default_design()), w(new Form1(*state)) {
        QObject::connect(w.data(), &ui::WorkingWindow::closed, [this] { ++closed; });
        w->show();
    }
    ~Opened() { delete w.data(); }
    const draw::DrawingSurface& picture3() const { return w->Picture3->surface(); }
    std::unique_ptr<DesignState> state;
    QPointer<Form1> w;
    int closed = 0;
};

// An arrow as drawn: its shaft, and its two barbs when it has a head.
struct DrawnArrow {
    Primitive shaft;
    int barbs = 0;
};
// Splits a picture's lines into arrows: barbs start at the tip of the shaft before them.
std::vector<DrawnArrow> arrows(const draw::DrawingSurface& s) {
    std::vector<DrawnArrow> out;
    for (const Primitive& p : test::lines(s)) {
        const bool barb = !out.empty() && out.back().barbs < 2 && p.x1 == out.back().shaft.x2 &&
                          p.y1 == out.back().shaft.y2 && out.back().shaft.x1 != p.x1;
        if (barb)
            ++out.back().barbs;
        else
            out.push_back({p, 0});
    }
    return out;
}

double px_distance(double x1, double y1, double x2, double y2) { return std::hypot(x1 - x2, y1 - y2); }

TEST(Form1Views, MenuAtLoadAnalysisOnDemandAndBack) {
    Opened o;
    EXPECT_EQ(o.w->windowTitle(), QStringLiteral("Form1"));
    EXPECT_TRUE(o.w->Picture4->isVisible());
    EXPECT_FALSE(o.w->SSTab1->isVisible());
    const QSize menu = o.w->size();
    o.w->CommandButton1->click();
    EXPECT_TRUE(o.w->SSTab1->isVisible());
    EXPECT_FALSE(o.w->Picture4->isVisible());
    EXPECT_GT(o.w->width(), menu.width());
    EXPECT_EQ(o.w->width() - menu.width(), ui::twips(10320) - ui::twips(3600));
    EXPECT_EQ(o.w->height() - menu.height(), ui::twips(8000) - ui::twips(4400));
    o.w->Command2->click();
    EXPECT_EQ(o.w->size(), menu);
    EXPECT_TRUE(o.w->Picture4->isVisible());
    EXPECT_FALSE(o.w->SSTab1->isVisible());
}

TEST(Form1Views, TabsSetTheHeightAndShowTheScaleOfTheirDiagram) {
    Opened o;
    o.w->CommandButton1->click();
    const int short_height = o.w->height();
    o.w->SSTab1->setCurrentIndex(1);
    EXPECT_EQ(o.w->height() - short_height, ui::twips(9000) - ui::twips(8000));
    EXPECT_TRUE(o.w->Text16->isVisible());
    EXPECT_FALSE(o.w->Text17->isVisible());
    // The bottom row is inside the taller window only.
    EXPECT_LT(o.w->Command1->geometry().bottom(), o.w->height());
    o.w->SSTab1->setCurrentIndex(2);
    EXPECT_TRUE(o.w->Text17->isVisible());
    EXPECT_FALSE(o.w->Text16->isVisible());
    EXPECT_EQ(o.w->Text17->y(), o.w->Text16->y());
    EXPECT_EQ(o.w->lblua->y(), o.w->lbluv->y());
    o.w->SSTab1->setCurrentIndex(0);
    EXPECT_EQ(o.w->height(), short_height);
    EXPECT_GT(o.w->Command1->geometry().top(), o.w->height() - 1);
}

TEST(Form1Views, BackToTheAnalysisViewOnAGridTabKeepsItsBottomRow) {
    for (int tab : {1, 2}) {
        Opened o;
        o.w->CommandButton1->click();
        const int short_height = o.w->height();
        o.w->SSTab1->setCurrentIndex(tab);
        const int tall_height = o.w->height();
        o.w->Command2->click();
        o.w->CommandButton1->click();
        EXPECT_EQ(o.w->SSTab1->currentIndex(), tab);
        EXPECT_EQ(o.w->height(), tall_height) << tab;
        EXPECT_LT(o.w->Command1->geometry().bottom(), o.w->height()) << tab;
        EXPECT_EQ(o.w->Text16->isVisible(), tab == 1);
        EXPECT_EQ(o.w->Text17->isVisible(), tab == 2);
        o.w->SSTab1->setCurrentIndex(0);
        o.w->Command2->click();
        o.w->CommandButton1->click();
        EXPECT_EQ(o.w->height(), short_height) << tab;
    }
}

TEST(Form1Single, BothPolygonsCloseAsDrawn) {
    Opened o;
    for (const char* angle : {"30", "100", "200", "290", "-45"}) {
        o.w->Text2->setText(QString::fromLatin1(angle));
        o.w->Command4->click();
        const auto a = arrows(o.picture3());
        ASSERT_EQ(a.size(), 7u) << angle;
        for (const DrawnArrow& d : a) EXPECT_EQ(d.barbs, 2) << angle;
        // Velocity: p->a, p->b, a->b. a->b starts at a and ends at b.
        EXPECT_LT(px_distance(a[2].shaft.x1, a[2].shaft.y1, a[0].shaft.x2, a[0].shaft.y2), 1e-6) << angle;
        EXPECT_LT(px_distance(a[2].shaft.x2, a[2].shaft.y2, a[1].shaft.x2, a[1].shaft.y2), 1e-3) << angle;
        // Acceleration: p'->a', p'->b', a'->n', n'->b'.
        EXPECT_LT(px_distance(a[5].shaft.x1, a[5].shaft.y1, a[3].shaft.x2, a[3].shaft.y2), 1e-6) << angle;
        EXPECT_LT(px_distance(a[6].shaft.x1, a[6].shaft.y1, a[5].shaft.x2, a[5].shaft.y2), 1e-6) << angle;
        EXPECT_LT(px_distance(a[6].shaft.x2, a[6].shaft.y2, a[4].shaft.x2, a[4].shaft.y2), 1e-3) << angle;
        // Velocity arrows dark red, acceleration arrows black.
        EXPECT_EQ(a[0].shaft.colour, draw::qb_color(4));
        EXPECT_EQ(a[6].shaft.colour, draw::qb_color(0));
    }
}

TEST(Form1Single, ZeroThreeSixtyAndSevenTwentyDrawTheSamePolygons) {
    Opened o;
    std::vector<std::vector<Primitive>> drawn;
    std::vector<std::vector<double>> values;
    for (const char* angle : {"0", "360", "720"}) {
        o.w->Text2->setText(QString::fromLatin1(angle));
        o.w->Command4->click();
        drawn.push_back(test::lines(o.picture3()));
        std::vector<double> shown;
        for (QLineEdit* t : o.w->value_texts) shown.push_back(val(t->text().toStdString()));
        values.push_back(shown);
    }
    for (size_t i = 1; i < drawn.size(); ++i) {
        // 360 degrees in the window's pi is a hair short of a turn; a value
        // lying on a rounding boundary may show one hundredth apart.
        for (size_t j = 0; j < values[0].size(); ++j) EXPECT_LE(std::fabs(values[i][j] - values[0][j]), 0.0101);
        ASSERT_EQ(drawn[i].size(), drawn[0].size());
        for (size_t j = 0; j < drawn[0].size(); ++j) {
            EXPECT_LT(px_distance(drawn[i][j].x1, drawn[i][j].y1, drawn[0][j].x1, drawn[0][j].y1), 0.01);
            EXPECT_LT(px_distance(drawn[i][j].x2, drawn[i][j].y2, drawn[0][j].x2, drawn[0][j].y2), 0.01);
        }
    }
    // At the top dead centre the piston stands still: its arrow has no head.
    EXPECT_EQ(o.w->value_texts[1]->text(), QStringLiteral("0.00m/s"));
    EXPECT_EQ(arrows(o.picture3())[1].barbs, 0);
}

TEST(Form1Single, ScrollBarsPanTheDrawing) {
    Opened o;
    o.w->Text2->setText(QStringLiteral("60"));
    o.w->Command4->click();
    const auto before = test::lines(o.picture3());
    o.w->HScroll1->set_value(2);
    o.w->VScroll1->set_value(-1);
    const auto after = test::lines(o.picture3());
    ASSERT_EQ(after.size(), before.size());
    const double px_x = o.w->Picture3->width() / 700.0, px_y = o.w->Picture3->height() / (700.0 * 6 / 7);
    for (size_t i = 0; i < before.size(); ++i) {
        // The left edge moves 200 units right, so the drawing moves left; the
        // top edge moves 100 units up, so the drawing moves down.
        EXPECT_TRUE(near(after[i].x1 - before[i].x1, -200 * px_x, 1e-6));
        EXPECT_TRUE(near(after[i].y1 - before[i].y1, 100 * px_y, 1e-6));
    }
}

TEST(Form1Single, NonNumericInputLeavesThePictureClearedAndTextsAlone) {
    Opened o;
    o.w->Command4->click();
    const QString shown = o.w->value_texts[3]->text();
    for (QLineEdit* box : {o.w->Text2, o.w->txt_sudu, o.w->txt_jiasudu}) {
        test::MessageRecorder rec;
        const QString old = box->text();
        box->setText(QStringLiteral("1,5"));
        o.w->Command4->click();
        ASSERT_EQ(rec.messages.size(), 1u);
        EXPECT_EQ(rec.messages[0].first, QStringLiteral("请输入数字"));
        EXPECT_EQ(rec.messages[0].second, QStringLiteral("错误"));
        EXPECT_TRUE(o.picture3().display_list().empty());
        EXPECT_EQ(o.w->value_texts[3]->text(), shown);
        box->setText(old);
    }
}

TEST(Form1Single, WholeTurnsDropAndBothPolygonsStayInThePicture) {
    Opened o;
    std::vector<std::vector<Primitive>> drawn;
    for (const char* angle : {"280", "1e12", "-80", "0", "400"}) {
        o.w->Text2->setText(QString::fromLatin1(angle));
        o.w->Command4->click();
        drawn.push_back(test::lines(o.picture3()));
        for (const Primitive& p : drawn.back()) {
            EXPECT_GE(p.x2, 0) << angle;
            EXPECT_LE(p.x2, o.w->Picture3->width()) << angle;
            EXPECT_GE(p.y2, 0) << angle;
            EXPECT_LE(p.y2, o.w->Picture3->height()) << angle;
        }
    }
    ASSERT_EQ(drawn[1].size(), drawn[0].size());
    for (size_t j = 0; j < drawn[0].size(); ++j) EXPECT_LT(px_distance(drawn[1][j].x2, drawn[1][j].y2, drawn[0][j].x2, drawn[0][j].y2), 0.01);
}

TEST(Form1Single, ScalesThatCannotBeDrawnAreRefusedNamingTheBox) {
    Opened o;
    for (const char* bad : {"1e308", "1e300", "0", "-5"})
        for (QLineEdit* box : {o.w->txt_sudu, o.w->txt_jiasudu}) {
            test::MessageRecorder rec;
            const QString old = box->text();
            box->setText(QString::fromLatin1(bad));
            o.w->Command4->click();
            ASSERT_EQ(rec.messages.size(), 1u) << bad;
            EXPECT_TRUE(rec.messages[0].first.contains(QStringLiteral("比例尺"))) << bad;
            EXPECT_TRUE(o.picture3().display_list().empty()) << bad;
            box->setText(old);
        }
}

TEST(Form1Sheet, TheWorkedSheetShowsTheFirstTabsFigures) {
    Opened o;
    const char* names[7] = {"v_A = ", "v_B = ", "v_BA = ", "a_A = ", "a_B = ", "aⁿ_BA = ", "aᵗ_BA = "};
    for (const char* angle : {"0", "60", "400"}) {
        o.w->Text2->setText(QString::fromLatin1(angle));
        o.w->Command4->click();
        const QString sheet = o.w->sheet->toPlainText();
        for (size_t i = 0; i < 7; ++i) {
            const QString shown = o.w->value_texts[i]->text();
            const QString number = shown.left(shown.indexOf(QStringLiteral("m/s")));
            EXPECT_TRUE(sheet.contains(QString::fromUtf8(names[i]) + number + QStringLiteral(" m/s"))) << angle << " " << i;
        }
    }
}

TEST(Form1Grid, FifteenLabelsReadTheAnglesOfTheirPositions) {
    Opened o;
    o.w->Text1->setText(QStringLiteral("10"));
    o.w->Command1->click();
    std::vector<QString> v_labels, a_labels;
    for (const QString& t : test::texts(o.w->Picture1->surface()))
        if (t.contains(QStringLiteral("φ"))) v_labels.push_back(t);
    for (const QString& t : test::texts(o.w->Picture2->surface()))
        if (t.contains(QStringLiteral("φ"))) a_labels.push_back(t);
    ASSERT_EQ(v_labels.size(), 15u);
    ASSERT_EQ(a_labels.size(), 15u);
    for (int k = 1; k <= 15; ++k) {
        const QString angle = QString::fromStdString(format_0_00(10 + 24 * (k - 1)));
        EXPECT_EQ(v_labels[static_cast<size_t>(k - 1)], QStringLiteral("A %1  φ＝%2度").arg(k).arg(angle));
        EXPECT_EQ(a_labels[static_cast<size_t>(k - 1)], QStringLiteral("A %1 φ＝%2度").arg(k).arg(angle));
    }
    EXPECT_TRUE(v_labels.back().contains(QStringLiteral("346.00")));
}

TEST(Form1Grid, DrawingTwiceGivesTheSameGrid) {
    Opened o;
    o.w->Command1->click();
    const auto first = o.w->Picture1->surface().display_list();
    const auto first_a = o.w->Picture2->surface().display_list();
    o.w->Command1->click();
    const auto second = o.w->Picture1->surface().display_list();
    ASSERT_EQ(second.size(), first.size());
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(second[i].x1, first[i].x1);
        EXPECT_EQ(second[i].y2, first[i].y2);
    }
    EXPECT_EQ(o.w->Picture2->surface().display_list().size(), first_a.size());
    // Every arrow ends inside its picture.
    for (const Primitive& p : test::lines(o.w->Picture1->surface())) {
        EXPECT_GE(p.x2, 0);
        EXPECT_LE(p.x2, o.w->Picture1->width());
        EXPECT_GE(p.y2, 0);
        EXPECT_LE(p.y2, o.w->Picture1->height());
    }
}

TEST(Form1Grid, AZeroScaleDrawsPointsWithoutHeads) {
    Opened o;
    o.w->Text16->setText(QStringLiteral("0"));
    o.w->Text17->setText(QStringLiteral("比例"));  // read as 0, no message
    test::MessageRecorder rec;
    o.w->Command1->click();
    EXPECT_TRUE(rec.messages.empty());
    for (const draw::DrawingSurface* s : {&o.w->Picture1->surface(), &o.w->Picture2->surface()}) {
        const auto l = test::lines(*s);
        EXPECT_EQ(l.size(), 15u * (s == &o.w->Picture1->surface() ? 3 : 4));
        for (const Primitive& p : l) EXPECT_EQ(px_distance(p.x1, p.y1, p.x2, p.y2), 0);
    }
}

TEST(Form1HandOver, ForcePolygonsAndBack) {
    Opened o;
    o.w->CommandButton2->click();
    QPointer<Form2> f2 = o.w->form2();
    ASSERT_TRUE(f2);
    EXPECT_TRUE(f2->isVisible());
    EXPECT_FALSE(o.w->isVisible());
    EXPECT_NE(o.state->force_table.at(360, kFGas), 0);
    f2->back->click();
    QApplication::processEvents();
    EXPECT_TRUE(o.w->isVisible());
    EXPECT_EQ(o.closed, 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(f2.isNull());
}

TEST(Form1HandOver, ClosingTheTorqueWindowByItsFrameClosesThisOneToo) {
    Opened o;
    o.w->CommandButton3->click();
    QPointer<Form3> f3 = o.w->form3();
    ASSERT_TRUE(f3);
    EXPECT_TRUE(f3->isVisible());
    f3->close();
    EXPECT_EQ(o.closed, 1) << "the main window is told to show itself again";
    EXPECT_FALSE(o.w->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(o.w.isNull());
    EXPECT_TRUE(f3.isNull());
}

}  // namespace
}  // namespace vm
