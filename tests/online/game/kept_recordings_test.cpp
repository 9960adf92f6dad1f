// The whole game and its recordings: the table's rows and the files in the player's folder
// agree after every entry, the name and note are stamped on, and a submission uploads the
// row's recording with the check's token, off the main thread; one the server was too busy for
// goes again later, beside the next game, which never sees it.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "app/TForm1.h"
#include "app/replay/VerifyRecording.h"
#include "app/screens/MenuState.h"
#include "app/screens/ScreenSet.h"
#include "net/HttpClient.h"
#include "objects/Player.h"
#include "online/ScoreServer.h"
#include "platform/VirtualKeys.h"
#include "platform/headless/HeadlessPlatform.h"
#include "replay/Recording.h"
#include "replay/RecordingPlatform.h"
#include "storage/RecordingShelf.h"
#include "storage/UploadOutbox.h"
#include "support/Events.h"
#include "support/GameFolder.h"

namespace brinecast {
namespace {

// Where this test's game believes its score server is.
constexpr const char* kServer = "scores.test:9";

namespace fs = std::filesystem;
using Kind = PlatformEvent::Kind;

// A score server that answers at once: the check with a token, the submission with OK, and
// keeps every upload, answering each with the next of `answers` (404 once they run out, as a
// server that does not know the path). With hold set, an upload waits until the test
// releases it.
class Server : public HttpTransport {
 public:
  struct Upload {
    std::string url;
    std::string type;
    std::vector<uint8_t> bytes;
  };
  explicit Server(bool immediate = true) : immediate_(immediate) {}
  HttpResult Get(const HttpRequest& request) override {
    gets.push_back(request.url);
    HttpResult result;
    result.ok = true;
    result.status = 200;
    result.body = request.url.find("version&") != std::string::npos ? "OK|1|||t0k3n|" : "OK";
    return result;
  }
  HttpResult Post(const HttpRequest& request, const HttpBody& body) override {
    long status = 404;
    {
      // Retries post from a thread of their own.
      std::lock_guard lock(mutex);
      uploads.push_back({request.url, body.contentType, body.bytes});
      if (!answers.empty()) {
        status = answers.front();
        answers.pop_front();
      }
    }
    if (!immediate_) {
      posting = true;
      // Bounded, so an upload made on the main thread fails the test instead of hanging it.
      release.get_future().wait_for(std::chrono::seconds(10));
      posting = false;
    }
    HttpResult result;
    result.status = status;
    result.ok = status < 400;
    if (!result.ok) result.error = "HTTP status " + std::to_string(status);
    return result;
  }
  bool Immediate() const override { return immediate_; }
  size_t Posts() {
    std::lock_guard lock(mutex);
    return uploads.size();
  }

  std::vector<std::string> gets;
  std::vector<Upload> uploads;
  std::deque<long> answers;
  std::mutex mutex;
  std::atomic<bool> posting = false;
  std::promise<void> release;

 private:
  bool immediate_;
};

class KeptRecordings : public ::testing::Test {
 protected:
  void Start(Server& server) {
    // A message box is closed at once, as a player pressing OK would, and remembered.
    platform.SetDriver([this](uint64_t deadline) -> std::optional<uint64_t> {
      if (platform.MessageBox()) {
        boxes.push_back(platform.MessageBox()->text);
        platform.QueueEvent({Kind::DismissBox});
      }
      return deadline;
    });
    GameSetup setup{{recorder, server}, {folder.AppDir(), {}}, 7, std::nullopt, &recorder};
    setup.scoreServer = kServer;
    form = std::make_unique<TForm1>(setup);
    form->Loop().Guard([this] { form->FormCreate(); });
  }
  void TearDown() override { form.reset(); }

  void Enter() {
    platform.QueueEvent(testing::Key(Kind::KeyDown, vk::Return));
    platform.QueueEvent(testing::Key(Kind::KeyUp, vk::Return));
    form->Loop().RunPending();
  }

  // A game ended with this score; a name entry, if it comes, confirmed with this name.
  void Play(const std::string& name, int64_t score) {
    form->StartGame();
    form->Player()->SetScore(score);
    form->SetGameOverFlag(true);
    form->LeaveGame();
    if (form->State() != GameState::EnterName) return;
    form->PlayerName() = name;
    Enter();
  }

  RecordingShelf Shelf() const { return RecordingShelf(folder.Dir()); }

  // Every row a player made has its own recording, claimed by the row's name with the row's
  // score; default rows have none, and no other row file is there.
  void ExpectRowsAndFilesAgree(const std::string& when) {
    const HighScoreTable& table = form->Config.HighScores;
    std::set<std::string> expected;
    for (size_t row = 0; row < table.size(); ++row) {
      const auto bytes = RecordingShelf::Read(Shelf().RowPath(table, row));
      if (table[row].Name == "Anonymous") {
        EXPECT_EQ(bytes, std::nullopt) << when << ": row " << row + 1;
        continue;
      }
      expected.insert(RecordingShelf::RowFileName(table, row));
      ASSERT_TRUE(bytes) << when << ": row " << row + 1 << " has no recording";
      const replay::Recording recording = replay::DecodeRecording(*bytes, "");
      EXPECT_EQ(recording.claim.name, table[row].Name) << when << ": row " << row + 1;
      EXPECT_EQ(recording.end.score, table[row].Score) << when << ": row " << row + 1;
    }
    std::set<std::string> found;
    for (const auto& entry : fs::directory_iterator(Shelf().Folder())) {
      const std::string name = entry.path().filename().string();
      if (name.rfind("row-", 0) == 0) found.insert(name);
    }
    EXPECT_EQ(found, expected) << when;
  }

  testing::GameFolder folder;
  HeadlessPlatform platform;
  replay::RecordingPlatform recorder{platform};
  std::unique_ptr<TForm1> form;
  std::vector<std::string> boxes;
};

TEST_F(KeptRecordings, TheTablesRowsAndTheFilesAgreeAsRowsArePushedOut) {
  Server server;
  Start(server);
  struct Game {
    const char* name;
    int64_t score;
  };
  // The lowest first, so later games push it and then each other out; twins share a name
  // and a score; the last does not qualify at all.
  const Game games[] = {
      {"Low", 1500},   {"Ann", 20000},  {"Twin", 30000}, {"Twin", 30000}, {"Bob", 25000},
      {"Cy", 40000},   {"Dee", 22000},  {"Eve", 21000},  {"Fay", 50000},  {"Gus", 26000},
      {"Hal", 60000},  {"Twin", 30000}, {"Ivy", 70000},  {"Jo", 80000},   {"Kit", 90000},
      {"Lou", 100000}, {"Nope", 10},
  };
  for (const Game& game : games) {
    Play(game.name, game.score);
    const std::string when = std::string("after ") + game.name + " " + std::to_string(game.score);
    ASSERT_EQ(form->State(), game.score > 1000 ? GameState::HiScores : GameState::Menu) << when;
    ExpectRowsAndFilesAgree(when);
    // The last game's file is always the game just played.
    const auto last = RecordingShelf::Read(Shelf().LastPath());
    ASSERT_TRUE(last) << when;
    EXPECT_EQ(replay::DecodeRecording(*last, "").end.score, game.score) << when;
  }
  // The first rows of the table, for the record, are the best games played.
  EXPECT_EQ(form->Config.HighScores[0], (THighScore{"Lou", 100000}));
  EXPECT_TRUE(boxes.empty());

  // Clearing the table takes every row's recording with it; the last game's stays.
  form->BuildHiScores();
  form->Menu().cursor = HiScoresScreen::kItemClear;
  form->Screens().hiScores.Click();
  ExpectRowsAndFilesAgree("after clearing");
  EXPECT_TRUE(fs::exists(Shelf().LastPath()));
}

TEST_F(KeptRecordings, TheNameAndTheNoteAreStampedAndTheSubmissionUploadsTheRowsRecording) {
  Server server;
  Start(server);
  form->Config.SendOnline = true;
  form->Config.AddText = "from the pier";
  Play("Zed", 12345);
  ASSERT_EQ(form->State(), GameState::HiScores);
  EXPECT_TRUE(boxes.empty());

  const auto kept = RecordingShelf::Read(Shelf().RowPath(form->Config.HighScores, 0));
  ASSERT_TRUE(kept);
  const replay::Recording recording = replay::DecodeRecording(*kept, "");
  EXPECT_EQ(recording.claim.name, "Zed");
  EXPECT_EQ(recording.claim.note, "from the pier");
  EXPECT_EQ(RecordingShelf::Read(Shelf().LastPath()), kept);

  // The setup's address, not the built-in one.
  const std::string host = kServer;
  ASSERT_EQ(server.gets.size(), 2u);
  EXPECT_EQ(server.gets[0], CheckUrl(host));
  ASSERT_EQ(server.uploads.size(), 1u);
  EXPECT_EQ(server.uploads[0].url, RecordingUrl(host, "t0k3n"));
  EXPECT_EQ(server.uploads[0].type, "application/x-brinecast-recording");
  EXPECT_EQ(server.uploads[0].bytes, *kept);
}

TEST_F(KeptRecordings, AGameNotSentUploadsNothingButKeepsItsRecording) {
  Server server;
  Start(server);
  form->Config.SendOnline = false;
  Play("Quiet", 15000);
  ASSERT_EQ(form->State(), GameState::HiScores);
  EXPECT_TRUE(server.gets.empty());
  EXPECT_TRUE(server.uploads.empty());
  ExpectRowsAndFilesAgree("unsent");
}

TEST_F(KeptRecordings, AnUploadThatTakesItsTimeLeavesTheWindowDrawing) {
  Server server(false);
  Start(server);
  form->Config.SendOnline = true;
  form->StartGame();
  form->Player()->SetScore(5000);
  form->SetGameOverFlag(true);
  form->LeaveGame();
  ASSERT_EQ(form->State(), GameState::EnterName);
  form->PlayerName() = "Slow";

  bool entered = false;
  uint64_t postingSince = 0;
  uint64_t framesAtPost = 0;
  uint64_t framesWhilePosting = 0;
  bool released = false;
  platform.SetDriver([&](uint64_t deadline) -> std::optional<uint64_t> {
    if (!entered) {
      entered = true;
      platform.QueueEvent(testing::Key(Kind::KeyDown, vk::Return));
      platform.QueueEvent(testing::Key(Kind::KeyUp, vk::Return));
      return platform.Ticks();
    }
    if (server.posting && postingSince == 0) {
      postingSince = platform.Ticks();
      framesAtPost = platform.FramesPresented();
    }
    if (postingSince != 0 && !released && platform.Ticks() > postingSince + 2000) {
      framesWhilePosting = platform.FramesPresented() - framesAtPost;
      released = true;
      server.release.set_value();
    }
    if (form->State() == GameState::HiScores || platform.Ticks() > 60000) return std::nullopt;
    return std::min(deadline, platform.Ticks() + 16);
  });
  form->Loop().Run();

  // An upload made on the main thread is over before any frame could see it.
  ASSERT_NE(postingSince, 0u) << "no upload was seen in progress";
  EXPECT_GT(framesWhilePosting, 50u) << "the window froze during the upload";
  EXPECT_EQ(form->State(), GameState::HiScores);
  ExpectRowsAndFilesAgree("after a slow upload");
}

// What a game played beside a retry leaves: the uploads the server saw, what still waits,
// and the game's recording.
struct BesideRetry {
  std::vector<Server::Upload> uploads;
  std::ptrdiff_t waiting = -1;
  size_t postsBeforeTheWait = 0;
  std::vector<uint8_t> recording;
  std::vector<std::string> boxes;
};

// A game sent, its upload answered with the first of answers; a new game started 25 s later
// and played for 25 s, while the upload, if kept, goes again 30 s after the first.
BesideRetry PlayBesideRetry(std::deque<long> answers) {
  BesideRetry seen;
  testing::GameFolder folder;
  HeadlessPlatform platform;
  replay::RecordingPlatform recorder{platform};
  Server server;
  server.answers = std::move(answers);
  const size_t posts = server.answers.size();
  GameSetup setup{{recorder, server}, {folder.AppDir(), {}}, 7, std::nullopt, &recorder};
  setup.scoreServer = kServer;
  setup.draws = false;  // nobody looks, and play is the same
  TForm1 form(setup);
  form.Loop().Guard([&] { form.FormCreate(); });
  form.Config.SendOnline = true;
  form.StartGame();
  form.Player()->SetScore(12345);
  form.SetGameOverFlag(true);
  form.LeaveGame();
  form.PlayerName() = "Zed";
  platform.QueueEvent(testing::Key(Kind::KeyDown, vk::Return));
  platform.QueueEvent(testing::Key(Kind::KeyUp, vk::Return));
  form.Loop().RunPending();

  const uint64_t sent = platform.Ticks();
  form.SetScriptStep([&] {
    seen.postsBeforeTheWait = server.Posts();
    form.StartGame();
  });
  bool started = false;
  bool awaited = false;
  platform.SetDriver([&](uint64_t deadline) -> std::optional<uint64_t> {
    if (platform.MessageBox()) {
      seen.boxes.push_back(platform.MessageBox()->text);
      platform.QueueEvent({Kind::DismissBox});
    }
    if (!started && platform.Ticks() >= sent + 25000) {
      started = true;
      platform.QueueEvent({Kind::Script});
      return platform.Ticks();
    }
    // The game's clock stands still while the thread does its work, so the game cannot
    // tell how long that takes.
    if (!awaited && platform.Ticks() >= sent + 40000) {
      awaited = true;
      const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
      while (server.Posts() < posts && std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
    }
    if (platform.Ticks() >= sent + 50000) return std::nullopt;
    return deadline;
  });
  form.Loop().Run();
  form.EndRecording(false);
  if (std::optional<replay::Recording>* last = form.LastGame(); last && last->has_value()) {
    seen.recording = replay::EncodeRecording(**last);
  }
  seen.uploads = server.uploads;
  std::error_code error;
  seen.waiting = std::distance(fs::directory_iterator(folder / UploadOutbox::kFolderName, error),
                               fs::directory_iterator());
  return seen;
}

TEST(UploadRetries, AnUploadTheServerWasTooBusyForGoesAgainUnseenBesideTheNextGame) {
  const BesideRetry retried = PlayBesideRetry({503, 200});
  EXPECT_EQ(retried.postsBeforeTheWait, 1u) << "tried again before its wait was over";
  ASSERT_EQ(retried.uploads.size(), 2u);
  EXPECT_EQ(retried.uploads[1].url, retried.uploads[0].url);
  EXPECT_EQ(retried.uploads[1].bytes, retried.uploads[0].bytes);
  EXPECT_EQ(retried.waiting, 0) << "taken, yet still kept";
  EXPECT_TRUE(retried.boxes.empty());

  // The same games with the first upload taken: the game played beside the retry was
  // recorded exactly as this one, so no retry ever shows in a recording.
  const BesideRetry taken = PlayBesideRetry({200});
  EXPECT_EQ(taken.uploads.size(), 1u);
  EXPECT_EQ(taken.waiting, 0);
  ASSERT_FALSE(taken.recording.empty());
  EXPECT_EQ(retried.recording, taken.recording);
}

TEST_F(KeptRecordings, ARecordingThatCannotBeWrittenCostsNothingElse) {
  Server server;
  Start(server);
  // A plain file where the recordings' folder must go.
  { std::ofstream(folder / "Recordings") << "mine"; }
  ::testing::internal::CaptureStderr();
  Play("Ann", 15000);
  const std::string told = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(form->State(), GameState::HiScores);
  EXPECT_TRUE(boxes.empty());
  EXPECT_NE(told.find("Cannot write " + Shelf().LastPath()), std::string::npos) << told;
  EXPECT_EQ(form->Config.HighScores[0], (THighScore{"Ann", 15000}));
  // The scores went to Config.cfg all the same, and the player's file is as it was.
  TConfig saved;
  ASSERT_TRUE(TConfigFile(folder.AppDir(), "").Load(saved));
  EXPECT_EQ(saved.HighScores[0], (THighScore{"Ann", 15000}));
  std::ifstream mine(folder / "Recordings");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(mine), {}), "mine");
}

TEST_F(KeptRecordings, ALastGameThatCannotBeWrittenDoesNotCostTheRowItsRecording) {
  Server server;
  Start(server);
  // Something that cannot be removed holds the last game's temporary name.
  fs::create_directories(Shelf().LastPath() + ".tmp/inside");
  ::testing::internal::CaptureStderr();
  Play("Ann", 15000);
  const std::string told = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(form->State(), GameState::HiScores);
  EXPECT_TRUE(boxes.empty());
  EXPECT_NE(told.find("Cannot write " + Shelf().LastPath()), std::string::npos) << told;
  ExpectRowsAndFilesAgree("with the last game's file blocked");
}

}  // namespace
}  // namespace brinecast
