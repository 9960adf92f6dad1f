// Which answers to an upload are worth another try, how long the game waits between tries,
// and how long a token lets it go on.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "online/UploadRetry.h"

namespace brinecast {
namespace {

TEST(UploadRetry, OnlyABusyServerOrNoAnswerIsWorthAnotherTry) {
  struct Case {
    long status;
    bool retry;
  };
  const Case cases[] = {
      {0, true},    {503, true},  {429, true},  {502, true},  {504, true},
      {408, true},  {200, false}, {201, false}, {204, false}, {400, false},
      {403, false}, {404, false}, {409, false}, {410, false}, {413, false},
      {500, false}, {501, false}, {507, false}, {302, false}, {100, false},
  };
  for (const Case& c : cases) EXPECT_EQ(UploadWorthRetrying(c.status), c.retry) << c.status;
}

TEST(UploadRetry, TheWaitDoublesFromHalfAMinuteUpToEightMinutes) {
  const std::vector<int64_t> waits = {30, 30, 60, 120, 240, 480, 480, 480};
  for (uint32_t attempts = 0; attempts < waits.size(); ++attempts) {
    EXPECT_EQ(UploadBackOff(attempts), waits[attempts]) << attempts;
  }
  EXPECT_EQ(UploadBackOff(4000000000u), 480);
}

TEST(UploadRetry, TheTokensOwnExpiryBoundsTheWaitWithinADay) {
  struct Case {
    const char* token;
    std::optional<int64_t> expiry;
  };
  const Case cases[] = {
      {"1765432100Ab3dEfGhIjKl0123456789abcdef0123456789abcdef", 1765432100},
      {"0000000042xyz", 42},
      {"1765432100", std::nullopt},  // the expiry alone is no token of the server's
      {"176543210xAb3", std::nullopt},
      {"5eed70ce", std::nullopt},
      {"", std::nullopt},
      {"-765432100abc", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(TokenExpiry(c.token), c.expiry) << c.token;

  const int64_t now = 1765432000;
  EXPECT_EQ(UploadDeadline("1765432100Ab3dEf", now), 1765432100);
  // A token that has already expired says so: nothing is kept for it.
  EXPECT_EQ(UploadDeadline("1765431000Ab3dEf", now), 1765431000);
  // One that does not say lives as the server's do by default.
  EXPECT_EQ(UploadDeadline("5eed70ce", now), now + 600);
  // One that claims years is held a day at most.
  EXPECT_EQ(UploadDeadline("9999999999Ab3dEf", now), now + 24 * 60 * 60);
}

}  // namespace
}  // namespace brinecast
