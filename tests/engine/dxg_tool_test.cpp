// The archive tool as its users run it: list, extract and pack, their output and errors.
#include <SDL2/SDL_image.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "DxgToolRun.h"
#include "engine/DxgArchive.h"

namespace brinecast {
namespace {

TEST_F(DxgToolTest, ListsItemsAndReportsErrorsAndMisuse) {
  ArchiveContents contents;
  contents.items.resize(3);
  contents.items[0].name = "Strip";
  contents.items[0].PatternWidth = 50;
  contents.items[0].PatternHeight = 50;
  contents.items[0].TransparentColor = 0xFF00FF;
  contents.items[0].Picture = Filled(300, 50, 0);
  contents.items[1].name = "Gaps";
  contents.items[1].PatternWidth = 50;
  contents.items[1].SkipWidth = 10;
  contents.items[1].SkipHeight = 3;
  contents.items[1].Transparent = false;
  contents.items[1].TransparentColor = 0xFF00000F;
  contents.items[1].Picture = Filled(290, 50, 0);
  contents.items[2].name = "None";
  contents.items[2].PatternWidth = 7;
  const auto bytes = WriteDxgArchive(contents);
  WriteFile(Path("a.dxg"), std::string(bytes.begin(), bytes.end()));

  const ToolRun list = Tool("list " + Path("a.dxg"));
  EXPECT_EQ(list.exit, 0);
  EXPECT_EQ(list.out,
            "0 Strip picture=300x50 pattern=50x50 skip=0x0 patterns=6 transparent=yes "
            "color=0x00FF00FF\n"
            "1 Gaps picture=290x50 pattern=50x50 skip=10x3 patterns=5 transparent=no "
            "color=0xFF00000F\n"
            "2 None picture=0x0 pattern=7x0 skip=0x0 patterns=0 transparent=yes "
            "color=0x00000000\n");

  WriteFile(Path("bad.dxg"), std::string(bytes.begin(), bytes.begin() + 40));
  for (const std::string& command :
       {"list " + Path("bad.dxg"), "extract " + Path("bad.dxg") + " " + Path("x")}) {
    const ToolRun bad = Tool(command);
    EXPECT_EQ(bad.exit, 1) << command;
    EXPECT_EQ(bad.out, "");
    EXPECT_EQ(bad.err, Path("bad.dxg") + ": Invalid stream format\n");
  }
  const ToolRun missing = Tool("list " + Path("missing.dxg"));
  EXPECT_EQ(missing.exit, 1);
  EXPECT_EQ(missing.err,
            "Cannot open file \"" + Path("missing.dxg") + "\". No such file or directory\n");

  for (const char* misuse : {"", "list", "list a b", "extract a", "pack m", "frobnicate x"}) {
    const ToolRun run = Tool(misuse);
    EXPECT_EQ(run.exit, 2) << misuse;
    EXPECT_NE(run.err, "") << misuse;
  }
}

// 8 x 4: the left half opaque red, the right half fully transparent, with one
// half-covered and one key-coloured visible pixel.
constexpr const char* kSvg =
    "<svg xmlns='http://www.w3.org/2000/svg' width='8' height='4'>"
    "<rect width='4' height='4' fill='#ff0000'/>"
    "<rect x='4' width='1' height='1' fill='#00ff00' fill-opacity='0.25'/>"
    "<rect x='5' width='1' height='1' fill='#ff00ff'/>"
    "<rect x='6' width='1' height='1' fill='#0000ff' fill-opacity='0.75'/>"
    "</svg>";

void WritePng(const fs::path& path) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 2, 1, 32, SDL_PIXELFORMAT_ARGB8888);
  ASSERT_NE(s, nullptr);
  auto* px = static_cast<uint32_t*>(s->pixels);
  px[0] = 0xFF102030;
  px[1] = 0x80FFFFFF;  // half-covered white
  ASSERT_EQ(IMG_SavePNG(s, path.string().c_str()), 0);
  SDL_FreeSurface(s);
}

TEST_F(DxgToolTest, PackedArchivesListAndExtractAsPacked) {
  fs::create_directories(dir_ / "art");
  WriteFile(dir_ / "art" / "fish.svg", kSvg);
  WritePng(dir_ / "art" / "dot.png");
  WriteFile(Path("Pics.manifest"),
            "; the game's pictures\n"
            "\n"
            "Fish\tart/fish.svg 2 2 0 0 #FF00FF\n"
            "  Dot art/dot.png 0 0 0 0 opaque\n"
            "Plain art/fish.svg 4 4 4 0\n");
  const ToolRun pack = Tool("pack " + Path("Pics.manifest") + " " + Path("out/Pics.dxg"));
  ASSERT_EQ(pack.exit, 0) << pack.err;

  ArchiveContents c;
  ReadDxgArchiveFile(Path("out/Pics.dxg"), c);
  ASSERT_EQ(c.items.size(), 3u);
  const ArchiveItem& fish = c.items[0];
  EXPECT_TRUE(fish.Transparent);
  EXPECT_EQ(fish.TransparentColor, 0xFF00FFu);
  ASSERT_TRUE(fish.Picture);
  const uint32_t key = 0xFF00FF;
  const std::vector<uint32_t> firstRow = {0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000,
                                          key,      0xFF00FE, 0x0000FF, key};
  EXPECT_EQ(std::vector<uint32_t>(fish.Picture->pixels.begin(), fish.Picture->pixels.begin() + 8),
            firstRow);
  EXPECT_EQ(fish.Picture->pixels[15], key);

  const ArchiveItem& dot = c.items[1];
  EXPECT_FALSE(dot.Transparent);
  EXPECT_EQ(dot.TransparentColor, 0u);
  ASSERT_TRUE(dot.Picture);
  EXPECT_EQ(dot.Picture->pixels, (std::vector<uint32_t>{0x102030, 0x808080}));
  // Opaque items are composited over black: quarter green, three-quarter blue.
  const ArchiveItem& plain = c.items[2];
  ASSERT_TRUE(plain.Picture);
  EXPECT_EQ(plain.Picture->pixels[4], 0x004000u);
  EXPECT_EQ(plain.Picture->pixels[6], 0x0000BFu);

  const ToolRun list = Tool("list " + Path("out/Pics.dxg"));
  EXPECT_EQ(
      list.out,
      "0 Fish picture=8x4 pattern=2x2 skip=0x0 patterns=8 transparent=yes color=0x00FF00FF\n"
      "1 Dot picture=2x1 pattern=2x1 skip=0x0 patterns=1 transparent=no color=0x00000000\n"
      "2 Plain picture=8x4 pattern=4x4 skip=4x0 patterns=1 transparent=no color=0x00000000\n");

  const ToolRun extract = Tool("extract " + Path("out/Pics.dxg") + " " + Path("new/dir"));
  ASSERT_EQ(extract.exit, 0) << extract.err;
  const char* files[] = {"0-Fish.png", "1-Dot.png", "2-Plain.png"};
  for (size_t i = 0; i < 3; ++i) {
    SDL_Surface* png = IMG_Load(Path(std::string("new/dir/") + files[i]).c_str());
    ASSERT_NE(png, nullptr) << files[i];
    EXPECT_EQ(png->format->format, static_cast<uint32_t>(SDL_PIXELFORMAT_RGB24)) << files[i];
    const Picture& pic = *c.items[i].Picture;
    ASSERT_EQ(png->w, pic.width);
    ASSERT_EQ(png->h, pic.height);
    for (int y = 0; y < png->h; ++y) {
      const auto* row = static_cast<const uint8_t*>(png->pixels) + y * png->pitch;
      for (int x = 0; x < png->w; ++x) {
        const uint32_t rgb =
            (uint32_t{row[3 * x]} << 16) | (uint32_t{row[3 * x + 1]} << 8) | row[3 * x + 2];
        EXPECT_EQ(rgb, pic.pixels[static_cast<size_t>(y * pic.width + x)])
            << files[i] << " " << x << "," << y;
      }
    }
    SDL_FreeSurface(png);
  }
}

TEST_F(DxgToolTest, PackErrorsNameTheManifestLine) {
  WriteFile(dir_ / "a.svg", kSvg);
  const std::string manifest = Path("m.manifest");
  const std::pair<const char*, const char*> cases[] = {
      {"A a.svg 1 1\nB a.svg 1\n", ":2: "},
      {"A a.svg 1 x\n", ":1: "},
      {"A a.svg 1 1 0 0 #12345\n", ":1: "},
      {"\n\nA missing.svg 1 1\n", ":3: "},
      {"A a.bmp 1 1\n", ":1: "},
      {"A a.svg 1 1 0 0 #FF00FF flipped\n", ":1: "},
  };
  for (const auto& [text, where] : cases) {
    WriteFile(manifest, text);
    const ToolRun run = Tool("pack " + manifest + " " + Path("o.dxg"));
    EXPECT_EQ(run.exit, 1) << text;
    EXPECT_TRUE(run.err.starts_with(manifest + where)) << text << " gave " << run.err;
    EXPECT_FALSE(fs::exists(Path("o.dxg"))) << text;
  }
}

// Every pixel of an 8 x 4 PNG its own colour, so any move shows.
uint32_t Distinct(int x, int y) {
  return 0xFF000000u | uint32_t(x * 30 + 10) << 16 | uint32_t(y * 60) << 8;
}

TEST_F(DxgToolTest, MirrorFlipsEachPatternCellInPlace) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 8, 4, 32, SDL_PIXELFORMAT_ARGB8888);
  ASSERT_NE(s, nullptr);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) static_cast<uint32_t*>(s->pixels)[y * 8 + x] = Distinct(x, y);
  ASSERT_EQ(IMG_SavePNG(s, Path("p.png").c_str()), 0);
  SDL_FreeSurface(s);
  // Pattern and skip fields, the source column each packed column shows, and the rows
  // inside cells (the others are gaps and stay).
  struct Case {
    const char* fields;
    std::array<int, 8> columns;
    const char* rows;
  };
  const Case cases[] = {
      {"0 0 0 0", {7, 6, 5, 4, 3, 2, 1, 0}, "MMMM"},
      {"2 2 0 0", {1, 0, 3, 2, 5, 4, 7, 6}, "MMMM"},
      {"3 4 1 0", {2, 1, 0, 3, 6, 5, 4, 7}, "MMMM"},  // column 3 a gap, 7 a partial cell
      {"3 1 2 1", {2, 1, 0, 3, 4, 7, 6, 5}, "M-M-"},
  };
  std::string manifest;
  for (const Case& k : cases) manifest += std::string("M p.png ") + k.fields + " opaque mirror\n";
  WriteFile(Path("m.manifest"), manifest);
  const ToolRun pack = Tool("pack " + Path("m.manifest") + " " + Path("m.dxg"));
  ASSERT_EQ(pack.exit, 0) << pack.err;
  ArchiveContents c;
  ReadDxgArchiveFile(Path("m.dxg"), c);
  ASSERT_EQ(c.items.size(), std::size(cases));
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Picture& pic = *c.items[i].Picture;
    ASSERT_EQ(pic.width, 8);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 8; ++x) {
        const int from = cases[i].rows[y] == 'M' ? cases[i].columns[size_t(x)] : x;
        EXPECT_EQ(pic.pixels[size_t(y * 8 + x)], Distinct(from, y) & 0xFFFFFF)
            << cases[i].fields << " at " << x << "," << y;
      }
  }
}

// Two 4 x 4 frames of crisp blocks, so a picture drawn through a reference can match exactly.
constexpr const char* kStrip =
    "<svg xmlns='http://www.w3.org/2000/svg' width='8' height='4' viewBox='0 0 8 4'>"
    "<rect width='2' height='4' fill='#c03010'/><rect x='2' width='2' height='2' fill='#20a040'/>"
    "<rect x='4' y='2' width='4' height='2' fill='#1040c0'/><rect x='7' width='1' height='1' "
    "fill='#f0e020'/></svg>";

std::string Svg(int w, int h, const std::string& body) {
  return "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' "
         "width='" +
         std::to_string(w) + "' height='" + std::to_string(h) + "'>" + body + "</svg>";
}

class DxgReferenceTest : public DxgToolTest {
 protected:
  void SetUp() override {
    DxgToolTest::SetUp();
    fs::create_directories(dir_ / "assets" / "game");
    fs::create_directories(dir_ / "assets" / "menu" / "deep");
    WriteFile(dir_ / "assets" / "game" / "strip.svg", kStrip);
  }

  ToolRun Pack(const std::string& manifest) {
    WriteFile(dir_ / "assets" / "menu" / "m.manifest", manifest);
    return Tool("pack " + Path("assets/menu/m.manifest") + " " + Path("m.dxg"));
  }
};

TEST_F(DxgReferenceTest, ReferencedPicturesRenderLikeTheirSources) {
  const std::string frame1 =
      "<svg width='4' height='4' viewBox='4 0 4 4'><image href='../game/strip.svg' width='8' "
      "height='4'/></svg>";
  const std::pair<const char*, std::string> files[] = {
      {"whole.svg", Svg(8, 4, "<image xlink:href=\"../game/strip.svg\" width='8' height='4'/>")},
      {"frame1.svg", Svg(4, 4, frame1)},
      {"twice.svg", Svg(4, 4, "<image href='frame1.svg' width='4' height='4'/>")},
      {"deep/png.svg", Svg(8, 4, "<image href='../../game/strip.png' width='8' height='4'/>")},
      {"url.svg", Svg(8, 4,
                      "<image href='https://example.invalid/a.svg' width='8' height='4'/>"
                      "<!-- <image href='nowhere.svg'/> -->"
                      "<image href='../game/strip.svg' width='8' height='4'/>")},
  };
  std::string manifest = "Strip ../game/strip.svg 0 0 0 0 opaque\n";
  for (const auto& [name, text] : files) {
    WriteFile(dir_ / "assets" / "menu" / name, text);
    manifest += std::string("X ") + name + " 0 0 0 0 opaque\n";
  }
  // A PNG reference: the strip as packed, written back out.
  ASSERT_EQ(Pack("Strip ../game/strip.svg 0 0 0 0 opaque\n").exit, 0);
  ASSERT_EQ(Tool("extract " + Path("m.dxg") + " " + Path("x")).exit, 0);
  fs::copy_file(Path("x/0-Strip.png"), dir_ / "assets" / "game" / "strip.png");

  const ToolRun pack = Pack(manifest);
  ASSERT_EQ(pack.exit, 0) << pack.err;
  ArchiveContents c;
  ReadDxgArchiveFile(Path("m.dxg"), c);
  ASSERT_EQ(c.items.size(), 1 + std::size(files));
  const Picture& strip = *c.items[0].Picture;
  for (size_t i = 0; i < std::size(files); ++i) {
    const Picture& pic = *c.items[i + 1].Picture;
    const int offset = pic.width == 4 ? 4 : 0;
    // The rasteriser resamples referenced pictures, which may round a channel by a step.
    auto near = [](uint32_t a, uint32_t b) {
      for (int shift : {0, 8, 16})
        if (std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)) > 2) return false;
      return true;
    };
    ASSERT_EQ(pic.height, 4) << files[i].first;
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < pic.width; ++x)
        EXPECT_PRED2(near, pic.pixels[size_t(y * pic.width + x)],
                     strip.pixels[size_t(y * 8 + x + offset)])
            << files[i].first << " at " << x << "," << y;
  }
}

TEST_F(DxgReferenceTest, ReferencesOutsideTheAssetsOrMissingFail) {
  WriteFile(dir_ / "outside.svg", kStrip);
  const std::pair<std::string, std::string> cases[] = {
      {"../../outside.svg", "lies outside"},
      {(dir_ / "outside.svg").string(), "lies outside"},
      {"../game/nothing.svg", "is missing"},
      {"loop.svg", "8 deep"},
  };
  for (const auto& [href, reason] : cases) {
    WriteFile(dir_ / "assets" / "menu" / "loop.svg",
              Svg(8, 4, "<image href='" + href + "' width='8' height='4'/>"));
    const ToolRun run = Pack("; pictures\nA ../game/strip.svg 0 0\nB loop.svg 0 0\n");
    EXPECT_EQ(run.exit, 1) << href;
    EXPECT_TRUE(run.err.starts_with(Path("assets/menu/m.manifest") + ":3: ")) << run.err;
    EXPECT_NE(run.err.find(href), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(Path("m.dxg"))) << href;
  }
}

}  // namespace
}  // namespace brinecast
