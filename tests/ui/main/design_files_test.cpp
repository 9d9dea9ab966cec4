// Design files and data groups through the main window's buttons: a saved
// design opens to the same boxes, state and torque figures; broken files and
// tables give one message and change nothing; the other windows keep their
// inputs in the shared state.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <memory>

#include "core/design_limits.h"
#include "core/design_state.h"
#include "draw/surface_widget.h"
#include "core/force_analysis.h"
#include "io/design_file.h"
#include "tests/support/message_recorder.h"
#include "tests/ui/main/design_dialog_answers.h"
#include "tests/ui/motion/motion_fixture.h"
#include "ui/cam/tulun.h"
#include "ui/main/firstpage.h"
#include "ui/motion/form2.h"
#include "ui/motion/form3.h"

namespace vm {
namespace {

struct Window {
    std::unique_ptr<DesignState> state = std::make_unique<DesignState>();
    std::unique_ptr<firstpage> w = std::make_unique<firstpage>(*state);
    std::array<QString, 11> texts() const {
        std::array<QString, 11> t;
        for (std::size_t i = 0; i < 11; ++i) t[i] = w->boxes[i]->text();
        return t;
    }
    void type(const std::array<const char*, 11>& t) {
        for (std::size_t i = 0; i < 11; ++i) w->boxes[i]->setText(QString::fromUtf8(t[i]));
    }
    bool in_menu_mode() const { return w->daochu->isVisibleTo(w.get()) && !w->shujuOK->isVisibleTo(w.get()); }
};

// Everything of the state a design file or a confirmation decides.
void expect_same_design(const DesignState& a, const DesignState& b) {
    const std::string DesignState::*texts[] = {&DesignState::hs_h,  &DesignState::hs_d,       &DesignState::hs_e,
                                               &DesignState::hs_k,  &DesignState::lg_ak,      &DesignState::qb_g,
                                               &DesignState::lg_g,  &DesignState::hs_g,       &DesignState::lg_rk,
                                               &DesignState::qb_w,  &DesignState::sd_k,       &DesignState::cam_high,
                                               &DesignState::cam_base, &DesignState::cam_offset, &DesignState::cam_roll,
                                               &DesignState::force_angle};
    for (auto t : texts) EXPECT_EQ(a.*t, b.*t);
    EXPECT_EQ(a.lg_l, b.lg_l);
    EXPECT_EQ(a.qb_r, b.qb_r);
    EXPECT_EQ(a.jd_wai, b.jd_wai);
    EXPECT_EQ(a.jd_nei, b.jd_nei);
    EXPECT_EQ(a.confirmed, b.confirmed);
    EXPECT_EQ(a.export_positions, b.export_positions);
}

// What Form3 shows for a confirmed design once the force table is filled:
// every figure box and every text of the torque diagram.
std::vector<QString> form3_shows(const DesignState& confirmed) {
    auto s = std::make_unique<DesignState>(confirmed);
    EXPECT_TRUE(fill_force_table(*s));
    Form3 f(*s);
    f.show();
    f.Command1->click();
    f.Command2->click();
    std::vector<QString> out;
    for (QLineEdit* t : {f.Text1, f.Text2, f.Text3, f.Text4, f.Text5, f.Text6, f.Text8, f.Text9}) out.push_back(t->text());
    for (const QString& t : test::texts(f.Picture1->surface())) out.push_back(t);
    return out;
}

const std::array<const char*, 11> kDesignTexts[] = {
    {" 225 ", "170", "50", "1.04", "0.35", "160", "120", "190", "0.16", "620", "0.01"},
    {"300", "120", "30", "1.1", "0.3", "80", "95", "140", "0.2", "1500", "0.02"},
    {"150", "90", "70", "1.2", "0.5", "40", "60", "55", "0.1", "300", "0.05"},
};

TEST(DesignFiles, ASavedDesignOpensToTheSameBoxesStateAndTorqueFigures) {
    QTemporaryDir dir;
    test::MessageRecorder messages;
    test::DialogAnswers answers;
    int k = 0;
    for (const auto& design : kDesignTexts) {
        SCOPED_TRACE(design[0]);
        Window a;
        a.type(design);
        a.state->cam_high = "12", a.state->cam_base = "55", a.state->cam_offset = "4", a.state->cam_roll = "8";
        a.state->force_angle = "400";
        a.state->export_positions = {3, 19 + k};
        // Typed without the extension: the program adds it.
        answers.save_file = dir.filePath(QStringLiteral("方案%1").arg(++k));
        a.w->baocun->click();
        const QString file = answers.save_file + QStringLiteral(".vmdesign");
        ASSERT_TRUE(QFile::exists(file));
        EXPECT_EQ(answers.last_filter, QStringLiteral("设计文件 (*.vmdesign)"));
        EXPECT_EQ(a.w->windowTitle(), QStringLiteral("Velmarion — 方案%1.vmdesign").arg(k));
        EXPECT_FALSE(a.in_menu_mode()) << "saving does not confirm";

        Window b;
        answers.open_file = file;
        b.w->dakai->click();
        EXPECT_TRUE(messages.messages.empty()) << messages.messages[0].first.toStdString();
        EXPECT_EQ(b.texts(), a.texts());
        EXPECT_TRUE(b.in_menu_mode());
        EXPECT_EQ(b.w->windowTitle(), a.w->windowTitle());
        EXPECT_EQ(b.w->design_file(), file);

        a.w->shujuOK->click();
        expect_same_design(*a.state, *b.state);
        const std::vector<QString> shown = form3_shows(*b.state);
        EXPECT_EQ(shown, form3_shows(*a.state));
        EXPECT_NE(shown[0].trimmed(), QString()) << "Form3 showed its figures";
        EXPECT_TRUE(messages.messages.empty());

        // The cam window and Form2 open with the file's inputs.
        tulun cam(*b.state);
        EXPECT_EQ(cam.HIGH->text() + cam.BASE->text() + cam.OFFSET->text() + cam.roll->text(),
                  QStringLiteral("125548"));
        Form2 force(*b.state);
        EXPECT_EQ(force.f_itxt->text(), QStringLiteral("400"));
    }
}

TEST(DesignFiles, BrokenFilesGiveOneMessageAndChangeNothing) {
    QTemporaryDir dir;
    test::MessageRecorder messages;
    test::DialogAnswers answers;
    // A good file first, so that a failed open has a title, boxes and a state to keep.
    Window w;
    answers.save_file = dir.filePath(QStringLiteral("good.vmdesign"));
    w.w->baocun->click();
    QFile good_file(answers.save_file);
    ASSERT_TRUE(good_file.open(QIODevice::ReadOnly));
    const QByteArray good = good_file.readAll();
    answers.open_file = answers.save_file;
    w.w->dakai->click();
    w.w->fanhui->click();
    w.w->hs_h->setText(QStringLiteral("300"));
    const DesignState before = *w.state;
    const auto texts_before = w.texts();

    QByteArray newer = good, bad_k = good, not_number = good, missing = good, positions = good;
    newer.replace("\"schema\": 1", "\"schema\": 2");
    bad_k.replace("\"1.04\"", "\"0.9\"");
    not_number.replace("\"170\"", "\"abc\"");
    missing.replace("\"hs_g\"", "\"hs_x\"");
    positions.replace("1,\n        7", "0,\n        30");
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* message;
    };
    const Case cases[] = {
        {"not JSON", "hello, teacher", "不是完整的JSON文本"},
        {"empty", "", "不是完整的JSON文本"},
        {"truncated", good.left(good.size() / 2), "可能已被截断"},
        {"other JSON", "{\"format\": \"something-else\", \"schema\": 1}", "不是设计文件"},
        {"newer schema", newer, "比本程序能读的版本 1 新"},
        {"value out of its limits", bad_k, "行程速比系数K必须大于1"},
        {"value not a number", not_number, "hs_d 的值“abc”不是数字"},
        {"missing parameter", missing, "缺少参数 hs_g"},
        {"positions out of range", positions, "export_positions"},
        {"no such file", QByteArray(), "无法打开设计文件"},
    };
    ASSERT_NE(newer, good);
    ASSERT_NE(bad_k, good);
    ASSERT_NE(positions, good);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromUtf8(c.name) + QStringLiteral(".vmdesign"));
        if (std::string_view(c.name) != "no such file") {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.bytes);
        }
        messages.messages.clear();
        answers.open_file = path;
        w.w->dakai->click();
        ASSERT_TRUE(messages.shows(c.message));
        EXPECT_TRUE(messages.messages[0].first.contains(path));
        EXPECT_EQ(w.texts(), texts_before);
        EXPECT_FALSE(w.in_menu_mode());
        EXPECT_EQ(w.w->windowTitle(), QStringLiteral("Velmarion — good.vmdesign"));
        expect_same_design(*w.state, before);
    }
}

TEST(DesignFiles, OpeningConfirmsAsTheConfirmButtonDoesWithItsRefusal) {
    // A readable file whose offset no crank-slider can have: its texts are
    // shown and refused exactly as typed ones, the focus on the offset.
    QTemporaryDir dir;
    test::MessageRecorder messages;
    test::DialogAnswers answers;
    Window author;
    author.w->hs_e->setText(QStringLiteral("5000"));
    const std::string path = dir.filePath(QStringLiteral("far.vmdesign")).toStdString();
    io::DesignInputs in;
    for (std::size_t i = 0; i < 11; ++i) in.parameters[i] = author.texts()[i].toStdString();
    ASSERT_TRUE(io::save_design(path, in).ok);

    Window typed, opened;
    typed.w->hs_e->setText(QStringLiteral("5000"));
    typed.w->shujuOK->click();
    ASSERT_EQ(messages.messages.size(), 1u);
    answers.open_file = QString::fromStdString(path);
    EXPECT_FALSE(opened.w->open_design_file(answers.open_file));
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_EQ(messages.messages[1], messages.messages[0]);
    EXPECT_EQ(opened.w->focusWidget(), opened.w->hs_e);
    EXPECT_EQ(opened.texts(), typed.texts());
    EXPECT_FALSE(opened.in_menu_mode());
    EXPECT_FALSE(opened.state->confirmed);
    EXPECT_TRUE(opened.state->hs_h.empty());
}

TEST(DesignFiles, SavingRefusesWhatConfirmingRefusesAndAnUnwritableFolder) {
    QTemporaryDir dir;
    test::MessageRecorder messages;
    test::DialogAnswers answers;
    struct Case {
        int box;
        const char* text;
        QString path;
        const char* message;
    };
    const Case cases[] = {
        {3, "0.9", dir.filePath(QStringLiteral("a.vmdesign")), "行程速比系数K必须大于1"},
        {1, "abc", dir.filePath(QStringLiteral("b.vmdesign")), "请输入数据"},
        {-1, "", dir.filePath(QStringLiteral("missing/c.vmdesign")), "无法保存设计文件"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        Window w;
        if (c.box >= 0) w.w->boxes[std::size_t(c.box)]->setText(QString::fromUtf8(c.text));
        messages.messages.clear();
        answers.save_file = c.path;
        w.w->baocun->click();
        EXPECT_TRUE(messages.shows(c.message));
        if (c.box >= 0) {
            EXPECT_EQ(w.w->focusWidget(), w.w->boxes[std::size_t(c.box)]);
        }
        EXPECT_FALSE(QFile::exists(c.path));
        EXPECT_EQ(w.w->windowTitle(), QStringLiteral("Velmarion"));
    }
}

const std::string kHeader = "方案,hs_h,hs_d,hs_e,hs_k,lg_ak,qb_g,lg_g,hs_g,lg_rk,qb_w,sd_k\n";

TEST(DataGroups, ChoosingAGroupFillsTheBoxesAndBadRowsAreNamedByLine) {
    QTemporaryDir dir;
    test::MessageRecorder messages;
    test::DialogAnswers answers;
    const std::string a = "甲,300,120,30,1.1,0.3,80,95,140,0.2,1500,0.02\n";
    const std::string b = "乙,150,90,70,1.2,0.5,40,60,55,0.1,300,0.05\n";
    struct Case {
        const char* name;
        std::string table;
        int pick;
        std::vector<std::string> offered;
        const char* message;  // the one message, or none
        const char* hs_h;     // the first box afterwards
    };
    const Case cases[] = {
        {"two groups, the second chosen", kHeader + a + b, 1, {"甲", "乙"}, nullptr, "150"},
        {"a bad row between good ones", kHeader + a + "丙,225,abc,50,1.04,0.35,160,120,190,0.16,620,0.01\n" + b, 1,
         {"甲", "乙"}, "第 3 行：hs_d 的值“abc”不是数字", "150"},
        {"two bad rows", kHeader + "丙,225,170,50,0.9,0.35,160,120,190,0.16,620,0.01\n" + a + "丁,1,2\n", 0, {"甲"},
         "第 4 行", "300"},
        {"no good row", kHeader + "丙,225,170,50,0.9,0.35,160,120,190,0.16,620,0.01\n", 0, {}, "没有可用的方案", "225"},
        {"a column missing", "方案,hs_h\n甲,300\n", 0, {}, "表头缺少列", "225"},
        {"cancelled", kHeader + a + b, -1, {"甲", "乙"}, nullptr, "225"},
    };
    int k = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QStringLiteral("groups%1.csv").arg(++k));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.table.data(), qint64(c.table.size()));
        f.close();
        Window w;
        messages.messages.clear();
        answers.groups_offered.clear();
        answers.open_file = path;
        answers.group = c.pick;
        w.w->xuanfang->click();
        EXPECT_EQ(answers.last_filter, QStringLiteral("方案表 (*.csv)"));
        EXPECT_EQ(answers.groups_offered, c.offered);
        EXPECT_TRUE(messages.shows(c.message));
        EXPECT_EQ(w.w->hs_h->text(), QString::fromUtf8(c.hs_h));
        EXPECT_FALSE(w.in_menu_mode()) << "choosing fills the boxes, confirming stays with 数据确认";
        EXPECT_TRUE(w.state->hs_h.empty());
    }
    // The chosen group's name is what saving offers.
    Window w;
    answers.open_file = dir.filePath(QStringLiteral("groups1.csv"));
    answers.group = 1;
    w.w->xuanfang->click();
    EXPECT_EQ(w.w->sd_k->text(), QStringLiteral("0.05"));
    answers.save_file.clear();
    w.w->baocun->click();
    EXPECT_TRUE(answers.last_start.endsWith(QStringLiteral("/乙.vmdesign"))) << answers.last_start.toStdString();
}

TEST(DesignDialogs, ThePositionsAndGroupListsOfferWhatTheyShould) {
    ui::PositionsDialog p({3, 19});
    for (QSpinBox* s : {p.first, p.second}) {
        EXPECT_EQ(s->minimum(), 1);
        EXPECT_EQ(s->maximum(), 24);
    }
    EXPECT_EQ(p.positions(), (std::array<int, 2>{3, 19}));
    p.second->setValue(30);
    EXPECT_EQ(p.positions()[1], 24);

    std::vector<io::DataGroup> groups(2);
    groups[0].name = "甲", groups[1].name = "乙";
    groups[1].parameters[kHsH] = "150";
    ui::GroupDialog g(groups);
    ASSERT_EQ(g.list->count(), 2);
    EXPECT_EQ(g.chosen(), 0);
    EXPECT_TRUE(g.list->item(1)->text().startsWith(QStringLiteral("乙")));
    EXPECT_TRUE(g.list->item(1)->text().contains(QStringLiteral("150 mm")));
    EXPECT_TRUE(g.list->item(1)->toolTip().contains(QStringLiteral("hs_h = 150")));
}

TEST(DesignFiles, TheCamWindowAndForm2KeepTheirInputsWhenTheyDraw) {
    test::MessageRecorder messages;
    auto state = test::default_design();
    ASSERT_TRUE(fill_force_table(*state));
    {
        tulun cam(*state);
        EXPECT_EQ(cam.HIGH->text(), QStringLiteral("10"));
        cam.HIGH->setText(QStringLiteral("8"));
        cam.OFFSET->setText(QStringLiteral("abc"));
        cam.theory->click();  // refused: nothing is kept
        EXPECT_EQ(state->cam_high, "10");
        cam.OFFSET->setText(QStringLiteral("3"));
        cam.real->click();
        EXPECT_EQ(state->cam_high + state->cam_base + state->cam_offset + state->cam_roll, "860310");
    }
    {
        Form2 force(*state);
        EXPECT_EQ(force.f_itxt->text(), QStringLiteral("0"));
        force.f_itxt->setText(QStringLiteral("800"));
        force.f_draw->click();  // outside -720..720: refused, not kept
        EXPECT_EQ(state->force_angle, "0");
        force.f_itxt->setText(QStringLiteral("365"));
        force.f_draw->click();
        EXPECT_EQ(state->force_angle, "365");
    }
    EXPECT_EQ(messages.messages.size(), 2u);
}

}  // namespace
}  // namespace vm
