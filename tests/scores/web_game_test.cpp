// Tests through the built brinecast-scores executable of the browser game it serves at /play/:
// types, codings, cache rules, revalidation, policies, and names that reach nothing outside.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "ServerProcess.h"
#include "SiteReply.h"
#include "support/ScratchFolder.h"

namespace brinecast::scores {
namespace {

using testing::Fetch;
using testing::HeaderOf;
using testing::RawReply;
using testing::ScratchFolder;
using testing::ServerProcess;

constexpr const char* kGamePolicy =
    "default-src 'none'; script-src 'self' 'wasm-unsafe-eval'; style-src 'self'; "
    "img-src 'self' data:; connect-src 'self'; media-src 'self'; worker-src 'self'; "
    "manifest-src 'self'; base-uri 'none'; form-action 'self'; frame-ancestors 'none'";
constexpr const char* kForGood = "public, max-age=31536000, immutable";

void Write(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// A small built site as the web build lays it out, each file's bytes its own, and beside it a
// file no request may reach.
struct FakeSite {
  ScratchFolder folder;
  std::filesystem::path root = folder.Path() / "site";
  FakeSite() {
    for (const auto& [name, bytes] : Files()) Write(root / name, bytes);
    Write(folder.Path() / "secret.txt", "not for anyone");
    std::filesystem::create_symlink(folder.Path() / "secret.txt", root / "link-out.txt");
    std::filesystem::create_symlink(root / "index.html", root / "link-in.html");
  }
  static std::vector<std::pair<std::string, std::string>> Files() {
    return {{"index.html", "<!DOCTYPE html><title>game</title>"},
            {"brinecast.3f9a1c2b.wasm", std::string("\0asm plain", 10)},
            {"brinecast.3f9a1c2b.wasm.gz", "gzip copy"},
            {"brinecast.3f9a1c2b.wasm.br", "brotli copy"},
            {"brinecast.0badc0ffee.js", "plain script"},
            {"brinecast.0badc0ffee.js.gz", "gzip script"},
            {"brinecast.data", "packed data"},
            {"preview.png", "\x89PNG picture"},
            {"site.css", "body{}"},
            {"logo.svg", "<svg/>"},
            {"manifest.json", "{}"},
            {"deep/dir/page.txt", "deep"},
            {"empty-dir/.keep", ""},
            {".hidden", "hidden"}};
  }
  std::string Bytes(const std::string& name) const {
    std::ifstream in(root / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
};

struct WebServer {
  ScratchFolder folder;
  int port = testing::FreeLoopbackPort();
  std::unique_ptr<ServerProcess> process;
  explicit WebServer(std::vector<std::string> extra) {
    std::vector<std::string> args = {"--port=" + std::to_string(port), "--db",
                                     (folder.Path() / "scores.db").string()};
    args.insert(args.end(), extra.begin(), extra.end());
    process = std::make_unique<ServerProcess>(args);
  }
};

struct FileCase {
  const char* target;
  const char* acceptEncoding;  // nullptr sends none
  const char* type;
  const char* coding;  // nullptr for the plain file
  const char* file;    // whose bytes come back
  bool hashed;
  bool varies;
};

TEST(WebGame, FilesGoWithTheirTypeCodingAndCacheRule) {
  FakeSite site;
  WebServer server({"--web", site.root.string()});
  ASSERT_TRUE(server.process->WaitListening()) << server.process->Err();
  const FileCase cases[] = {
      {"/play/", nullptr, "text/html; charset=utf-8", nullptr, "index.html", false, false},
      {"/play/index.html", "gzip, br", "text/html; charset=utf-8", nullptr, "index.html", false,
       false},
      {"/play/?replay=3", nullptr, "text/html; charset=utf-8", nullptr, "index.html", false, false},
      {"/play/brinecast.3f9a1c2b.wasm", "gzip, deflate, br", "application/wasm", "br",
       "brinecast.3f9a1c2b.wasm.br", true, true},
      {"/play/brinecast.3f9a1c2b.wasm", "gzip", "application/wasm", "gzip",
       "brinecast.3f9a1c2b.wasm.gz", true, true},
      {"/play/brinecast.3f9a1c2b.wasm", "br;q=0, gzip;q=0.5", "application/wasm", "gzip",
       "brinecast.3f9a1c2b.wasm.gz", true, true},
      {"/play/brinecast.3f9a1c2b.wasm", "*", "application/wasm", "br", "brinecast.3f9a1c2b.wasm.br",
       true, true},
      {"/play/brinecast.3f9a1c2b.wasm", "*, br;q=0", "application/wasm", "gzip",
       "brinecast.3f9a1c2b.wasm.gz", true, true},
      {"/play/brinecast.3f9a1c2b.wasm", "identity", "application/wasm", nullptr,
       "brinecast.3f9a1c2b.wasm", true, true},
      {"/play/brinecast.3f9a1c2b.wasm", nullptr, "application/wasm", nullptr,
       "brinecast.3f9a1c2b.wasm", true, true},
      {"/play/brinecast.0badc0ffee.js", "br, gzip", "text/javascript; charset=utf-8", "gzip",
       "brinecast.0badc0ffee.js.gz", true, true},
      {"/play/brinecast.data", "br", "application/octet-stream", nullptr, "brinecast.data", false,
       false},
      {"/play/preview.png", nullptr, "image/png", nullptr, "preview.png", false, false},
      {"/play/site.css", nullptr, "text/css; charset=utf-8", nullptr, "site.css", false, false},
      {"/play/logo.svg", nullptr, "image/svg+xml", nullptr, "logo.svg", false, false},
      {"/play/manifest.json", nullptr, "application/json", nullptr, "manifest.json", false, false},
      {"/play/deep/dir/page.txt", nullptr, "text/plain; charset=utf-8", nullptr,
       "deep/dir/page.txt", false, false},
      {"/play/link-in.html", nullptr, "text/html; charset=utf-8", nullptr, "index.html", false,
       false},
  };
  for (const FileCase& c : cases) {
    SCOPED_TRACE(std::string(c.target) + " " + (c.acceptEncoding ? c.acceptEncoding : "-"));
    const std::string headers =
        c.acceptEncoding ? "Accept-Encoding: " + std::string(c.acceptEncoding) + "\r\n" : "";
    const RawReply got = Fetch(server.port, c.target, headers);
    ASSERT_EQ(got.status, 200) << got.text;
    EXPECT_EQ(HeaderOf(got, "Content-Type"), c.type);
    EXPECT_EQ(HeaderOf(got, "Content-Encoding"),
              c.coding ? std::optional<std::string>(c.coding) : std::nullopt);
    EXPECT_EQ(got.Body(), site.Bytes(c.file));
    EXPECT_EQ(HeaderOf(got, "Cache-Control"), c.hashed ? kForGood : "no-cache");
    EXPECT_EQ(HeaderOf(got, "Vary"),
              c.varies ? std::optional<std::string>("Accept-Encoding") : std::nullopt);
    EXPECT_EQ(HeaderOf(got, "Content-Security-Policy"), kGamePolicy);
    EXPECT_EQ(HeaderOf(got, "X-Content-Type-Options"), "nosniff");
    EXPECT_TRUE(HeaderOf(got, "ETag").has_value());
  }
}

// Each copy has its own tag: the one held comes back 304 with no body, another copy in full.
TEST(WebGame, RevalidationAnswersNotModifiedForTheCopyHeld) {
  FakeSite site;
  WebServer server({"--web", site.root.string()});
  ASSERT_TRUE(server.process->WaitListening()) << server.process->Err();
  const std::string wasm = "/play/brinecast.3f9a1c2b.wasm";
  const std::string gzip = "Accept-Encoding: gzip\r\n";
  const std::optional<std::string> page = HeaderOf(Fetch(server.port, "/play/"), "ETag");
  const std::optional<std::string> gzipped = HeaderOf(Fetch(server.port, wasm, gzip), "ETag");
  const std::optional<std::string> plain = HeaderOf(Fetch(server.port, wasm), "ETag");
  ASSERT_TRUE(page && gzipped && plain);
  EXPECT_NE(*gzipped, *plain);
  struct Case {
    std::string target, headers;
    int status;
  };
  const Case cases[] = {
      {"/play/", "If-None-Match: " + *page + "\r\n", 304},
      {"/play/", "If-None-Match: W/" + *page + "\r\n", 304},
      {"/play/", "If-None-Match: \"other\", " + *page + "\r\n", 304},
      {"/play/", "If-None-Match: *\r\n", 304},
      {"/play/", "If-None-Match: \"other\"\r\n", 200},
      {wasm, gzip + "If-None-Match: " + *gzipped + "\r\n", 304},
      {wasm, "If-None-Match: " + *gzipped + "\r\n", 200},
      {wasm, gzip + "If-None-Match: " + *plain + "\r\n", 200},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target + " " + c.headers);
    const RawReply got = Fetch(server.port, c.target, c.headers);
    EXPECT_EQ(got.status, c.status) << got.text;
    if (c.status == 304) {
      EXPECT_EQ(got.Body(), "");
      EXPECT_TRUE(HeaderOf(got, "ETag").has_value());
      EXPECT_TRUE(HeaderOf(got, "Cache-Control").has_value());
    } else {
      EXPECT_FALSE(got.Body().empty());
    }
  }
}

TEST(WebGame, HeadSendsTheHeadersOfGetWithoutTheBody) {
  FakeSite site;
  WebServer server({"--web", site.root.string()});
  ASSERT_TRUE(server.process->WaitListening()) << server.process->Err();
  const std::string br = "Accept-Encoding: br\r\n";
  const RawReply get = Fetch(server.port, "/play/brinecast.3f9a1c2b.wasm", br);
  const RawReply head = Fetch(server.port, "/play/brinecast.3f9a1c2b.wasm", br, "HEAD");
  EXPECT_EQ(head.status, 200) << head.text;
  EXPECT_EQ(head.Body(), "");
  EXPECT_EQ(HeaderOf(head, "Content-Length"),
            std::to_string(site.Bytes("brinecast.3f9a1c2b.wasm.br").size()));
  for (const char* name : {"Content-Type", "Content-Encoding", "ETag", "Cache-Control"}) {
    EXPECT_EQ(HeaderOf(head, name), HeaderOf(get, name)) << name;
  }
}

// Names reach only the site's own files: no way up, no link out, no listing, nothing hidden.
TEST(WebGame, NothingOutsideTheSiteIsServed) {
  FakeSite site;
  WebServer server({"--web", site.root.string()});
  ASSERT_TRUE(server.process->WaitListening()) << server.process->Err();
  const char* refused[] = {
      "/play/../secret.txt",
      "/play/%2e%2e/secret.txt",
      "/play/deep/..%2f..%2f..%2fsecret.txt",
      "/play/./index.html",
      "/play//index.html",
      "/play/deep/../index.html",
      "/play/link-out.txt",
      "/play/.hidden",
      "/play/deep/",
      "/play/deep",
      "/play/empty-dir/",
      "/play/empty-dir/.keep",
      "/play/index.html%00.x",
      "/play/deep%5cdir",
      "/play/nothing.wasm",
      "/play/%zz",
  };
  for (const char* target : refused) {
    const RawReply got = Fetch(server.port, target);
    EXPECT_EQ(got.status, 404) << target << "\n" << got.text;
    EXPECT_EQ(got.Body().find("not for anyone"), std::string::npos) << target;
  }
}

TEST(WebGame, PlayWithoutItsSlashMovesThereKeepingTheQuery) {
  FakeSite site;
  WebServer server({"--web", site.root.string()});
  ASSERT_TRUE(server.process->WaitListening()) << server.process->Err();
  const std::pair<const char*, const char*> cases[] = {{"/play", "/play/"},
                                                       {"/play?replay=12", "/play/?replay=12"},
                                                       {"/play?seed=7&x=1", "/play/?seed=7&x=1"}};
  for (const auto& [target, location] : cases) {
    const RawReply got = Fetch(server.port, target);
    EXPECT_EQ(got.status, 301) << target;
    EXPECT_EQ(HeaderOf(got, "Location"), location) << target;
  }
}

TEST(WebGame, AFolderThatCannotBeReadStopsTheStartWithItsName) {
  ScratchFolder folder;
  const std::string missing = (folder.Path() / "no-site").string();
  const testing::Finished run =
      testing::RunScores({"--port", std::to_string(testing::FreeLoopbackPort()), "--db",
                          (folder.Path() / "s.db").string(), "--web", missing});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find(missing), std::string::npos) << run.err;
}

}  // namespace
}  // namespace brinecast::scores
