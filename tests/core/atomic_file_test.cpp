// The file writer: whole new content or the old one, never a stray temporary,
// a Chinese reason for each kind of failure, and the all-or-nothing pair.
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "core/atomic_file.h"

namespace vm {
namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

void spit(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

// Sets or clears the immutable flag; false where the file system or the user's
// rights do not allow it.
bool set_immutable(const fs::path& p, bool on) {
    const int fd = ::open(p.c_str(), O_RDONLY);
    if (fd < 0) return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

class AtomicFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("vm_atomic_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        for (const auto& e : fs::recursive_directory_iterator(dir))
            if (e.is_regular_file()) set_immutable(e.path(), false);
        fs::remove_all(dir);
    }
    // Only the files the test put there: no temporary or backup left behind.
    int entries() const {
        int n = 0;
        for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++n;
        return n;
    }
    fs::path dir;
};

TEST_F(AtomicFileTest, WritesNewAndReplacesOldLeavingNothingElse) {
    const struct {
        std::string old_content;  // "" = no file before
        std::string new_content;
    } cases[] = {{"", "abc"}, {"old", "new content"}, {"a much longer old content", ""},
                 {"x", std::string(1 << 20, 'z')}};
    for (const auto& c : cases) {
        const fs::path p = dir / "报告.txt";
        fs::remove(p);
        if (!c.old_content.empty()) spit(p, c.old_content);
        const WriteResult r = write_file_atomically(p.string(), c.new_content);
        EXPECT_TRUE(r.ok) << r.reason;
        EXPECT_TRUE(r.reason.empty());
        EXPECT_EQ(slurp(p), c.new_content);
        EXPECT_EQ(entries(), 1);
    }
}

TEST_F(AtomicFileTest, EachFailureKeepsTheOldFileAndNamesItsCause) {
    const struct {
        const char* what;
        std::function<std::string(const fs::path&)> arrange;  // returns the path to write
        const char* cause;
    } cases[] = {
        {"missing folder", [](const fs::path& d) { return (d / "无此文件夹" / "a.txt").string(); }, "文件夹不存在"},
        {"folder in the file's place",
         [](const fs::path& d) {
             fs::create_directory(d / "a.txt");
             return (d / "a.txt").string();
         },
         "同名的文件夹"},
        {"a file where the folder should be",
         [](const fs::path& d) {
             spit(d / "f", "x");
             return (d / "f" / "a.txt").string();
         },
         "不是文件夹"},
        {"empty name", [](const fs::path& d) { return (d / "").string(); }, "文件名为空"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const int before = entries();
        const std::string path = c.arrange(dir);
        const WriteResult r = write_file_atomically(path, "new");
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.reason.find(c.cause), std::string::npos) << r.reason;
        EXPECT_EQ(r.failed_path, path);
        EXPECT_GE(entries(), before);
    }
}

TEST_F(AtomicFileTest, UnwritableFolderIsRefusedWithPermissionCause) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into any folder; the immutable-file test covers refusal";
    const fs::path sub = dir / "ro";
    fs::create_directory(sub);
    spit(sub / "a.txt", "old");
    fs::permissions(sub, fs::perms::owner_read | fs::perms::owner_exec);
    const WriteResult r = write_file_atomically((sub / "a.txt").string(), "new");
    fs::permissions(sub, fs::perms::owner_all);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.reason.find("没有写入权限"), std::string::npos) << r.reason;
    EXPECT_EQ(slurp(sub / "a.txt"), "old");
}

TEST_F(AtomicFileTest, FullDiskKeepsOldFileAndSaysSo) {
    const fs::path mnt = dir / "tiny";
    fs::create_directory(mnt);
    if (::mount("tmpfs", mnt.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs root)";
    spit(mnt / "a.txt", "old");
    const WriteResult r = write_file_atomically((mnt / "a.txt").string(), std::string(1 << 20, 'x'));
    const std::string kept = slurp(mnt / "a.txt");
    int left = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(mnt)) ++left;
    ::umount(mnt.c_str());
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.reason.find("磁盘已满"), std::string::npos) << r.reason;
    EXPECT_EQ(kept, "old");
    EXPECT_EQ(left, 1) << "the temporary must be removed";
}

TEST_F(AtomicFileTest, PairEndsAllNewOrAllOld) {
    const fs::path a = dir / "速度.txt", b = dir / "力.txt";
    const struct {
        const char* what;
        bool make_b_immutable;
        bool make_b_folder;
        bool expect_ok;
    } cases[] = {{"both written", false, false, true},
                 {"second rename refused", true, false, false},
                 {"folder in second place", false, true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        set_immutable(b, false);
        fs::remove_all(a);
        fs::remove_all(b);
        spit(a, "old a");
        if (c.make_b_folder) {
            fs::create_directory(b);
        } else {
            spit(b, "old b");
            if (c.make_b_immutable && !set_immutable(b, true)) {
                std::cout << "immutable flag not available here; case skipped\n";
                continue;
            }
        }
        const WriteResult r = write_files_atomically({{a.string(), "new a"}, {b.string(), "new b"}});
        EXPECT_EQ(r.ok, c.expect_ok) << r.reason;
        if (c.expect_ok) {
            EXPECT_EQ(slurp(a), "new a");
            EXPECT_EQ(slurp(b), "new b");
        } else {
            EXPECT_EQ(slurp(a), "old a") << "first file must be restored";
            if (!c.make_b_folder) {
                EXPECT_EQ(slurp(b), "old b");
            }
            EXPECT_EQ(r.failed_path, b.string());
            EXPECT_NE(r.reason.find("所有文件保持原来的内容"), std::string::npos) << r.reason;
        }
        EXPECT_EQ(entries(), 2) << "temporaries and backups removed";
    }
}

TEST_F(AtomicFileTest, PairWhereFirstDidNotExistRemovesItOnFailure) {
    const fs::path a = dir / "速度.txt", b = dir / "力.txt";
    spit(b, "old b");
    if (!set_immutable(b, true)) GTEST_SKIP() << "immutable flag not available here";
    const WriteResult r = write_files_atomically({{a.string(), "new a"}, {b.string(), "new b"}});
    set_immutable(b, false);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(fs::exists(a)) << "a file that did not exist before must not exist after";
    EXPECT_EQ(slurp(b), "old b");
    EXPECT_EQ(entries(), 1);
}

}  // namespace
}  // namespace vm
