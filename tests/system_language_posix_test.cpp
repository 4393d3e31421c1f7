// The system's language where the locale variables give it.
#include <gtest/gtest.h>

#include "app/system_language.h"
#include "support/environment.h"

namespace lenscout {
namespace {

using test::clearEnvironment;
using test::setEnvironment;

TEST(SystemLanguage, FirstNonEmptyOfLcAllLcMessagesLang) {
    setEnvironment("LC_ALL", "");
    setEnvironment("LC_MESSAGES", "zh_TW.UTF-8");
    setEnvironment("LANG", "zh_CN.UTF-8");
    EXPECT_EQ(DetectSystemLanguage(), 3);
    setEnvironment("LC_ALL", "zh_CN.UTF-8");
    EXPECT_EQ(DetectSystemLanguage(), 2);
    clearEnvironment("LC_ALL");
    clearEnvironment("LC_MESSAGES");
    clearEnvironment("LANG");
    EXPECT_EQ(DetectSystemLanguage(), 1);
}

}  // namespace
}  // namespace lenscout
