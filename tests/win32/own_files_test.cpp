// The settings and the journal on Windows: written only through a new file
// of a name nobody knows, and neither read nor written when another
// account owns them.
#include <windows.h>

#include <aclapi.h>
#include <gtest/gtest.h>
#include <sddl.h>

#include <fstream>
#include <iterator>
#include <string>

#include "platform/append_file.h"
#include "platform/private_file.h"

namespace lenscout {
namespace {

class OwnFiles : public testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        dir = std::string(temp) + "lenscout-own-files-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(dir.c_str(), nullptr);
    }
    std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // What the system's account would own: an elevated service's file, or
    // a file another user left in a shared folder. False where the owner
    // did not change (Wine keeps the owner of the Unix file).
    bool giveToSystem(const std::string& path) {
        PSID system = nullptr;
        if (!ConvertStringSidToSidW(L"S-1-5-18", &system)) return false;
        std::wstring wide(path.begin(), path.end());
        PSID owner = nullptr;
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        const bool given = SetNamedSecurityInfoW(wide.data(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, system,
                                                 nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
                           GetNamedSecurityInfoW(wide.data(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner,
                                                 nullptr, nullptr, nullptr, &descriptor) == ERROR_SUCCESS &&
                           EqualSid(owner, system);
        LocalFree(descriptor);
        LocalFree(system);
        return given;
    }
    std::string dir;
};

TEST_F(OwnFiles, ReplacingGoesThroughANewFileAndLeavesAFixedNameAlone) {
    const std::string path = dir + "\\lenscout.cfg";
    std::ofstream(path + ".new") << "someone else's";
    ASSERT_TRUE(replaceOwnFile(path, "lang=2\n"));
    EXPECT_EQ(read(path), "lang=2\n");
    EXPECT_EQ(read(path + ".new"), "someone else's");
    std::string text;
    ASSERT_TRUE(readOwnFile(path, 100, &text));
    EXPECT_EQ(text, "lang=2\n");
    WIN32_FIND_DATAA found{};
    int files = 0;
    HANDLE search = FindFirstFileA((dir + "\\lenscout.cfg*").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) ++files;
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    EXPECT_EQ(files, 2) << "a temporary file was left behind";
}

TEST_F(OwnFiles, AnotherAccountsFilesAreNeitherReadNorWritten) {
    const std::string settings = dir + "\\other.cfg", journal = dir + "\\other.journal";
    std::ofstream(settings) << "lang=3\n";
    std::ofstream(journal) << "one line\n";
    if (!giveToSystem(settings) || !giveToSystem(journal)) GTEST_SKIP() << "the owner could not be changed here";
    std::string text;
    EXPECT_FALSE(readOwnFile(settings, 100, &text));
    EXPECT_FALSE(replaceOwnFile(settings, "lang=1\n"));
    EXPECT_EQ(read(settings), "lang=3\n");
    EXPECT_EQ(appendLine(journal, "two\n"), AppendResult::NotOurs);
    EXPECT_EQ(read(journal), "one line\n");
}

}  // namespace
}  // namespace lenscout
