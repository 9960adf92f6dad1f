// Tests of the JSON writer and of the snapshot of the game's state it writes.
#include "app/Snapshot.h"

#include <gtest/gtest.h>

#include <regex>

#include "app/JsonWriter.h"
#include "app/TForm1.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/OfflineSetup.h"

namespace brinecast {
namespace {

TEST(JsonWriter, WritesTextsAndNumbersThatReadBack) {
  struct Case {
    std::string text;
    std::string json;
  };
  for (const Case& c : std::vector<Case>{{"Menu", "\"Menu\""},
                                         {"say \"hi\"\\", "\"say \\\"hi\\\"\\\\\""},
                                         {"tab\there\n", "\"tab\\u0009here\\u000a\""},
                                         {"\xC0\xFF", "\"\\u00c0\\u00ff\""}}) {
    EXPECT_EQ(JsonWriter().String(c.text).Text(), c.json) << c.text;
  }
  struct NumberCase {
    double value;
    std::string json;
  };
  for (const NumberCase& c : std::vector<NumberCase>{{0.5, "0.5"},
                                                     {-3, "-3"},
                                                     {1e-7, "0.0000001"},
                                                     {123456789.25, "123456789.25"},
                                                     {1.0 / 0.0, "null"}}) {
    EXPECT_EQ(JsonWriter().Number(c.value).Text(), c.json) << c.value;
  }
  JsonWriter nested;
  nested.BeginObject().Key("a").BeginArray().Int(1).BeginArray().EndArray().Null().EndArray();
  nested.Key("b").Bool(false).EndObject();
  EXPECT_EQ(nested.Text(), "{\"a\":[1,[],null],\"b\":false}");
}

TEST(Snapshot, HasEveryKeyInOrderAndTheWindowsState) {
  HeadlessPlatform platform;
  TForm1 form(testing::OfflineSetup(platform, "/game/", 1));
  form.Freeze().SetEnabled(true);
  form.BonusCount().SetEnabled(true);
  form.SetState(GameState::Game);
  form.LevelNo = 3;
  form.GoalCount = 2;
  form.Goals[0] = {4, 2};
  form.Goals[1] = {9, 0};
  platform.ShowCursor(false);
  SnapshotRecords records;
  records.opened = {"play.url"};
  records.sounds = {{"play", "Poimal", 40}, {"stop", "Up", 56}};
  records.http = {"http://localhost:8765/"};
  const std::string line = Snapshot(form, records);

  std::vector<std::string> keys;
  // Top-level keys only: drop what nested objects say before looking.
  std::string flat;
  int depth = 0;
  for (char c : line) {
    if (c == '{') ++depth;
    if (depth <= 1) flat += c;
    if (c == '}') --depth;
  }
  std::regex key("\"([A-Za-z]+)\":");
  for (auto it = std::sregex_iterator(flat.begin(), flat.end(), key); it != std::sregex_iterator();
       ++it) {
    keys.push_back((*it)[1]);
  }
  const std::vector<std::string> expected = {
      "t",        "frame",       "state",      "menuCursor",    "savedMenuCursor",
      "level",    "goals",       "goalCount",  "goalsDone",     "levelTime",
      "timeLeft", "score",       "fishCount",  "objCount",      "bottomObjCount",
      "hookLoad", "catchPoints", "catchTextY", "showCatchText", "paused",
      "gameOver", "timers",      "player",     "sprites",       "buttons",
      "helpPage", "config",      "highScores", "playerName",    "editingAddText",
      "keySum",   "sending",     "messageBox", "messages",      "sounds",
      "music",    "http",        "opened",     "fullScreen",    "cursorShown"};
  EXPECT_EQ(keys, expected);
  for (const char* part :
       {"\"state\":\"Game\"", "\"level\":3", "\"goals\":[[4,2],[9,0]]", "\"goalCount\":2",
        "\"timers\":[false,true,false,true]", "\"messageBox\":null", "\"messages\":[]",
        "\"opened\":[\"play.url\"]", "\"cursorShown\":false", "\"fullScreen\":false",
        "\"sounds\":[[\"play\",\"Poimal\",40],[\"stop\",\"Up\",56]]",
        "\"http\":[\"http://localhost:8765/\"]", "\"player\":null", "\"score\":null",
        "\"music\":{\"file\":null,\"playing\":false}"}) {
    EXPECT_NE(line.find(part), std::string::npos) << part << " in " << line;
  }
}

}  // namespace
}  // namespace brinecast
