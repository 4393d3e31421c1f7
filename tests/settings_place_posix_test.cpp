// Where the settings live, and what is never read or written as them: the
// user's own folder, never the working directory; no link followed, no
// FIFO waited on, no other user's file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/language_setting.h"
#include "platform/private_file.h"

namespace lenscout {
namespace {

class SettingsPlace : public testing::Test {
protected:
    void SetUp() override {
        dir_ = testing::TempDir() + "place-" + testing::UnitTest::GetInstance()->current_test_info()->name();
        ::mkdir(dir_.c_str(), 0700);
        // The run's own folder (isolateUserSettings) comes back afterwards:
        // the tests after these must never write the user's own settings.
        const char* before = std::getenv("XDG_CONFIG_HOME");
        before_ = before ? before : "";
        ::setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
        own_ = dir_ + "/lenscout/lenscout.cfg";
        char* was = ::getcwd(nullptr, 0);
        cwd_ = was;
        std::free(was);
        ASSERT_EQ(::chdir(dir_.c_str()), 0);
    }
    void TearDown() override {
        ASSERT_EQ(::chdir(cwd_.c_str()), 0);
        if (before_.empty()) ::unsetenv("XDG_CONFIG_HOME");
        else
            ::setenv("XDG_CONFIG_HOME", before_.c_str(), 1);
        std::remove(own_.c_str());
        std::remove((dir_ + "/lenscout.cfg").c_str());
    }
    static std::string text(const std::string& path) {
        std::stringstream content;
        content << std::ifstream(path, std::ios::binary).rdbuf();
        return content.str();
    }
    std::string dir_, own_, cwd_, before_;
};

TEST_F(SettingsPlace, TheUsersFolderNotTheWorkingDirectory) {
    EXPECT_EQ(settingsFilePath(), own_);
    ::unsetenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    ASSERT_NE(home, nullptr);
    EXPECT_EQ(settingsFilePath(), std::string(home) + "/.config/lenscout/lenscout.cfg");
    ::setenv("XDG_CONFIG_HOME", "relative/is/ignored", 1);
    EXPECT_EQ(settingsFilePath(), std::string(home) + "/.config/lenscout/lenscout.cfg");
    ::setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
    LanguageSetting = 2;
    WriteLanguageSetting();
    EXPECT_EQ(text(own_), "lang=2");
    struct stat st {};
    ASSERT_EQ(::stat((dir_ + "/lenscout").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

// An old version's file in the working directory is taken over once, while
// the user has none; after that the user's own file counts.
TEST_F(SettingsPlace, AnOldFileIsTakenOverOnce) {
    std::ofstream("lenscout.cfg") << "lang=3\nwindow=left";
    takeOverOldSettings();
    EXPECT_EQ(text(own_), "lang=3\nwindow=left");
    std::ofstream("lenscout.cfg") << "lang=1";
    takeOverOldSettings();
    LanguageSetting = 0;
    ReadLanguageSetting();
    EXPECT_EQ(LanguageSetting, 3);
}

TEST_F(SettingsPlace, NeitherALinkNorAFifoNorAnotherUsersFile) {
    const std::string elsewhere = dir_ + "/elsewhere";
    std::ofstream(elsewhere) << "lang=2";
    ::mkdir((dir_ + "/lenscout").c_str(), 0700);
    ASSERT_EQ(::symlink(elsewhere.c_str(), own_.c_str()), 0);
    LanguageSetting = 9;
    ReadLanguageSetting();
    EXPECT_EQ(LanguageSetting, 0) << "read through the link";
    LanguageSetting = 1;
    WriteLanguageSetting();
    EXPECT_EQ(text(elsewhere), "lang=2") << "written through the link";
    std::remove(own_.c_str());

    ASSERT_EQ(::mkfifo(own_.c_str(), 0600), 0);
    ReadLanguageSetting();  // returns at once
    EXPECT_EQ(LanguageSetting, 0);
    std::remove(own_.c_str());

    if (::geteuid() != 0) return;  // only root can make a file another user's
    std::ofstream(own_) << "lang=2";
    ASSERT_EQ(::chown(own_.c_str(), 65534, 65534), 0);
    ReadLanguageSetting();
    EXPECT_EQ(LanguageSetting, 0);
    LanguageSetting = 3;
    WriteLanguageSetting();
    EXPECT_EQ(text(own_), "lang=2");
}

// The file is replaced whole: nothing of a temporary one is left beside it.
TEST_F(SettingsPlace, TheWriteLeavesOneFile) {
    LanguageSetting = 1;
    WriteLanguageSetting();
    LanguageSetting = 2;
    WriteLanguageSetting();
    EXPECT_EQ(text(own_), "lang=2");
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir_ + "/lenscout")) files += !entry.is_directory();
    EXPECT_EQ(files, 1u);
}

}  // namespace
}  // namespace lenscout
