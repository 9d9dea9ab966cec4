// The cam window's quality tab and warning line, driven through the window's
// boxes and buttons: warnings for cams the checks accept, the allowed-angle
// boxes, the table, and the quality picture's labels and numbers.
#include "ui/cam/cam_quality_tab.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <cmath>
#include <vector>

#include "core/design_state.h"
#include "draw/surface_widget.h"
#include "tests/support/message_recorder.h"
#include "ui/cam/tulun.h"

namespace vm {
namespace {

using draw::Primitive;
using draw::PrimitiveKind;

struct Opened {
    Opened() : w(new tulun(state)) { w->show(); }
    ~Opened() { delete w; }
    void inputs(const char* h, const char* r0, const char* e, const char* rr) {
        w->HIGH->setText(QString::fromUtf8(h));
        w->BASE->setText(QString::fromUtf8(r0));
        w->OFFSET->setText(QString::fromUtf8(e));
        w->roll->setText(QString::fromUtf8(rr));
    }
    void limits(const char* rise, const char* ret) {
        w->quality->yl_tui->setText(QString::fromUtf8(rise));
        w->quality->yl_hui->setText(QString::fromUtf8(ret));
    }
    // The table cell in column `col` of the row whose item is `item`.
    QString cell(const char* item, int col) const {
        const QTableWidget* t = w->quality->zl_biao;
        for (int r = 0; r < t->rowCount(); ++r)
            if (t->item(r, 0)->text() == QString::fromUtf8(item)) return t->item(r, col)->text();
        return {};
    }
    const std::vector<Primitive>& picture() const {
        return w->quality->zl_pic->surface().display_list();
    }
    DesignState state;
    test::MessageRecorder rec;
    tulun* w;
};

int count(const std::vector<Primitive>& list, PrimitiveKind kind, draw::Colour colour,
          int style = -1) {
    int n = 0;
    for (const Primitive& p : list)
        n += p.kind == kind && p.colour == colour && (style < 0 || p.style == style);
    return n;
}

TEST(CamQualityTab, DefaultCamIsSoundAndItsFiguresAreTabulated) {
    Opened o;
    EXPECT_EQ(o.w->SSTab1->tabText(2), QStringLiteral("凸轮质量检查"));
    o.w->theory->click();
    EXPECT_TRUE(o.rec.messages.empty());
    EXPECT_TRUE(o.w->jinggao->text().isEmpty()) << o.w->jinggao->text().toStdString();
    const struct {
        const char *item, *value, *where;
    } rows[] = {{"推程最大压力角", "4.4°", "0.0°"},
                {"回程最大压力角", "18.3°", "106.4°"},
                {"理论轮廓 ρmin", "43.51 mm", "88.0°"},
                {"实际轮廓 ρmin", "33.51 mm", "88.0°"},
                {"推程所需 r0", "≥ 9.34 mm", "[α] 30°"},
                {"回程所需 r0", "≥ 6.63 mm", "[α′] 70°"},
                {"柔性冲击", "无", "—"}};
    for (const auto& r : rows) {
        EXPECT_EQ(o.cell(r.item, 1), QString::fromUtf8(r.value)) << r.item;
        EXPECT_EQ(o.cell(r.item, 2), QString::fromUtf8(r.where)) << r.item;
    }
    // The two rigid impulses of the constant-velocity rise are marked on the jerk axis.
    EXPECT_EQ(count(o.picture(), PrimitiveKind::FilledCircle, 255),
              3);  // two marks and the legend's
}

TEST(CamQualityTab, AcceptedCamsThatUndercutOrPushTooSteeplyAreWarnedNotRefused) {
    const struct {
        const char *h, *r0, *e, *rr;
        std::vector<const char*> warned;
    } cams[] = {
        {"10", "60", "5", "10", {}},
        // The actual profile loops on itself inside the shaft.
        {"10",
         "16",
         "0",
         "15",
         {"实际轮廓在 δ = 86.6° 处出现尖点或失真，ρmin = 10.08 mm < 滚子半径 15.00 mm",
          "推程最大压力角 30.8° > [α] = 30°，建议基圆半径 r0 ≥ 16.54 mm"}},
        {"10", "16", "0", "5", {"推程最大压力角 30.8° > [α] = 30°"}},
        {"10",
         "7.5",
         "7",
         "1",
         {"推程最大压力角 43.4° > [α] = 30°，回程最大压力角 76.8° > [α′] = 70°"}},
        {"10", "12", "7", "11", {"实际轮廓在 δ = 0.0° 处出现尖点或失真"}},
    };
    for (const auto& c : cams) {
        Opened o;
        o.inputs(c.h, c.r0, c.e, c.rr);
        o.w->real->click();
        EXPECT_TRUE(o.rec.messages.empty()) << c.r0;
        EXPECT_FALSE(o.w->tpic->surface().display_list().empty()) << c.r0;
        const QString line = o.w->jinggao->text();
        EXPECT_EQ(line.isEmpty(), c.warned.empty()) << line.toStdString();
        for (const char* part : c.warned)
            EXPECT_TRUE(line.contains(QString::fromUtf8(part))) << line.toStdString();
        EXPECT_EQ(o.w->quality->zl_jinggao->text(), line);
        // The figures behind a warning are red in the table, the others are not.
        int red = 0;
        const QTableWidget* t = o.w->quality->zl_biao;
        for (int r = 0; r < t->rowCount(); ++r)
            red += t->item(r, 1)->foreground().color() == QColor(255, 0, 0);
        EXPECT_EQ(red > 0, !c.warned.empty()) << c.r0;
    }
}

TEST(CamQualityTab, WarningsFitTheirLabels) {
    const struct {
        const char *r0, *rr, *rise, *ret;
    } cases[] = {{"16", "15", "30", "70"},
                 {"16", "15", "5", "5"},
                 {"16", "15", "1", "1"},
                 {"7.5", "1", "1", "1"}};
    for (const auto& c : cases) {
        Opened o;
        o.inputs("10", c.r0, c.r0[0] == '7' ? "7" : "0", c.rr);
        o.limits(c.rise, c.ret);
        o.w->real->click();
        for (QLabel* l : {o.w->jinggao, o.w->quality->zl_jinggao}) {
            ASSERT_FALSE(l->text().isEmpty());
            EXPECT_LE(l->heightForWidth(l->width()), l->height()) << l->text().toStdString();
            EXPECT_EQ(l->toolTip(), l->text());
        }
    }
}

TEST(CamQualityTab, AllowedAnglesAreCheckedAtTheirBoxes) {
    const struct {
        const char *rise, *ret, *message;
        bool rise_box, warned;
    } cases[] = {
        {"30", "70", nullptr, false, true},
        {"31", "70", nullptr, false, false},
        {"31", "20", nullptr, false, true},
        {"0", "70", "请输入1～89之间的推程许用压力角", true, false},
        {"90", "70", "请输入1～89之间的推程许用压力角", true, false},
        {"", "70", "请输入1～89之间的推程许用压力角", true, false},
        {"30", "abc", "请输入1～89之间的回程许用压力角", false, false},
        {"30", "89.5", "请输入1～89之间的回程许用压力角", false, false},
    };
    for (const auto& c : cases) {
        Opened o;
        o.inputs("10", "16", "0", "5");
        o.limits(c.rise, c.ret);
        o.w->SSTab1->setCurrentIndex(2);
        o.w->quality->zl_jc->click();
        if (!c.message) {
            EXPECT_TRUE(o.rec.messages.empty()) << c.rise << " " << c.ret;
            EXPECT_EQ(o.w->jinggao->text().isEmpty(), !c.warned) << c.rise << " " << c.ret;
            // The two limit lines of the pressure-angle panel and its legend's sample.
            std::vector<Primitive> top;
            for (const Primitive& p : o.picture())
                if (p.y1 < o.w->quality->zl_pic->surface().height_px() / 3.0) top.push_back(p);
            EXPECT_EQ(count(top, PrimitiveKind::Line, 255, 1), 3);
            continue;
        }
        ASSERT_EQ(o.rec.messages.size(), 1u);
        EXPECT_EQ(o.rec.messages[0].first, QString::fromUtf8(c.message));
        EXPECT_EQ(o.rec.messages[0].second, QStringLiteral("数据错误"));
        EXPECT_TRUE(o.picture().empty());
        // A profile click still draws and warns, without judging the pressure angle.
        o.w->SSTab1->setCurrentIndex(0);
        o.w->theory->click();
        EXPECT_EQ(o.rec.messages.size(), 1u);
        EXPECT_EQ(o.w->jinggao->text(), QStringLiteral("许用压力角输入有误，未检查压力角"));
        EXPECT_TRUE(o.cell("推程所需 r0", 1).isEmpty());
    }
}

TEST(CamQualityTab, CheckButtonUsesTheCamWindowsOwnChecks) {
    Opened o;
    o.inputs("10", "10", "5", "12");
    o.w->quality->zl_jc->click();
    ASSERT_EQ(o.rec.messages.size(), 1u);
    EXPECT_EQ(o.rec.messages[0].first, QStringLiteral("滚子半径必须小于基圆半径"));
    EXPECT_TRUE(o.picture().empty());
    EXPECT_EQ(o.w->quality->zl_biao->rowCount(), 0);
}

// Whether the segment of line `l` passes through the inside of text `t`'s box,
// shrunk by half a pixel: sampled along the segment at sub-pixel steps.
bool crosses(const Primitive& l, const Primitive& t) {
    const double x0 = t.x1 + 0.5, x1 = t.x1 + t.x2 - 0.5, y0 = t.y1 + 0.5, y1 = t.y1 + t.y2 - 0.5;
    const double len = std::hypot(l.x2 - l.x1, l.y2 - l.y1);
    const int n = std::max(1, static_cast<int>(len * 4));
    for (int i = 0; i <= n; ++i) {
        const double x = l.x1 + (l.x2 - l.x1) * i / n, y = l.y1 + (l.y2 - l.y1) * i / n;
        if (x > x0 && x < x1 && y > y0 && y < y1) return true;
    }
    return false;
}

bool overlap(const Primitive& a, const Primitive& b) {
    return a.x1 < b.x1 + b.x2 && b.x1 < a.x1 + a.x2 && a.y1 < b.y1 + b.y2 && b.y1 < a.y1 + a.y2;
}

TEST(CamQualityTab, PictureKeepsEveryLabelClearAndEveryNumberFinite) {
    const struct {
        const char *h, *r0, *e, *rr, *rise, *ret;
    } cams[] = {{"10", "60", "5", "10", "30", "70"}, {"10", "16", "0", "15", "30", "70"},
                {"1", "1.01", "0", "1", "1", "1"},   {"10", "7.001", "7", "1", "89", "89"},
                {"1", "60", "7", "15", "45", "45"},  {"5.5", "25", "3", "8", "30", "70"}};
    for (const auto& c : cams) {
        Opened o;
        o.inputs(c.h, c.r0, c.e, c.rr);
        o.limits(c.rise, c.ret);
        o.w->quality->zl_jc->click();
        ASSERT_TRUE(o.rec.messages.empty()) << c.r0;
        const draw::DrawingSurface& s = o.w->quality->zl_pic->surface();
        std::vector<Primitive> texts;
        for (const Primitive& p : o.picture()) {
            for (double v : {p.x1, p.y1, p.x2, p.y2, p.radius})
                ASSERT_TRUE(std::isfinite(v)) << c.r0;
            if (p.kind != PrimitiveKind::Text) continue;
            EXPECT_FALSE(p.text.contains(QStringLiteral("nan")) ||
                         p.text.contains(QStringLiteral("inf")));
            EXPECT_GE(p.x1, 0) << p.text.toStdString();
            EXPECT_LE(p.x1 + p.x2, s.width_px()) << p.text.toStdString();
            EXPECT_GE(p.y1, 0) << p.text.toStdString();
            EXPECT_LE(p.y1 + p.y2, s.height_px()) << p.text.toStdString();
            texts.push_back(p);
        }
        EXPECT_GT(texts.size(), 40u);
        // No line runs through a label (a hair's breadth at the edges is allowed).
        for (const Primitive& l : o.picture()) {
            if (l.kind != PrimitiveKind::Line) continue;
            for (const Primitive& t : texts)
                EXPECT_FALSE(crosses(l, t))
                    << c.r0 << ": line through \"" << t.text.toStdString() << "\" from " << l.x1
                    << "," << l.y1 << " to " << l.x2 << "," << l.y2;
        }
        for (size_t i = 0; i < texts.size(); ++i)
            for (size_t j = i + 1; j < texts.size(); ++j)
                EXPECT_FALSE(overlap(texts[i], texts[j]))
                    << c.r0 << ": \"" << texts[i].text.toStdString() << "\" over \""
                    << texts[j].text.toStdString() << "\"";
        const QTableWidget* t = o.w->quality->zl_biao;
        for (int r = 0; r < t->rowCount(); ++r)
            for (int col = 0; col < 3; ++col) {
                const QString cell = t->item(r, col)->text();
                EXPECT_FALSE(cell.isEmpty() || cell.contains(QStringLiteral("nan")) ||
                             cell.contains(QStringLiteral("inf")))
                    << r << " " << col;
            }
        // Every axis carries its unit.
        for (const char* title :
             {"压力角 |α|/(°)", "曲率半径 ρ/mm（凸为正）", "跃度 j/(mm/s³)", "凸轮转角 δ/(°)"}) {
            bool found = false;
            for (const Primitive& p : texts) found = found || p.text == QString::fromUtf8(title);
            EXPECT_TRUE(found) << title;
        }
    }
}

}  // namespace
}  // namespace vm
