#include <gtest/gtest.h>

#include <QStringEncoder>

#include "io/data_groups.h"

using namespace vm::io;

namespace {

const std::string kHeader = "方案,hs_h,hs_d,hs_e,hs_k,lg_ak,qb_g,lg_g,hs_g,lg_rk,qb_w,sd_k\r\n";
const std::string kRow1 = "第1组,225,170,50,1.04,0.35,160,120,190,0.16,620,0.01\r\n";
const std::string kRow2 = "第2组,200,150,40,1.05,0.3,150,110,180,0.15,600,0.02\r\n";

std::string gbk(const std::string& utf8) {
    QStringEncoder enc("GBK");
    const QByteArray b = enc.encode(QString::fromStdString(utf8));
    return std::string(b.constData(), std::size_t(b.size()));
}

}  // namespace

// The same table in every encoding a spreadsheet saves reads the same.
TEST(DataGroups, EncodingsAndLineEndsReadTheSameGroups) {
    const std::string utf8 = kHeader + kRow1 + kRow2;
    std::string lf = utf8;
    for (std::size_t at; (at = lf.find("\r\n")) != std::string::npos;) lf.replace(at, 2, "\n");
    const std::string inputs[] = {utf8, "\xEF\xBB\xBF" + utf8, gbk(utf8), lf, lf.substr(0, lf.size() - 1)};
    for (const std::string& bytes : inputs) {
        const GroupTable t = parse_group_table(bytes);
        ASSERT_TRUE(t.error.empty()) << t.error;
        EXPECT_TRUE(t.problems.empty()) << problems_text(t);
        ASSERT_EQ(t.groups.size(), 2u);
        EXPECT_EQ(t.groups[0].name, "第1组");
        EXPECT_EQ(t.groups[1].name, "第2组");
        EXPECT_EQ(t.groups[1].parameters[0], "200");
        EXPECT_EQ(t.groups[1].parameters[10], "0.02");
        EXPECT_EQ(t.groups[1].line, 3);
    }
}

// Columns may come in any order, with extra columns and quoted fields.
TEST(DataGroups, ColumnOrderQuotesAndExtraColumns) {
    const std::string bytes =
        "备注,sd_k,qb_w,lg_rk,hs_g,lg_g,qb_g,lg_ak,hs_k,hs_e,hs_d,hs_h,方案\n"
        "\"说明, \"\"引号\"\"\n跨行\",0.01,620,0.16,190,120,160,0.35,1.04,50,170,225,\"甲, 乙\"\n"
        "x,0.01,620,0.16,190,120,160,0.35,1.04,50,170,200,丙\n";
    const GroupTable t = parse_group_table(bytes);
    ASSERT_TRUE(t.error.empty()) << t.error;
    ASSERT_EQ(t.groups.size(), 2u) << problems_text(t);
    EXPECT_EQ(t.groups[0].name, "甲, 乙");
    EXPECT_EQ(t.groups[1].line, 4);  // the quoted line break counts
    EXPECT_EQ(t.groups[0].parameters[0], "225");
    EXPECT_EQ(t.groups[0].parameters[10], "0.01");
}

// Each bad row is reported with its line; the good rows stay usable.
TEST(DataGroups, BadRowsAreReportedByLineAndGoodRowsKept) {
    struct Case {
        std::string row;
        const char* reason_part;
    } cases[] = {
        {"第3组,225,170,50\r\n", "有 4 个字段，表头有 12 个"},
        {",225,170,50,1.04,0.35,160,120,190,0.16,620,0.01\r\n", "方案名“”为空"},
        {"a/b,225,170,50,1.04,0.35,160,120,190,0.16,620,0.01\r\n", "不能用作文件夹名"},
        {"第1组,225,170,50,1.04,0.35,160,120,190,0.16,620,0.01\r\n", "重复"},
        {"第4组,225,abc,50,1.04,0.35,160,120,190,0.16,620,0.01\r\n", "hs_d 的值“abc”不是数字"},
        {"第5组,225,170,50,1.04,1.5,160,120,190,0.16,620,0.01\r\n", "lg_ak 的值“1.5”不合理"},
        {"第6组,225,170,50,1.04,0.35,160,120,190,0.16,-620,0.01\r\n", "qb_w 的值“-620”不合理"},
        {"第7组,225,170,50,1.04,0.35,160,120,190,0.16,620,1e999\r\n", "sd_k 的值“1e999”不是数字"},
    };
    for (const Case& c : cases) {
        const GroupTable t = parse_group_table(kHeader + kRow1 + c.row + kRow2);
        ASSERT_TRUE(t.error.empty()) << t.error;
        ASSERT_EQ(t.problems.size(), 1u) << c.row;
        EXPECT_EQ(t.problems[0].line, 3) << c.row;
        EXPECT_NE(t.problems[0].reason.find("第 3 行："), std::string::npos) << t.problems[0].reason;
        EXPECT_NE(t.problems[0].reason.find(c.reason_part), std::string::npos) << t.problems[0].reason;
        ASSERT_EQ(t.groups.size(), 2u) << c.row;
        EXPECT_EQ(t.groups[1].line, 4);
    }
}

TEST(DataGroups, UnreadableTablesAreRefusedWhole) {
    struct Case {
        std::string bytes;
        const char* error_part;
    } cases[] = {
        {"", "空的"},
        {"\r\n\r\n", "空的"},
        {"hs_h,hs_d\n1,2\n", "表头缺少列：方案、hs_e"},
        {std::string("\xFF\xFE\x00\x41", 4), "编码"},
    };
    for (const Case& c : cases) {
        const GroupTable t = parse_group_table(c.bytes);
        EXPECT_NE(t.error.find(c.error_part), std::string::npos) << t.error;
        EXPECT_TRUE(t.groups.empty());
    }
    // An unclosed quote (a cut-off file) is a problem of its line, not a crash.
    const GroupTable cut = parse_group_table(kHeader + kRow1 + "\"第2组,225");
    ASSERT_EQ(cut.groups.size(), 1u);
    ASSERT_FALSE(cut.problems.empty());
    EXPECT_NE(problems_text(cut).find("引号没有结束"), std::string::npos);
    EXPECT_FALSE(read_group_table("/nonexistent/groups.csv").error.empty());
}
