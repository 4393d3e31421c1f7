#include "site/outcome.h"

#include <gtest/gtest.h>

namespace lenscout {
namespace {

// The exit statuses as the manual page lists them, ranked from the best.
TEST(Outcome, OneRankingForEveryCommand) {
    const int ranked[] = {0, 7, 6, 4, 5, 3, 1, 2, 130};
    for (size_t i = 0; i < std::size(ranked); ++i)
        for (size_t j = 0; j < std::size(ranked); ++j)
            EXPECT_EQ(worseStatus(ranked[i], ranked[j]), ranked[std::max(i, j)]) << ranked[i] << " " << ranked[j];
}

TEST(Outcome, WordsAndStatuses) {
    EXPECT_STREQ(outcomeWord(Outcome::SentNotConfirmed), "sent-not-confirmed");
    EXPECT_STREQ(outcomeWord(Outcome::NotConfirmed), "not-confirmed");
    EXPECT_EQ(exitStatusOf(Outcome::Confirmed), 0);
    EXPECT_EQ(exitStatusOf(Outcome::Unchanged), 0);
    EXPECT_EQ(exitStatusOf(Outcome::SentNotConfirmed), 7);
    EXPECT_EQ(exitStatusOf(Outcome::NotConfirmed), 6);
    EXPECT_EQ(exitStatusOf(Outcome::Refused), 5);
    EXPECT_EQ(exitStatusOf(Outcome::Failed), 1);
}

}  // namespace
}  // namespace lenscout
