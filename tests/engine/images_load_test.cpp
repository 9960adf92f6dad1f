// Loading image lists from archive files and what a failed load leaves.
#include <SDL_surface.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "engine/DXImageList.h"
#include "engine/DxgArchive.h"
#include "support/ScratchFolder.h"

namespace brinecast {
namespace {

namespace fs = std::filesystem;

ArchiveItem MakeItem(const std::string& name, int width, int height, uint32_t rgb) {
  ArchiveItem item;
  item.name = name;
  item.PatternWidth = width / 2;
  item.TransparentColor = 0x00FF00FF;
  Picture p;
  p.width = width;
  p.height = height;
  p.bitCount = 24;
  p.pixels.assign(static_cast<size_t>(width) * height, rgb);
  item.Picture = p;
  return item;
}

class ImagesLoad : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::string path = (dir_ / name).string();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
  }

  testing::ScratchFolder folder_{"brinecast-images"};
  const fs::path dir_ = folder_.Path();
};

TEST_F(ImagesLoad, ReplacesTheItemsAndPreparesThemWhenTheSurfaceIsReady) {
  ArchiveContents contents;
  contents.colorTable[4 * 9 + 2] = 0xAB;
  contents.items.push_back(MakeItem("Fish", 40, 10, 0x112233));
  contents.items.push_back(MakeItem("Kruk", 8, 8, 0x445566));
  contents.items.push_back(MakeItem("fish", 20, 5, 0x778899));
  const std::string path = Write("a.dxg", WriteDxgArchive(contents));

  TDXDraw draw(64, 48);
  TDXImageList list(draw);
  list.Items().Add()->SetName("Old");
  list.Items().LoadFromFile(path);
  ASSERT_EQ(list.Items().Count(), 3);
  EXPECT_EQ(list.Items().Items(1)->Name(), "Kruk");
  EXPECT_EQ(list.Items().Find("FISH"), list.Items().Items(2));  // the later one wins
  EXPECT_THROW(list.Items().Find("Old"), EPictureCollectionError);
  EXPECT_EQ(list.Items().ColorTable[4 * 9 + 2], 0xAB);
  EXPECT_FALSE(list.Items().Items(0)->Initialized());  // no surface yet
  EXPECT_EQ(list.Items().Items(0)->PatternCount(), 2);

  draw.Initialize();
  list.Items().LoadFromFile(path);  // surface ready: prepared at once
  TPictureCollectionItem* fish = list.Items().Items(0);
  ASSERT_TRUE(fish->Initialized());
  EXPECT_EQ(fish->Width(), 20);
  fish->Draw(draw.Surface(), 0, 0, 1);
  EXPECT_EQ(static_cast<uint32_t*>(draw.Surface()->pixels)[0] & 0xFFFFFF, 0x112233u);
}

// What a game that never draws loads: every size and pattern as with pixels, and no pixels,
// from a file kept open before the process gave up opening files.
TEST_F(ImagesLoad, SizesOnlyGiveTheSameGridAndDrawNothing) {
  ArchiveContents contents;
  contents.items.push_back(MakeItem("Fish", 40, 10, 0x112233));
  contents.items.push_back(MakeItem("Kruk", 9, 7, 0x445566));
  contents.items.back().SkipWidth = 1;
  const std::string path = Write("a.dxg", WriteDxgArchive(contents));
  KeepDxgArchiveFile(path);
  fs::remove(path);

  TDXDraw draw(64, 48);
  draw.Initialize();
  TDXImageList pixels(draw), sizes(draw);
  pixels.Items().LoadFromFile(path);
  sizes.Items().LoadFromFile(path, PictureDetail::kSizes);
  ASSERT_EQ(sizes.Items().Count(), 2);
  for (int i = 0; i < 2; ++i) {
    const TPictureCollectionItem* full = pixels.Items().Items(i);
    const TPictureCollectionItem* sized = sizes.Items().Items(i);
    EXPECT_TRUE(sized->Initialized());
    EXPECT_EQ(sized->Surface(), nullptr);
    EXPECT_EQ(sized->Width(), full->Width());
    EXPECT_EQ(sized->Height(), full->Height());
    EXPECT_EQ(sized->PatternCount(), full->PatternCount());
    for (int p = 0; p < full->PatternCount(); ++p) {
      const TRect a = sized->PatternRect(p), b = full->PatternRect(p);
      EXPECT_TRUE(a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom);
    }
  }
  draw.Fill(0);
  sizes.Items().Items(0)->Draw(draw.Surface(), 0, 0, 0);
  sizes.Items().Items(0)->DrawStretched(draw.Surface(), TRect{0, 0, 30, 30}, 0);
  sizes.Items().Items(0)->DrawRotated(draw.Surface(), 20, 20, 20, 10, 0, 0.5, 0.5, 32);
  const auto* drawn = static_cast<const uint32_t*>(draw.Surface()->pixels);
  for (int at = 0; at < 64 * 48; ++at) ASSERT_EQ(drawn[at] & 0xFFFFFF, 0u) << at;
}

TEST_F(ImagesLoad, ReadingErrorsPropagateAfterEmptyingTheCollection) {
  TPictureCollection c;
  c.Add()->SetName("Old");
  try {
    c.LoadFromFile((dir_ / "missing.dxg").string());
    FAIL() << "no error";
  } catch (const EngineError& e) {
    EXPECT_NE(std::string(e.what()).find("Cannot open file"), std::string::npos) << e.what();
  }

  c.Add()->SetName("Old");
  const std::string bad = Write("bad.dxg", {0x00, 0x0A, 0x00, 0x00});
  EXPECT_THROW(c.LoadFromFile(bad), EngineError);
  EXPECT_EQ(c.Count(), 0);
  // The player is told which file is damaged, on its own line above the format's text.
  try {
    c.LoadFromFile(bad);
    ADD_FAILURE() << "no error";
  } catch (const EngineError& e) {
    EXPECT_EQ(std::string(e.what()), bad + "\nInvalid stream format");
  }

  // Cut short inside the second item: the first one is kept.
  ArchiveContents contents;
  contents.items.push_back(MakeItem("First", 4, 2, 0x010203));
  contents.items.push_back(MakeItem("Second", 4, 2, 0x040506));
  std::vector<uint8_t> bytes = WriteDxgArchive(contents);
  bytes.resize(bytes.size() - 20);
  EXPECT_THROW(c.LoadFromFile(Write("short.dxg", bytes)), EngineError);
  ASSERT_GE(c.Count(), 1);
  EXPECT_EQ(c.Items(0)->Name(), "First");
}

}  // namespace
}  // namespace brinecast
