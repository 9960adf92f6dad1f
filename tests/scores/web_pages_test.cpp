// Tests through the built brinecast-scores executable of its pages for browsers: the home page
// opens with the game when the server has it, the world page leads with proven scores and
// offers each one's game to watch, and every page names what it may load.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "ServerProcess.h"
#include "SiteReply.h"
#include "protocol/Requests.h"
#include "scores/service/HtmlPages.h"
#include "scores/store/SqliteStore.h"
#include "scores/store/TokenSigner.h"
#include "support/ScratchFolder.h"

namespace brinecast::scores {
namespace {

using testing::Fetch;
using testing::HeaderOf;
using testing::RawReply;
using testing::ScratchFolder;
using testing::ServerProcess;

constexpr const char* kPagePolicy =
    "default-src 'none'; style-src 'self'; img-src 'self'; base-uri 'none'; form-action 'none'; "
    "frame-ancestors 'none'";

// A database holding a forged score far above a proven one, as a cheat would leave it, and a
// server on it, with or without a browser game.
struct ServedTable {
  ScratchFolder folder;
  std::string db = (folder.Path() / "scores.db").string();
  std::filesystem::path site = folder.Path() / "site";
  int port = testing::FreeLoopbackPort();
  int64_t provenId = 0;
  std::unique_ptr<ServerProcess> process;

  explicit ServedTable(bool withPreview = true) {
    std::filesystem::create_directories(site);
    std::ofstream(site / "index.html") << "<!DOCTYPE html>";
    if (withPreview) std::ofstream(site / "preview.png") << "png";
    SqliteStore store(db);
    const SubmitRules rules{"k", 100, 1000, 1'000'000, 2'000'000'000};
    store.Submit("forged", rules, {"Forger", 123456, "", 1000, "a"});
    store.Submit("played", rules, {"Ann", 50, "", 1001, "b"});
    provenId = store.StoreRecording(TokenDigest("played"), 1002, "game").id;
    store.SaveVerdict(provenId, {true, "replayed", "g"});
  }
  bool Start(std::vector<std::string> extra) {
    std::vector<std::string> args = {"--port=" + std::to_string(port), "--db", db};
    args.insert(args.end(), extra.begin(), extra.end());
    process = std::make_unique<ServerProcess>(args);
    return process->WaitListening();
  }
  std::string World() { return Fetch(port, protocol::WorldTarget()).Body(); }
};

size_t Find(const std::string& page, const std::string& part) {
  return page.find(part);
}

TEST(WebPages, HomeOpensWithTheGameWhenServedAndSaysPlainlyWhenNot) {
  struct Case {
    bool served;
    bool preview;
  };
  for (const Case c : {Case{true, true}, Case{true, false}, Case{false, false}}) {
    SCOPED_TRACE(std::to_string(c.served) + std::to_string(c.preview));
    ServedTable table(c.preview);
    ASSERT_TRUE(table.Start(c.served ? std::vector<std::string>{"--web", table.site.string()}
                                     : std::vector<std::string>{}))
        << table.process->Err();
    const RawReply home = Fetch(table.port, protocol::PortalTarget());
    ASSERT_EQ(home.status, 200);
    EXPECT_EQ(HeaderOf(home, "Content-Security-Policy"), kPagePolicy);
    EXPECT_EQ(HeaderOf(home, "X-Content-Type-Options"), "nosniff");
    const std::string page = home.Body();
    EXPECT_NE(Find(page, "href=\"" + HtmlEscape(protocol::WorldTarget()) + "\""),
              std::string::npos);
    EXPECT_NE(Find(page, "<meta name=\"viewport\""), std::string::npos);
    EXPECT_NE(Find(page, "<img src=\"/assets/logo.svg\""), std::string::npos);
    EXPECT_EQ(Find(page, "<style"), std::string::npos);  // the policy would refuse it
    EXPECT_EQ(Find(page, "href=\"/play/\">Play now</a>") != std::string::npos, c.served) << page;
    EXPECT_EQ(Find(page, "src=\"/play/preview.png\"") != std::string::npos, c.preview) << page;
    EXPECT_EQ(Find(page, "<kbd>P</kbd> pause") != std::string::npos, c.served);
    EXPECT_EQ(Find(page, "not installed") != std::string::npos, !c.served);
    EXPECT_EQ(Find(page, "\"/play/\"") != std::string::npos, c.served);
    EXPECT_EQ(Fetch(table.port, "/play/").status, c.served ? 200 : 404);
  }
}

TEST(WebPages, StyleSheetAndLogoAreServedForThePages) {
  ServedTable table;
  ASSERT_TRUE(table.Start({})) << table.process->Err();
  const std::pair<const char*, const char*> cases[] = {
      {"/assets/style.css", "text/css; charset=utf-8"}, {"/assets/logo.svg", "image/svg+xml"}};
  for (const auto& [target, type] : cases) {
    const RawReply got = Fetch(table.port, target);
    EXPECT_EQ(got.status, 200) << target;
    EXPECT_EQ(HeaderOf(got, "Content-Type"), type);
    EXPECT_EQ(HeaderOf(got, "Cache-Control"), "no-cache");
    EXPECT_GT(got.Body().size(), 100u) << target;
  }
  EXPECT_NE(Fetch(table.port, "/assets/logo.svg").Body().find("<svg"), std::string::npos);
  EXPECT_EQ(Fetch(table.port, "/assets/../scores.db").status, 404);
  EXPECT_EQ(Fetch(table.port, "/assets/").status, 404);
}

// The forged 123,456 no longer stands first: the proven 50 leads, and every score sent
// follows one link below.
TEST(WebPages, WorldLeadsWithProvenScoresAndOffersEachGameToWatch) {
  ServedTable table;
  ASSERT_TRUE(table.Start({"--web", table.site.string()})) << table.process->Err();
  const RawReply reply = Fetch(table.port, protocol::WorldTarget());
  EXPECT_EQ(HeaderOf(reply, "Content-Security-Policy"), kPagePolicy);
  const std::string page = reply.Body();
  const size_t all = Find(page, "<h2 id=\"all\">");
  ASSERT_NE(all, std::string::npos) << page;
  const std::string proven = page.substr(0, all);
  const std::string every = page.substr(all);
  EXPECT_NE(Find(proven, "<tr class=\"proven\"><td class=\"n r\">1</td><td class=\"s\">Ann"),
            std::string::npos)
      << page;
  EXPECT_EQ(Find(proven, "Forger"), std::string::npos);
  EXPECT_EQ(Find(proven, "123\u202f456"), std::string::npos);
  EXPECT_NE(Find(proven, "href=\"#all\""), std::string::npos);
  EXPECT_NE(Find(proven, "href=\"/play/?replay=" + std::to_string(table.provenId) + "\""),
            std::string::npos);
  EXPECT_NE(Find(proven, "href=\"" + RecordingDownloadTarget(table.provenId) + "\""),
            std::string::npos);
  EXPECT_NE(Find(every, "<tr><td class=\"n r\">1</td><td class=\"s\">Forger"), std::string::npos);
  EXPECT_NE(Find(every, "<tr class=\"proven\"><td class=\"n r\">2</td><td class=\"s\">Ann"),
            std::string::npos);
  // The recording the watch link plays is the one downloaded, from this same server.
  const RawReply recording = Fetch(table.port, RecordingDownloadTarget(table.provenId));
  EXPECT_EQ(recording.Body(), "game");
  EXPECT_EQ(HeaderOf(recording, "Content-Type"), "application/octet-stream");
}

TEST(WebPages, ProvenOnlyShowsNothingElseAndNoGameMeansNoWatchLink) {
  ServedTable table;
  ASSERT_TRUE(table.Start({"--proven-only"})) << table.process->Err();
  const std::string page = table.World();
  EXPECT_NE(Find(page, "<td class=\"s\">Ann"), std::string::npos) << page;
  EXPECT_EQ(Find(page, "Forger"), std::string::npos);
  EXPECT_EQ(Find(page, "#all"), std::string::npos);
  EXPECT_EQ(Find(page, "/play/"), std::string::npos);
  EXPECT_NE(Find(page, "href=\"" + RecordingDownloadTarget(table.provenId) + "\""),
            std::string::npos);
}

}  // namespace
}  // namespace brinecast::scores
