// The archive tool against hostile or unlucky input: names that would drive the terminal,
// files that are no archives, planted links, over-long names, impossible manifest numbers,
// picture bombs and failed writes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "DxgToolRun.h"
#include "engine/DxgArchive.h"
#include "engine/DxgFormat.h"

namespace brinecast {
namespace {

std::string Square(int side, const std::string& body = "") {
  return "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' "
         "width='" +
         std::to_string(side) + "' height='" + std::to_string(side) + "'>" +
         (body.empty() ? "<rect width='100%' height='100%' fill='#208040'/>" : body) + "</svg>";
}

void WriteArchive(const std::string& path, const std::vector<std::string>& names) {
  ArchiveContents contents;
  for (const std::string& name : names) {
    contents.items.emplace_back();
    contents.items.back().name = name;
    contents.items.back().Picture = Filled(2, 1, 0x123456);
  }
  const auto bytes = WriteDxgArchive(contents);
  WriteFile(path, std::string(bytes.begin(), bytes.end()));
}

TEST_F(DxgToolTest, ListShowsControlBytesEscapedAndNamesWhole) {
  WriteArchive(Path("a.dxg"), {"red\x1b[31m", "two\nlines", std::string("nul\0end", 7),
                               "csi\xC2\x9B", "caf\xC3\xA9"});
  const ToolRun list = Tool("list " + Path("a.dxg"));
  ASSERT_EQ(list.exit, 0) << list.err;
  const std::string tail =
      " picture=2x1 pattern=2x1 skip=0x0 patterns=1 transparent=yes "
      "color=0x00000000\n";
  EXPECT_EQ(list.out, "0 red\\x1b[31m" + tail + "1 two\\x0alines" + tail + "2 nul\\x00end" + tail +
                          "3 csi\\xc2\\x9b" + tail + "4 caf\xC3\xA9" + tail);
}

TEST_F(DxgToolTest, ListRefusesFilesThatCannotBeArchives) {
  WriteArchive(Path("huge.dxg"), {"A"});
  fs::resize_file(Path("huge.dxg"), kDxgMaxFileBytes + 1);  // sparse
  for (const std::string& file : {Path("huge.dxg"), std::string("/dev/zero")}) {
    const ToolRun list = Tool("list " + file);
    EXPECT_EQ(list.exit, 1) << file;
    EXPECT_EQ(list.out, "") << file;
    EXPECT_EQ(list.err, file + ": Invalid stream format\n");
  }
}

TEST_F(DxgToolTest, ExtractNeverWritesThroughALinkOrOverAFile) {
  WriteArchive(Path("a.dxg"), {"Linked", "Kept", "Fresh"});
  fs::create_directories(Path("out"));
  WriteFile(Path("victim"), "precious");
  fs::create_symlink(Path("victim"), Path("out/0-Linked.png"));
  WriteFile(Path("out/1-Kept.png"), "mine");

  const ToolRun run = Tool("extract " + Path("a.dxg") + " " + Path("out"));
  EXPECT_EQ(run.exit, 1);
  EXPECT_NE(run.err.find("\"" + Path("out/0-Linked.png") + "\". File exists"), std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("\"" + Path("out/1-Kept.png") + "\". File exists"), std::string::npos)
      << run.err;
  EXPECT_EQ(Slurp(Path("victim")), "precious");
  EXPECT_EQ(Slurp(Path("out/1-Kept.png")), "mine");
  EXPECT_TRUE(fs::is_symlink(Path("out/0-Linked.png")));
  // The others are still written.
  EXPECT_GT(fs::file_size(Path("out/2-Fresh.png")), 0u);
}

TEST_F(DxgToolTest, ExtractShortensOverlongNamesAndGoesOn) {
  const std::string accents(2 * 200, 'x');
  std::string twoByte;
  for (int i = 0; i < 200; ++i) twoByte += "\xC3\xA9";
  WriteArchive(Path("a.dxg"), {std::string(300, 'n'), std::string(300, 'n'), twoByte, "Short"});
  const ToolRun run = Tool("extract " + Path("a.dxg") + " " + Path("out"));
  ASSERT_EQ(run.exit, 0) << run.err;
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(Path("out")))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  ASSERT_EQ(names.size(), 4u);
  EXPECT_EQ(names[0], "0-" + std::string(255 - 6, 'n') + ".png");
  EXPECT_EQ(names[1], "1-" + std::string(255 - 6, 'n') + ".png");
  // Cut on a character boundary: 249 bytes of room hold 124 two-byte characters.
  std::string cut;
  for (int i = 0; i < 124; ++i) cut += "\xC3\xA9";
  EXPECT_EQ(names[2], "2-" + cut + ".png");
  EXPECT_EQ(names[3], "3-Short.png");
}

TEST_F(DxgToolTest, PackChecksEveryNumberAgainstThePicture) {
  WriteFile(Path("p.svg"), Square(2));
  const char* lines[] = {
      "A p.svg 2 2 2147483646 0 opaque mirror",  // once overflowed the mirroring
      "A p.svg 2 2 0 2147483646 #FF00FF mirror",
      "A p.svg 3 2",
      "A p.svg 2 3",
      "A p.svg 1 1 3 0",
      "A p.svg 1 1 0 3 opaque",
  };
  for (const char* line : lines) {
    WriteFile(Path("m.manifest"), std::string("Fine p.svg 1 1 1 1 opaque mirror\n") + line + "\n");
    const ToolRun run = Tool("pack " + Path("m.manifest") + " " + Path("o.dxg"));
    EXPECT_EQ(run.exit, 1) << line;
    EXPECT_TRUE(run.err.starts_with(Path("m.manifest") + ":2: ")) << line << ": " << run.err;
    EXPECT_NE(run.err.find("larger than the picture (2 x 2)"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(Path("o.dxg"))) << line;
  }
}

TEST_F(DxgToolTest, PackRefusesPictureBombsAndHugePictures) {
  fs::create_directories(dir_ / "assets" / "art");
  const fs::path art = dir_ / "assets" / "art";
  // Each level draws the next six times: seven levels would be 280,000 copies.
  WriteFile(art / "level7.svg", Square(4));
  for (int level = 6; level >= 0; --level) {
    std::string body;
    for (int i = 0; i < 6; ++i)
      body += "<image href='level" + std::to_string(level + 1) + ".svg' width='4' height='4'/>";
    WriteFile(art / ("level" + std::to_string(level) + ".svg"), Square(4, body));
  }
  WriteFile(art / "wide.svg", "<svg xmlns='http://www.w3.org/2000/svg' width='8193' height='2'/>");
  WriteFile(art / "holdsWide.svg", Square(4, "<image href='wide.svg' width='4' height='4'/>"));
  // Only the header of a PNG 1 x 9000 pixels: refused before anything decodes it.
  WriteFile(art / "tall.png",
            std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x01\0\0\x23\x28", 24));
  WriteFile(art / "holdsTall.svg", Square(4, "<image href='tall.png' width='4' height='4'/>"));
  const std::pair<const char*, const char*> cases[] = {
      {"level0.svg", "pictures referenced in all"},
      {"wide.svg", "8193 x 2 pixels is larger than 8192 pixels a side"},
      {"holdsWide.svg", "is larger than 8192 pixels a side"},
      {"holdsTall.svg", "holdsTall.svg\" is larger than 8192 pixels a side"},
  };
  for (const auto& [source, reason] : cases) {
    WriteFile(art / "m.manifest", std::string("A ") + source + " 0 0\n");
    const ToolRun run = Tool("pack " + (art / "m.manifest").string() + " " + Path("o.dxg"));
    EXPECT_EQ(run.exit, 1) << source;
    EXPECT_TRUE(run.err.starts_with((art / "m.manifest").string() + ":1: ")) << run.err;
    EXPECT_NE(run.err.find(reason), std::string::npos) << source << ": " << run.err;
  }
}

TEST_F(DxgToolTest, PackLeavesNoTemporaryFileWhenItCannotWrite) {
  WriteFile(Path("p.svg"), Square(2));
  WriteFile(Path("m.manifest"), "A p.svg 0 0\n");
  fs::create_directories(Path("taken/inside"));  // a full folder cannot be renamed over
  const ToolRun run = Tool("pack " + Path("m.manifest") + " " + Path("taken"));
  EXPECT_EQ(run.exit, 1);
  EXPECT_NE(run.err, "");
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(dir_))
    if (entry.path().filename().string().starts_with("taken.tmp"))
      left.push_back(entry.path().string());
  EXPECT_EQ(left, std::vector<std::string>{});
  EXPECT_TRUE(fs::is_directory(Path("taken/inside")));
}

}  // namespace
}  // namespace brinecast
