// Tests of the score server's web pages: escaping, the world table and the home page.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "protocol/Requests.h"
#include "scores/service/HtmlPages.h"
#include "support/Occurrences.h"

namespace brinecast::scores {
namespace {

TEST(HtmlEscape, EscapesEveryMarkupCharacter) {
  EXPECT_EQ(HtmlEscape("<a href='x'>\"&\"</a>"),
            "&lt;a href=&#39;x&#39;&gt;&quot;&amp;&quot;&lt;/a&gt;");
  EXPECT_EQ(HtmlEscape("plain \xc3\xa9"), "plain \xc3\xa9");
  EXPECT_EQ(HtmlEscape(""), "");
}

TEST(WorldPage, OneRowPerScoreInOrderWithRanksAndDates) {
  const std::vector<ScoreEntry> best = {{"Ann", 900, "yo", 0, "a"},
                                        {"Bob", -3, "", 1'700'000'000, "b"}};
  const std::string page = WorldPage(best);
  EXPECT_NE(page.find("<meta name=\"viewport\" content=\"width=device-width"), std::string::npos);
  EXPECT_EQ(testing::Occurrences(page, "<tr><td"), 2u);
  EXPECT_LT(page.find("Ann"), page.find("Bob"));
  EXPECT_NE(page.find(">900<"), std::string::npos);
  EXPECT_NE(page.find(">-3<"), std::string::npos);
  EXPECT_NE(page.find("1970-01-01"), std::string::npos);
  EXPECT_NE(page.find("2023-11-14"), std::string::npos);
  EXPECT_NE(page.find("href=\"/\""), std::string::npos);
}

struct GroupCase {
  int64_t value;
  const char* text;
};

TEST(GroupDigits, GroupsOfThreeFromTheRight) {
  const GroupCase cases[] = {
      {0, "0"},
      {999, "999"},
      {1000, "1\u202f000"},
      {-1000, "-1\u202f000"},
      {-999, "-999"},
      {123456, "123\u202f456"},
      {2147483647, "2\u202f147\u202f483\u202f647"},
      {INT64_MIN, "-9\u202f223\u202f372\u202f036\u202f854\u202f775\u202f808"},
  };
  for (const GroupCase& c : cases) EXPECT_EQ(GroupDigits(c.value), c.text) << c.value;
}

TEST(WorldPage, NoteAlsoSitsUnderTheNameForNarrowScreens) {
  const std::string page = WorldPage({{"Ann", 1, "a<b", 0, "x"}, {"Bob", 0, "", 0, "y"}});
  EXPECT_EQ(testing::Occurrences(page, "a&lt;b"), 2u);
  EXPECT_EQ(testing::Occurrences(page, "class=\"under\""), 1u);  // none for an empty note
}

TEST(WorldPage, EmptyTableSaysSo) {
  const std::string page = WorldPage({});
  EXPECT_EQ(page.find("<table"), std::string::npos);
  EXPECT_NE(page.find("No scores yet"), std::string::npos);
}

TEST(HomePage, LinksToTheWorldTable) {
  EXPECT_NE(HomePage().find("href=\"" + HtmlEscape(protocol::WorldTarget()) + "\""),
            std::string::npos);
}

}  // namespace
}  // namespace brinecast::scores
