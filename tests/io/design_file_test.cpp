#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "io/design_file.h"

using namespace vm::io;

namespace {

DesignInputs sample() {
    DesignInputs in;
    in.parameters = {"225", "170", "50", "1.04", "0.35", "160", "120", "190", "0.16", "620", "0.01"};
    in.cam = {"8", "55.5", "3", "9"};
    in.force_angle = "400";
    in.export_positions = {3, 19};
    return in;
}

std::string read_all(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

std::string replaced(std::string s, const std::string& from, const std::string& to) {
    const auto at = s.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) s.replace(at, from.size(), to);
    return s;
}

}  // namespace

TEST(DesignFile, SavedDesignOpensEqual) {
    const auto dir = std::filesystem::temp_directory_path() / ("vmdesign-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "我的设计.vmdesign").string();
    ASSERT_TRUE(save_design(path, sample()).ok);
    const DesignRead back = open_design(path);
    ASSERT_TRUE(back.inputs) << back.error;
    EXPECT_EQ(back.inputs->parameters, sample().parameters);
    EXPECT_EQ(back.inputs->cam, sample().cam);
    EXPECT_EQ(back.inputs->force_angle, "400");
    EXPECT_EQ(back.inputs->export_positions, (std::array<int, 2>{3, 19}));
    // Texts stay as typed, not normalised: "1.040" is still "1.040".
    DesignInputs typed = sample();
    typed.parameters[3] = " 1.040";
    ASSERT_TRUE(save_design(path, typed).ok);
    EXPECT_EQ(open_design(path).inputs->parameters[3], " 1.040");
    std::filesystem::remove_all(dir);
}

// Every broken file is refused with a message naming its problem.
TEST(DesignFile, BrokenFilesAreRefusedWithTheirReason) {
    const std::string good = design_to_json(sample());
    struct Case {
        const char* what;
        std::string bytes;
        const char* message_part;
    } cases[] = {
        {"empty", "", "不是完整的JSON"},
        {"truncated", good.substr(0, good.size() / 2), "截断"},
        {"an array", "[1,2,3]", "不是设计文件"},
        {"another program's JSON", R"({"name":"x"})", "不是设计文件"},
        {"no schema", replaced(good, "\"schema\": 1", "\"schema\": \"one\""), "版本"},
        {"newer schema", replaced(good, "\"schema\": 1", "\"schema\": 7"), "比本程序能读的版本 1 新"},
        {"missing box", replaced(good, "\"hs_d\": \"170\",", ""), "缺少参数 hs_d"},
        {"box not a number", replaced(good, "\"hs_k\": \"1.04\"", "\"hs_k\": \"abc\""), "hs_k 的值“abc”不是数字"},
        {"box an object", replaced(good, "\"hs_k\": \"1.04\"", "\"hs_k\": {}"), "hs_k 不是文本或数字"},
        {"negative diameter", replaced(good, "\"hs_d\": \"170\"", "\"hs_d\": \"-170\""), "hs_d 的值“-170”不合理"},
        {"zero speed", replaced(good, "\"qb_w\": \"620\"", "\"qb_w\": 0"), "qb_w 的值“0”不合理"},
        {"position 25", replaced(good, "19\n", "25\n"), "export_positions"},
        {"position 1.5", replaced(good, "19\n", "1.5\n"), "export_positions"},
    };
    for (const Case& c : cases) {
        const DesignRead r = design_from_json(c.bytes);
        EXPECT_FALSE(r.inputs) << c.what;
        EXPECT_NE(r.error.find(c.message_part), std::string::npos) << c.what << ": " << r.error;
    }
    // A number where a text is kept reads back in the program's plain form.
    const DesignRead numeric = design_from_json(replaced(good, "\"hs_h\": \"225\"", "\"hs_h\": 225.5"));
    ASSERT_TRUE(numeric.inputs) << numeric.error;
    EXPECT_EQ(numeric.inputs->parameters[0], "225.5");
}

TEST(DesignFile, UnwritableOrMissingFilesSayWhy) {
    const auto dir = std::filesystem::temp_directory_path() / ("vmdesign-ro-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "a.vmdesign").string();
    ASSERT_TRUE(save_design(path, sample()).ok);
    const std::string before = read_all(path);
    // A folder standing where the temporary file's folder should be.
    const vm::WriteResult bad = save_design((dir / "no-such-folder" / "b.vmdesign").string(), sample());
    EXPECT_FALSE(bad.ok);
    EXPECT_FALSE(bad.reason.empty());
    EXPECT_EQ(read_all(path), before);
    const DesignRead missing = open_design((dir / "none.vmdesign").string());
    EXPECT_FALSE(missing.inputs);
    EXPECT_NE(missing.error.find("无法打开设计文件"), std::string::npos);
    std::filesystem::remove_all(dir);
}
