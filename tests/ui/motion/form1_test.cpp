// Form1 driven through its buttons: the two views and the tab heights, the
// single-position polygons (closing, the seams of the cycle, panning, bad
// input), the fifteen-position grid, and the hand-over to Form2 and Form3.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <cmath>
#include <regex>

#include "core/number_text.h"
#include "draw/surface_widget.h"
#include "tests/support/message_recorder.h"
#include "tests/support/tolerance.h"
#include "tests/ui/motion/motion_fixture.h"
#include "ui/common/twips.h"
#include "ui/common/vb_scroll_bar.h"
#include "ui/motion/form1.h"
#include "ui/motion/form1_sheet.h"
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
    // The drawing units are square on the screen.
    const double px_x = o.w->Picture3->width() / 700.0, px_y = px_x;
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

// The drawn lengths the sheet gives are the lengths of the arrows in the
// first tab's picture, in millimetres on the screen (15 twips to a pixel).
TEST(Form1Sheet, DrawnLengthsAreTheArrowsOfThePicture) {
    Opened o;
    constexpr double kMmPerPx = 15 * 25.4 / 1440;
    const char* names[7] = {"pa", "pb", "ab", "p'a'", "p'b'", "a'n'", "n'b'"};
    for (const char* angle : {"0", "60", "400"}) {
        o.w->Text2->setText(QString::fromLatin1(angle));
        o.w->Command4->click();
        const std::string sheet = o.w->sheet->toPlainText().toStdString();
        const auto a = arrows(o.picture3());
        ASSERT_EQ(a.size(), 7u);
        for (size_t i = 0; i < 7; ++i) {
            const std::regex re(std::string("[，：]") + names[i] + " = ([0-9.]+) mm");
            std::smatch m;
            ASSERT_TRUE(std::regex_search(sheet, m, re)) << names[i];
            const Primitive& p = a[i].shaft;
            EXPECT_EQ(m[1].str(), format_0_00(px_distance(p.x1, p.y1, p.x2, p.y2) * kMmPerPx)) << angle << " " << names[i];
        }
    }
}

TEST(Form1Sheet, TheSheetIsSelectableAndCopiesWhole) {
    Opened o;
    o.w->Text2->setText(QStringLiteral("60"));
    o.w->Command4->click();
    EXPECT_TRUE(o.w->sheet->isReadOnly());
    EXPECT_TRUE(o.w->sheet->textInteractionFlags() & Qt::TextSelectableByMouse);
    o.w->sheet_page->copy->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), o.w->sheet->toPlainText());
    EXPECT_TRUE(o.w->sheet->toPlainText().contains(QStringLiteral("v_B = v_A + v_BA")));
}

// Typing the lengths the sheet gives checks at 0 %, a vector drawn 10 % too
// long at 10 %, and boxes left empty are skipped.
TEST(Form1Check, ExactLengthsAreGreenALongerVectorIsRedAndNamed) {
    Opened o;
    o.w->Text2->setText(QStringLiteral("60"));
    o.w->Command4->click();
    SheetPage* page = o.w->sheet_page;
    ASSERT_EQ(page->rows.size(), 7u);
    // The drawn lengths themselves (the sheet prints them to a hundredth of a mm).
    std::vector<double> printed;
    for (const SheetVector& v : page->sheet().vectors) printed.push_back(v.drawn_mm);
    struct Case {
        int longer;  // index of the vector drawn 10 % too long, -1 for none
        int empty;   // index of a box left empty
    };
    for (const Case c : {Case{-1, -1}, Case{2, 5}, Case{4, 0}}) {
        for (size_t i = 0; i < 7; ++i) {
            const double len = static_cast<int>(i) == c.longer ? printed[i] * 1.1 : printed[i];
            page->rows[i].measured->setText(static_cast<int>(i) == c.empty ? QString() : QString::number(len, 'f', 6));
        }
        test::MessageRecorder rec;
        page->check_button->click();
        EXPECT_TRUE(rec.messages.empty());
        for (size_t i = 0; i < 7; ++i) {
            const SheetPage::Row& r = page->rows[i];
            if (static_cast<int>(i) == c.empty) {
                EXPECT_TRUE(r.error->text().isEmpty());
                continue;
            }
            // The exact value is the first tab's figure without its sign.
            const QString shown = o.w->value_texts[i]->text();
            EXPECT_EQ(r.exact->text(), QString::fromStdString(format_0_00(std::fabs(val(shown.toStdString())))));
            const bool is_longer = static_cast<int>(i) == c.longer;
            EXPECT_EQ(r.error->text(), is_longer ? QStringLiteral("10.0 %") : QStringLiteral("0.0 %")) << i;
            EXPECT_TRUE(r.error->styleSheet().contains(QLatin1String(is_longer ? SheetPage::kRed : SheetPage::kGreen)));
        }
        const QString most = page->summary->text();
        if (c.longer >= 0) {
            EXPECT_TRUE(most.contains(QString::fromStdString(page->sheet().vectors[static_cast<size_t>(c.longer)].name)))
                << most.toStdString();
            EXPECT_TRUE(most.contains(QStringLiteral("10.0 %")));
        } else {
            EXPECT_TRUE(most.contains(QStringLiteral("全部在 5 % 以内")));
        }
    }
    // A new position clears the results; the typed lengths stay for the same vectors.
    o.w->Text2->setText(QStringLiteral("61"));
    o.w->Command4->click();
    EXPECT_TRUE(page->rows[1].error->text().isEmpty());
    EXPECT_TRUE(page->summary->text().isEmpty());
    EXPECT_FALSE(page->rows[1].measured->text().isEmpty());
}

TEST(Form1Check, BadEntriesAreRefusedNamingTheirBox) {
    Opened o;
    o.w->Text2->setText(QStringLiteral("60"));
    o.w->Command4->click();
    SheetPage* page = o.w->sheet_page;
    struct Case {
        int box;  // row index, or -1 / -2 for the scale boxes μv / μa
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {2, "abc", "v_BA 的量得长度请输入数字"}, {0, "-3", "v_A 的量得长度应在0～10000 mm之间"},
        {4, "1e999", "a_B 的量得长度请输入数字"}, {6, "12abc", "aᵗ_BA 的量得长度请输入数字"},
        {1, "20000", "v_B 的量得长度应在"},     {-1, "0", "比例尺 μv"},
        {-1, "abc", "比例尺 μv"},               {-2, "-0.5", "比例尺 μa"},
        {-2, "", "比例尺 μa"},
    };
    for (const Case& c : cases) {
        for (size_t i = 0; i < 7; ++i) page->rows[i].measured->setText(QStringLiteral("20"));
        page->scale_boxes[0]->setText(QStringLiteral("0.28"));
        page->scale_boxes[1]->setText(QStringLiteral("18"));
        QLineEdit* box = c.box >= 0 ? page->rows[static_cast<size_t>(c.box)].measured
                                    : page->scale_boxes[static_cast<size_t>(-c.box - 1)];
        box->setText(QString::fromUtf8(c.text));
        test::MessageRecorder rec;
        page->check_button->click();
        ASSERT_EQ(rec.messages.size(), 1u) << c.text;
        EXPECT_TRUE(rec.messages[0].first.contains(QString::fromUtf8(c.message))) << rec.messages[0].first.toStdString();
        EXPECT_EQ(rec.messages[0].second, QStringLiteral("错误"));
        EXPECT_EQ(box->selectedText(), box->text()) << "the refused box is selected for retyping";
        for (const SheetPage::Row& r : page->rows) EXPECT_TRUE(r.error->text().isEmpty()) << c.text;
    }
    // Nothing typed at all.
    for (const SheetPage::Row& r : page->rows) r.measured->clear();
    test::MessageRecorder rec;
    page->check_button->click();
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_TRUE(rec.messages[0].first.contains(QStringLiteral("量得的长度")));
    // A scale box that is not used may hold anything.
    page->rows[0].measured->setText(QStringLiteral("25"));
    page->scale_boxes[1]->setText(QStringLiteral("x"));
    test::MessageRecorder rec2;
    page->check_button->click();
    EXPECT_TRUE(rec2.messages.empty());
    EXPECT_FALSE(page->rows[0].error->text().isEmpty());
}

// No name or caption is printed over another or struck through by a line,
// for the single position and the fifteen-position grids.
TEST(Form1Labels, NoLabelOverALabelOrALine) {
    Opened o;
    for (const char* angle : {"0", "60", "135", "250", "400"}) {
        o.w->Text2->setText(QString::fromLatin1(angle));
        o.w->Command4->click();
        EXPECT_EQ(test::label_clash(o.picture3()), QString()) << angle;
    }
    for (const char* first : {"0", "10", "45"}) {
        o.w->Text1->setText(QString::fromLatin1(first));
        o.w->Command1->click();
        EXPECT_EQ(test::label_clash(o.w->Picture1->surface()), QString()) << "velocity, first " << first;
        EXPECT_EQ(test::label_clash(o.w->Picture2->surface()), QString()) << "acceleration, first " << first;
        // Each caption stays by its own cell.
        int captions = 0;
        for (const Primitive& p : test::primitives(o.w->Picture1->surface(), draw::PrimitiveKind::Text))
            if (p.text.contains(QStringLiteral("φ"))) {
                ++captions;
                EXPECT_GE(p.x1, 0);
                EXPECT_LE(p.x1 + p.x2, o.w->Picture1->width());
            }
        EXPECT_EQ(captions, 15);
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
