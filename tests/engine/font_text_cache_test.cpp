// The rendered-text cache: what it keeps within its capacity and what it lets go.
#include <gtest/gtest.h>

#include <string>

#include "engine/FontLibrary.h"
#include "engine/FontTextCache.h"

namespace brinecast {
namespace {

TEST(FontTextCache, KeepsTheLeastRecentlyUsedTextsWithinItsCapacity) {
  TFontLibrary fonts;
  TTF_Font* font = fonts.Open("Arial", 14, false);
  TFontTextCache cache(3);
  SDL_Surface* a = cache.Get(font, 0xFFFFFF, "a");
  cache.Get(font, 0xFFFFFF, "b");
  cache.Get(font, 0xFFFFFF, "c");
  EXPECT_EQ(cache.Get(font, 0xFFFFFF, "a"), a);  // a is now the newest
  EXPECT_EQ(cache.Renders(), 3u);

  cache.Get(font, 0xFFFFFF, "d");  // pushes out b, the oldest
  EXPECT_EQ(cache.Size(), 3u);
  cache.Get(font, 0xFFFFFF, "a");
  cache.Get(font, 0xFFFFFF, "c");
  EXPECT_EQ(cache.Renders(), 4u);
  cache.Get(font, 0xFFFFFF, "b");
  EXPECT_EQ(cache.Renders(), 5u);
}

TEST(FontTextCache, ScoresChangingEveryFrameStayBounded) {
  TFontLibrary fonts;
  TTF_Font* font = fonts.Open("Arial", 14, false);
  TFontTextCache cache;
  for (int score = 0; score < 2000; score += 5) {
    ASSERT_NE(cache.Get(font, 0xFFFFFF, std::to_string(score)), nullptr);
  }
  EXPECT_EQ(cache.Size(), TFontTextCache::kDefaultCapacity);
}

}  // namespace
}  // namespace brinecast
