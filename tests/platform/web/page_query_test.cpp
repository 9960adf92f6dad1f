// The page's address: the seed and the replay it asks for, and addresses that cannot be followed.
#include <gtest/gtest.h>

#include "platform/web/PageQuery.h"

namespace brinecast {
namespace {

TEST(PageQuery, ReadsTheSeedAndTheReplay) {
  struct Case {
    const char* search;
    std::optional<uint64_t> seed;
    std::optional<uint64_t> replay;
  };
  for (const Case& c :
       {Case{"", std::nullopt, std::nullopt}, Case{"?", std::nullopt, std::nullopt},
        Case{"?seed=42", 42, std::nullopt},
        Case{"seed=18446744073709551615", UINT64_MAX, std::nullopt},
        Case{"?lang=en&replay=17&x", std::nullopt, 17}, Case{"?seed=0&utm=a=b", 0, std::nullopt}}) {
    SCOPED_TRACE(c.search);
    const PageQuery query = ParsePageQuery(c.search);
    EXPECT_EQ(query.problem, "");
    EXPECT_EQ(query.seed, c.seed);
    EXPECT_EQ(query.replay, c.replay);
  }
}

TEST(PageQuery, RefusesWhatItCannotFollow) {
  for (const char* search : {"?seed=", "?seed=-1", "?seed=12ab", "?seed=18446744073709551616",
                             "?replay=0", "?replay=abc", "?replay", "?seed=1&replay=2"}) {
    SCOPED_TRACE(search);
    const PageQuery query = ParsePageQuery(search);
    EXPECT_NE(query.problem, "");
    EXPECT_FALSE(query.seed.has_value());
    EXPECT_FALSE(query.replay.has_value());
  }
}

}  // namespace
}  // namespace brinecast
