// Where a password could be found later.
#include "platform/secrets.h"

#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>

#include "ui/dialog_view.h"

namespace lenscout {
namespace {

TEST(Secrets, NoDumpNoEnvironmentNoCopy) {
    keepSecretsFromDumps();
    EXPECT_EQ(prctl(PR_GET_DUMPABLE, 0, 0, 0, 0), 0);

    ::setenv("LENSCOUT_TEST_SECRET", "hunter2", 1);
    char* value = std::getenv("LENSCOUT_TEST_SECRET");
    forgetEnvironment("LENSCOUT_TEST_SECRET");
    EXPECT_EQ(std::getenv("LENSCOUT_TEST_SECRET"), nullptr);
    EXPECT_EQ(std::memcmp(value, "\0\0\0\0\0\0\0", 7), 0) << "the value is zeroed where it was";

    std::string typed = "hunter2";
    wipe(typed);
    EXPECT_TRUE(typed.empty());
}

class TypedFields : public DialogFields, public DialogView {
public:
    std::string text(DialogField f) const override { return f == DialogField::User ? "admin" : "pw"; }
    void setText(DialogField, const std::string&) override {}
    DialogFields& fields() override { return *this; }
    void showMessage(int) override {}
};

// The desktops' dialogs: once a password is taken the process is no longer
// dumpable. In a child, so that this test program stays as it was.
TEST(Secrets, ADialogTakingAPasswordLeavesNoDump) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        prctl(PR_SET_DUMPABLE, 1, 0, 0, 0);
        TypedFields typed;
        Credentials credentials{};
        const bool taken = takeCredentials(typed, credentials);
        _exit(taken && prctl(PR_GET_DUMPABLE, 0, 0, 0, 0) == 0 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(Secrets, AFileOthersCanRead) {
    const std::string path = testing::TempDir() + "lenscout-secret-test";
    std::ofstream(path) << "pw\n";
    ::chmod(path.c_str(), 0600);
    EXPECT_FALSE(readableByOthers(path));
    ::chmod(path.c_str(), 0640);
    EXPECT_TRUE(readableByOthers(path));
    ::chmod(path.c_str(), 0604);
    EXPECT_TRUE(readableByOthers(path));
    std::remove(path.c_str());
}

}  // namespace
}  // namespace lenscout
