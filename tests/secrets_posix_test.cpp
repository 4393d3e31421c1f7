// Where a password could be found later.
#include "platform/secrets.h"

#include <sys/prctl.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>

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
