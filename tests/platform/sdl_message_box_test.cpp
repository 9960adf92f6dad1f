// Tests of the message box's text wrapping and layout (caption, icon, button), and of the URLs
// handed to the desktop.
#include <gtest/gtest.h>

#include "platform/sdl/FileUrl.h"
#include "platform/sdl/MessageBoxLayout.h"

namespace brinecast {
namespace {

// Ten pixels a character, counting UTF-8 characters rather than bytes.
int FakeWidth(const std::string& text) {
  int chars = 0;
  for (const char c : text) chars += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return chars * 10;
}

bool StartsInsideACharacter(const std::string& line) {
  return !line.empty() && (static_cast<unsigned char>(line[0]) & 0xC0) == 0x80;
}

TEST(SdlMessageBoxWrap, BreaksAtSpacesLinesAndOverlongWords) {
  const struct {
    const char* text;
    int maxWidth;
    std::vector<std::string> lines;
  } cases[] = {
      {"Can't load music.", 480, {"Can't load music."}},
      {"aaa bbb ccc", 70, {"aaa bbb", "ccc"}},
      {"aaa bbb ccc", 69, {"aaa", "bbb", "ccc"}},
      {"one\ntwo three", 480, {"one", "two three"}},
      {"one\r\n\ntwo", 480, {"one", "", "two"}},
      {"abcdefghijkl", 50, {"abcde", "fghij", "kl"}},
      {"xy abcdefghijkl z", 50, {"xy", "abcde", "fghij", "kl z"}},
      {"  spaced   out  ", 480, {"spaced out"}},
      {"", 480, {""}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WrapText(c.text, c.maxWidth, FakeWidth), c.lines) << c.text << " / " << c.maxWidth;
  }
}

TEST(SdlMessageBoxWrap, NeverSplitsAUtf8Character) {
  const std::string word = "Музыканезагружена";  // 17 two-byte characters, one word
  const std::vector<std::string> lines = WrapText(word, 50, FakeWidth);
  std::string joined;
  for (const std::string& line : lines) {
    EXPECT_FALSE(StartsInsideACharacter(line)) << line;
    EXPECT_LE(FakeWidth(line), 50) << line;
    joined += line;
  }
  EXPECT_EQ(joined, word);
}

TEST(SdlMessageBoxLayout, CentresThePanelWithTheButtonBelowTheText) {
  const std::vector<std::string> texts = {"Can't connect to server!",
                                          std::string(300, 'w') + " end", ""};
  for (const std::string& text : texts) {
    const MessageBoxLayout box = LayoutMessageBox({text}, FakeWidth);
    EXPECT_NEAR(box.panel.Left + box.panel.Width() / 2, 400, 1) << text;
    EXPECT_NEAR(box.panel.Top + box.panel.Height() / 2, 300, 1) << text;
    EXPECT_GE(box.panel.Width(), MessageBoxMetrics{}.minPanelWidth) << text;
    for (const std::string& line : box.lines) EXPECT_LE(FakeWidth(line), box.text.Width()) << text;
    EXPECT_GE(box.text.Left, box.panel.Left);
    EXPECT_LE(box.text.Left + box.text.Width(), box.panel.Left + box.panel.Width()) << text;
    EXPECT_GE(box.okButton.Top, box.text.Top + box.text.Height()) << text;
    EXPECT_LE(box.okButton.Top + box.okButton.Height(), box.panel.Top + box.panel.Height()) << text;
    EXPECT_NEAR(box.okButton.Left + box.okButton.Width() / 2, 400, 1) << text;
  }
}

TEST(SdlMessageBoxLayout, OkHitMatchesTheDrawnButtonExactly) {
  const MessageBoxLayout box = LayoutMessageBox({"Can't load music."}, FakeWidth);
  const TRect& b = box.okButton;
  const struct {
    int x, y;
    bool hit;
  } cases[] = {
      {b.Left, b.Top, true},
      {b.Left + b.Width() - 1, b.Top + b.Height() - 1, true},
      {b.Left + b.Width() / 2, b.Top + b.Height() / 2, true},
      {b.Left - 1, b.Top + b.Height() / 2, false},
      {b.Left + b.Width(), b.Top + b.Height() / 2, false},
      {b.Left + b.Width() / 2, b.Top - 1, false},
      {b.Left + b.Width() / 2, b.Top + b.Height(), false},
      {box.panel.Left + 2, box.panel.Top + 2, false},
  };
  for (const auto& c : cases) EXPECT_EQ(b.Contains(c.x, c.y), c.hit) << c.x << "," << c.y;
}

TEST(SdlMessageBoxLayout, TextTooLongForTheScreenIsCutWithAnEllipsis) {
  std::string text;
  for (int i = 0; i < 200; ++i) text += "line\n";
  const MessageBoxLayout box = LayoutMessageBox({text}, FakeWidth);
  EXPECT_GE(box.panel.Top, 0);
  EXPECT_LE(box.panel.Top + box.panel.Height(), 600);
  ASSERT_FALSE(box.lines.empty());
  EXPECT_LT(box.lines.size(), 200u);
  EXPECT_EQ(box.lines.back(), "line...");

  std::string wide;
  for (int i = 0; i < 2000; ++i) wide += "Ж";  // breaks into many full lines
  const MessageBoxLayout cut = LayoutMessageBox({wide}, FakeWidth);
  EXPECT_LE(cut.panel.Top + cut.panel.Height(), 600);
  const std::string& last = cut.lines.back();
  EXPECT_EQ(last.substr(last.size() - 3), "...");
  EXPECT_LE(FakeWidth(last), MessageBoxMetrics{}.maxTextWidth);
  EXPECT_EQ((last.size() - 3) % 2, 0u) << "a character was cut in half";
}

TEST(SdlMessageBoxLayout, CaptionTitleBarAndIconSitInsideThePanelApartFromTheText) {
  const std::string url = "No web browser could be opened. Open this address by hand:\nhttp://" +
                          std::string(120, 'a') + ".example/world?page=1";
  const struct {
    MessageBoxContent box;
    const char* caption;
  } cases[] = {
      {{"Can't connect to server!", "Information", BoxIcon::Information}, "Information"},
      {{"Can't connect to server!", "", BoxIcon::None}, "Brinecast"},
      {{url, "Information", BoxIcon::Information}, "Information"},
      {{"x", "Information", BoxIcon::Information}, "Information"},
      {{"", std::string(80, 'c'), BoxIcon::Information}, nullptr},
  };
  const MessageBoxMetrics m;
  for (const auto& c : cases) {
    const MessageBoxLayout box = LayoutMessageBox(c.box, FakeWidth);
    const std::string& text = c.box.text;
    const TRect& p = box.panel;
    if (c.caption != nullptr) {
      EXPECT_EQ(box.caption, c.caption) << text;
    } else {
      EXPECT_EQ(box.caption.substr(box.caption.size() - 3), "...") << text;
    }
    EXPECT_LE(FakeWidth(box.caption) + 2 * m.titlePadding, box.titleBar.Width()) << text;
    EXPECT_EQ(box.titleBar, (TRect{p.Left, p.Top, p.Right, p.Top + m.titleHeight})) << text;
    EXPECT_GE(box.text.Top, box.titleBar.Bottom) << text;
    EXPECT_GE(p.Left, 0) << text;
    EXPECT_LE(p.Right, 800) << text;
    EXPECT_GE(box.text.Left, p.Left + m.padding) << text;
    EXPECT_LE(box.text.Right, p.Right - m.padding) << text;
    for (const std::string& line : box.lines) EXPECT_LE(FakeWidth(line), box.text.Width()) << text;
    EXPECT_GE(box.okButton.Top, std::max(box.text.Bottom, box.icon.Bottom) + m.gap) << text;
    if (c.box.icon == BoxIcon::None) {
      EXPECT_TRUE(box.icon.Empty()) << text;
      continue;
    }
    EXPECT_EQ(box.icon.Width(), m.iconSize) << text;
    EXPECT_EQ(box.icon.Height(), m.iconSize) << text;
    EXPECT_GE(box.icon.Left, p.Left + m.padding) << text;
    EXPECT_GE(box.icon.Top, box.titleBar.Bottom + m.padding) << text;
    EXPECT_EQ(box.text.Left, box.icon.Right + m.iconGap) << text;
  }
}

TEST(SdlMessageBoxLayout, ALongAddressStartsItsOwnLineAndIsBrokenWithNothingLost) {
  const std::string url = "http://scores.example/" + std::string(200, 'q') + "/world";
  const MessageBoxLayout box = LayoutMessageBox(
      {"Open this address by hand:\n" + url, "Information", BoxIcon::Information}, FakeWidth);
  ASSERT_GE(box.lines.size(), 3u);
  EXPECT_EQ(box.lines[0], "Open this address by hand:");
  std::string joined;
  for (size_t i = 1; i < box.lines.size(); ++i) {
    EXPECT_LE(FakeWidth(box.lines[i]), MessageBoxMetrics{}.maxTextWidth);
    joined += box.lines[i];
  }
  EXPECT_EQ(joined, url);
}

TEST(SdlMessageBoxLayout, TheIconCentresAgainstShortTextAndTheTextAgainstATallIcon) {
  const MessageBoxMetrics m;
  const MessageBoxLayout one = LayoutMessageBox({"one line", "", BoxIcon::Information}, FakeWidth);
  EXPECT_NEAR(one.text.Top + one.text.Height() / 2, one.icon.Top + one.icon.Height() / 2, 1);
  std::string many;
  for (int i = 0; i < 6; ++i) many += "line\n";
  const MessageBoxLayout tall = LayoutMessageBox({many, "", BoxIcon::Information}, FakeWidth);
  EXPECT_EQ(tall.text.Top, tall.titleBar.Bottom + m.padding);
  EXPECT_NEAR(tall.icon.Top + tall.icon.Height() / 2, tall.text.Top + tall.text.Height() / 2, 1);
}

TEST(SdlOpenUrl, WebAddressesPassAndFilesBecomeAbsoluteFileUrls) {
  const struct {
    const char* target;
    const char* cwd;
    const char* url;
  } cases[] = {
      {"http://scores.example/top", "/home/p", "http://scores.example/top"},
      {"mailto:someone@example.org", "/home/p", "mailto:someone@example.org"},
      {"play.url", "/home/p/game", "file:///home/p/game/play.url"},
      {"./sub/../play.url", "/home/p/game", "file:///home/p/game/play.url"},
      {"/tmp/a b#1?.url", "/home/p", "file:///tmp/a%20b%231%3F.url"},
      {"/tmp/100%.url", "/", "file:///tmp/100%25.url"},
      {"/tmp/ёж", "/", "file:///tmp/%D1%91%D0%B6"},
      {"c:foo", "/x", "file:///x/c%3Afoo"},
      {"1http://x", "/x", "file:///x/1http%3A/x"},
      {"", "/home/p", ""},
      {"play.url", "", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(UrlForTarget(c.target, c.cwd), c.url) << c.target;
}

}  // namespace
}  // namespace brinecast
