// Tests of the drawn message box: the caption in its title bar, the icon beside the text.
#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/sdl/MessageBoxOverlay.h"

namespace brinecast {
namespace {

uint32_t Pixel(SDL_Surface* s, int x, int y) {
  return static_cast<const uint32_t*>(s->pixels)[y * s->pitch / 4 + x];
}

// Pixels inside r lighter than every channel's limit.
int LightPixels(SDL_Surface* s, const TRect& r, uint32_t limit) {
  int count = 0;
  for (int y = r.Top; y < r.Bottom; ++y) {
    for (int x = r.Left; x < r.Right; ++x) {
      const uint32_t c = Pixel(s, x, y);
      count += ((c >> 16) & 0xFF) > limit && ((c >> 8) & 0xFF) > limit && (c & 0xFF) > limit;
    }
  }
  return count;
}

TEST(SdlMessageBoxOverlay, DrawsTheCaptionInTheTitleBarAndTheIconBesideTheText) {
  MessageBoxOverlay overlay;
  overlay.Set(MessageBoxContent{"Can't connect to server!", "Information", BoxIcon::Information});
  SDL_Surface* picture = overlay.Picture();
  ASSERT_NE(picture, nullptr);
  const MessageBoxLayout& box = overlay.Layout();
  ASSERT_FALSE(box.icon.Empty());
  const TRect& bar = box.titleBar;
  // A dark bar with the white caption at its left; nothing light at its far right.
  EXPECT_GT(LightPixels(picture, TRect{bar.Left, bar.Top, bar.Left + 120, bar.Bottom}, 200), 40);
  EXPECT_EQ(LightPixels(picture, TRect{bar.Right - 30, bar.Top, bar.Right, bar.Bottom}, 200), 0);
  const int iconX = box.icon.Left + box.icon.Width() / 2;
  EXPECT_EQ(Pixel(picture, iconX, box.icon.Top + box.icon.Height() * 60 / 100), 0xFFFFFFFFu);
  const uint32_t disc = Pixel(picture, box.icon.Left + box.icon.Width() / 4, box.icon.Top + 16);
  EXPECT_GT(disc & 0xFF, ((disc >> 16) & 0xFF) + 60) << std::hex << disc;
  // The text is drawn in dark ink right of the icon.
  int ink = 0;
  for (int x = box.text.Left; x < box.text.Right; ++x) {
    for (int y = box.text.Top; y < box.text.Bottom; ++y) ink += (Pixel(picture, x, y) & 0xFF) < 90;
  }
  EXPECT_GT(ink, 50);
  EXPECT_TRUE(overlay.OkHit(box.okButton.Left + 1, box.okButton.Top + 1));

  overlay.Set(MessageBoxContent{"Can't load music."});
  ASSERT_NE(overlay.Picture(), nullptr);
  EXPECT_TRUE(overlay.Layout().icon.Empty());
  EXPECT_EQ(overlay.Layout().caption, "Brinecast");

  overlay.Set(std::nullopt);
  EXPECT_EQ(overlay.Picture(), nullptr);
  EXPECT_FALSE(overlay.OkHit(box.okButton.Left + 1, box.okButton.Top + 1));
}

}  // namespace
}  // namespace brinecast
