// Tests of what the server reads from the replaying child and of the verdict on a score:
// only a clean, complete replay to the very score, name and note proves it.
#include <gtest/gtest.h>

#include <string>

#include "scores/verify/ReplayReport.h"

namespace brinecast::scores {
namespace {

// As the game's verifier writes it, with one field set by the test.
std::string Line(const std::string& name = "Ann", const std::string& extra = "") {
  return R"({"score":1200,"level":3,"frames":5400,"state":"00ff00ff00ff00ff","complete":true,)"
         R"("verdict":"complete","scripted":false,"name":")" +
         name + R"(","note":"hi","build":"0.1 abc","message":"")" + extra + "}";
}

TEST(ReplayReport, ReadsTheVerifiersLine) {
  const auto report = ReadReplayReport(Line());
  ASSERT_TRUE(report);
  EXPECT_EQ(report->verdict, "complete");
  EXPECT_EQ(report->score, 1200);
  EXPECT_EQ(report->level, 3);
  EXPECT_EQ(report->frames, 5400u);
  EXPECT_EQ(report->state, "00ff00ff00ff00ff");
  EXPECT_TRUE(report->complete);
  EXPECT_FALSE(report->scripted);
  EXPECT_EQ(report->name, "Ann");
  EXPECT_EQ(report->note, "hi");
  EXPECT_EQ(report->build, "0.1 abc");
}

// A code-page byte comes escaped as \u00XX and is read back as that byte.
TEST(ReplayReport, EscapesComeBackAsTheirBytes) {
  const auto report = ReadReplayReport(Line(R"(J\u00f6rg \"J\" \\ \/)"));
  ASSERT_TRUE(report);
  EXPECT_EQ(report->name, "J\xf6rg \"J\" \\ /");
}

TEST(ReplayReport, AnythingElseIsUnreadable) {
  const std::string good = Line();
  const std::string cases[] = {
      "",
      "not json",
      good.substr(0, good.size() - 1),  // cut short
      good + "x",                       // trailing bytes
      good + "{}",                      // two objects
      R"({"score":1})",                 // fields missing
      Line("Ann", R"(,"score":5)"),     // a repeated key
      Line(R"(\u0100)"),                // wider than a byte
      Line(R"(\x41)"),                  // no such escape
      Line("A\nB"),                     // raw control byte
      Line(R"(\u00)"),                  // escape cut short
      Line("Ann", R"(,"more":[1])"),    // nested value
      R"({"score":"1200","level":3,"frames":5400,"state":"0","complete":true,)"
      R"("verdict":"complete","scripted":false,"name":"A","note":""})",  // score as text
      R"({"score":99999999999999999999,"frames":1,"state":"0","complete":true,)"
      R"("verdict":"complete","scripted":false,"name":"A","note":""})",  // out of range
      R"({"score":-,"frames":1,"state":"0","complete":true,)"
      R"("verdict":"complete","scripted":false,"name":"A","note":""})",  // a lone sign
  };
  for (const std::string& text : cases) EXPECT_FALSE(ReadReplayReport(text)) << text;
}

struct JudgeCase {
  const char* what;
  std::string line;
  ScoreEntry claimed;
  bool proven;
  const char* reason;  // a piece of it
};

TEST(Judge, ProvesOnlyTheVerySubmittedGame) {
  const ScoreEntry ann{"Ann", 1200, "hi", 0, "a"};
  auto with = [](const std::string& from, const std::string& to) {
    std::string line = Line();
    line.replace(line.find(from), from.size(), to);
    return line;
  };
  const JudgeCase cases[] = {
      {"all agree", Line(), ann, true, "replayed"},
      {"another score", Line(), {"Ann", 1300, "hi", 0, "a"}, false, "1200 points, not the 1300"},
      {"another name", Line(), {"Bob", 1200, "hi", 0, "a"}, false, "another player"},
      {"another note", Line(), {"Ann", 1200, "ho", 0, "a"}, false, "another note"},
      {"stops early",
       with(R"("complete":true,"verdict":"complete")",
            R"("complete":false,"verdict":"incomplete")"),
       ann, false, "incomplete"},
      {"went another way", with(R"("verdict":"complete")", R"("verdict":"inconsistent")"), ann,
       false, "inconsistent"},
      {"says complete but is not", with(R"("complete":true)", R"("complete":false)"), ann, false,
       "replay"},
      {"simulator steps", with(R"("scripted":false)", R"("scripted":true)"), ann, false,
       "simulator"},
      {"another build", with(R"("verdict":"complete")", R"("verdict":"refused")"), ann, false,
       "refused"},
      // The game's code page is stored as UTF-8: the same name either way.
      {"code-page name", Line(R"(J\u00f6rg)"), {"J\xc3\xb6rg", 1200, "hi", 0, "a"}, true, ""},
      {"UTF-8 bytes are not the stored name",
       Line(R"(J\u00c3\u00b6rg)"),
       {"J\xc3\xb6rg", 1200, "hi", 0, "a"},
       false,
       "another player"},
  };
  for (const JudgeCase& c : cases) {
    SCOPED_TRACE(c.what);
    const auto report = ReadReplayReport(c.line);
    ASSERT_TRUE(report);
    const RecordingVerdict verdict = Judge(*report, c.claimed);
    EXPECT_EQ(verdict.proven, c.proven);
    EXPECT_NE(verdict.reason.find(c.reason), std::string::npos) << verdict.reason;
    EXPECT_EQ(verdict.game.empty(), !c.proven);
  }
}

// The game key is what the replay found, so the same game under another name is the same key.
TEST(Judge, GameKeyNamesFramesStateAndScore) {
  const auto report = ReadReplayReport(Line());
  ASSERT_TRUE(report);
  const RecordingVerdict verdict = Judge(*report, {"Ann", 1200, "hi", 0, "a"});
  EXPECT_EQ(verdict.game, "5400:00ff00ff00ff00ff:1200");
}

}  // namespace
}  // namespace brinecast::scores
