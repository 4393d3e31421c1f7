// The journal's file: whole lines, a torn last line cut back, and never
// written through a link, into a FIFO, or into another user's file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "platform/append_file.h"
#include "support/environment.h"

namespace lenscout {
namespace {

class AppendFile : public testing::Test {
protected:
    void SetUp() override {
        dir_ = testing::TempDir() + "append-" + testing::UnitTest::GetInstance()->current_test_info()->name();
        ::mkdir(dir_.c_str(), 0700);
        path_ = dir_ + "/journal.jsonl";
        std::remove(path_.c_str());
    }
    static std::string text(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::string dir_, path_;
};

TEST_F(AppendFile, ATornLastLineIsCutBackBeforeTheNext) {
    ASSERT_EQ(appendLine(path_, "{\"a\":1}\n"), AppendResult::Written);
    std::ofstream(path_, std::ios::app | std::ios::binary) << "{\"b\":";  // the disk was full
    ASSERT_EQ(appendLine(path_, "{\"c\":3}\n"), AppendResult::Written);
    EXPECT_EQ(text(path_), "{\"a\":1}\n{\"c\":3}\n");
    struct stat st {};
    ASSERT_EQ(::stat(path_.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    // A file that is one torn line and nothing else.
    std::ofstream(path_, std::ios::trunc | std::ios::binary) << "{\"x\"";
    ASSERT_EQ(appendLine(path_, "{\"d\":4}\n"), AppendResult::Written);
    EXPECT_EQ(text(path_), "{\"d\":4}\n");
}

TEST_F(AppendFile, NeitherALinkNorAFifoIsWritten) {
    const std::string target = dir_ + "/elsewhere";
    std::ofstream(target) << "kept\n";
    ASSERT_EQ(::symlink(target.c_str(), path_.c_str()), 0);
    EXPECT_EQ(appendLine(path_, "{}\n"), AppendResult::NotOurs);
    EXPECT_EQ(text(target), "kept\n");
    std::remove(path_.c_str());
    // A hard link as well: another name for a file someone else chose.
    ASSERT_EQ(::link(target.c_str(), path_.c_str()), 0);
    EXPECT_EQ(appendLine(path_, "{}\n"), AppendResult::NotOurs);
    EXPECT_EQ(text(target), "kept\n");
    std::remove(path_.c_str());
    ASSERT_EQ(::mkfifo(path_.c_str(), 0600), 0);
    EXPECT_EQ(appendLine(path_, "{}\n"), AppendResult::NotOurs) << "and returns at once";
    std::remove(path_.c_str());
}

TEST_F(AppendFile, AnotherUsersFileIsNotWritten) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root can make a file another user's";
    std::ofstream(path_) << "";
    ASSERT_EQ(::chown(path_.c_str(), 65534, 65534), 0);
    EXPECT_EQ(appendLine(path_, "{}\n"), AppendResult::NotOurs);
    EXPECT_EQ(text(path_), "");
}

}  // namespace
}  // namespace lenscout
