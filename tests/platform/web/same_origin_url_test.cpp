// Requests of the browser game go to the page's own server: addresses cut to path and query.
#include <gtest/gtest.h>

#include "platform/web/SameOriginUrl.h"

namespace brinecast {
namespace {

TEST(SameOriginUrl, KeepsOnlyPathAndQuery) {
  const std::vector<std::pair<const char*, const char*>> cases = {
      {"http://localhost:8765/check.php?v=2", "/check.php?v=2"},
      {"HTTPS://scores.example.org/world", "/world"},
      {"http://localhost:8765", "/"},
      {"http://localhost:8765?x=1", "/?x=1"},
      {"http://host/a/b?c=d#top", "/a/b?c=d"},
      {"http://host#top", "/"},
      {"/recordings/17", "/recordings/17"},
  };
  for (const auto& [url, target] : cases) {
    SCOPED_TRACE(url);
    const auto got = SameOriginTarget(url);
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(*got, target);
  }
}

TEST(SameOriginUrl, RefusesOtherSchemesAndBareNames) {
  for (const char* url : {"file:///tmp/x", "javascript:alert(1)", "mailto:a@b", "ftp://h/x",
                          "//other.example/x", "play.url", ""}) {
    SCOPED_TRACE(url);
    EXPECT_FALSE(SameOriginTarget(url).has_value());
  }
}

}  // namespace
}  // namespace brinecast
