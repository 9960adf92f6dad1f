// The image archive reader and writer: every stored form, damaged archives and files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "engine/ArchiveFileError.h"
#include "engine/DibEncoder.h"
#include "engine/DxgArchive.h"
#include "engine/DxgByteWriter.h"
#include "engine/DxgFormat.h"
#include "engine/EngineError.h"
#include "support/ScratchFolder.h"

namespace brinecast {
namespace {

using Body = std::function<void(DxgByteWriter&)>;

// A whole archive around the given item bytes (the inside of the "List" collection).
std::vector<uint8_t> Archive(const Body& items, const std::string& resource = "DXG") {
  DxgByteWriter out;
  out.U8(0xFF);
  out.U16(10);
  out.Chars(resource);
  out.U8(0);
  out.U16(0x1030);
  out.U32(0);  // the reader ignores the stream length
  out.Chars("TPF0");
  out.ShortString("TPictureCollectionComponent");
  out.ShortString("Root");
  out.ShortString("List");
  out.U8(kDxgCollection);
  items(out);
  out.U8(kDxgNull);
  out.ShortString("List.ColorTable");
  out.U8(kDxgBinary);
  out.U32(1024);
  for (int i = 0; i < 1024; ++i) out.U8(static_cast<uint8_t>(i));
  out.U8(kDxgNull);
  out.U8(kDxgNull);
  return out.Take();
}

void Prop(DxgByteWriter& out, std::string_view name, uint8_t type) {
  out.ShortString(name);
  out.U8(type);
}

void NameProp(DxgByteWriter& out, std::string_view name) {
  Prop(out, "Name", kDxgString);
  out.ShortString(name);
}

void PictureProp(DxgByteWriter& out, std::string_view className, const std::vector<uint8_t>& data) {
  Prop(out, "Picture.Data", kDxgBinary);
  out.U32(static_cast<uint32_t>(1 + className.size() + data.size()));
  out.ShortString(className);
  out.Bytes(data);
}

Picture SmallPicture() {
  Picture pic;
  pic.width = 3;
  pic.height = 2;
  pic.bitCount = 24;
  pic.pixels = {0xFF00FF, 0x000000, 0x123456, 0xFFFFFF, 0x010101, 0xABCDEF};
  return pic;
}

ArchiveContents Read(const std::vector<uint8_t>& bytes) {
  ArchiveContents contents;
  ReadDxgArchive(bytes, contents);
  return contents;
}

std::string ErrorOf(const std::vector<uint8_t>& bytes, ArchiveContents* out = nullptr) {
  ArchiveContents local;
  try {
    ReadDxgArchive(bytes, out ? *out : local);
  } catch (const EngineError& e) {
    return e.what();
  }
  return "";
}

bool KnownError(const std::string& message) {
  return message == "Invalid stream format" || message == "DIB is invalid" ||
         (message.starts_with("Property ") && message.ends_with(" does not exist"));
}

TEST(DxgArchiveTest, WriterOutputReadsBackIdentically) {
  ArchiveContents contents;
  for (size_t i = 0; i < contents.colorTable.size(); ++i)
    contents.colorTable[i] = static_cast<uint8_t>(i * 7);
  ArchiveItem fish;
  fish.name = "Fish";
  fish.PatternWidth = 50;
  fish.PatternHeight = -1;
  fish.SkipWidth = 300;
  fish.SkipHeight = -70000;
  fish.SystemMemory = true;
  fish.Transparent = false;
  fish.TransparentColor = 0xFF00000F;
  fish.Picture = SmallPicture();
  ArchiveItem bare;
  bare.name = std::string(300, 'n');
  ArchiveItem empty;
  empty.Picture = Picture{};
  contents.items = {fish, bare, empty};

  const ArchiveContents back = Read(WriteDxgArchive(contents));
  EXPECT_EQ(back.colorTable, contents.colorTable);
  ASSERT_EQ(back.items.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    const ArchiveItem& a = contents.items[i];
    const ArchiveItem& b = back.items[i];
    EXPECT_EQ(b.name, a.name);
    EXPECT_EQ(b.PatternWidth, a.PatternWidth);
    EXPECT_EQ(b.PatternHeight, a.PatternHeight);
    EXPECT_EQ(b.SkipWidth, a.SkipWidth);
    EXPECT_EQ(b.SkipHeight, a.SkipHeight);
    EXPECT_EQ(b.SystemMemory, a.SystemMemory);
    EXPECT_EQ(b.Transparent, a.Transparent);
    EXPECT_EQ(b.TransparentColor, a.TransparentColor);
    ASSERT_EQ(b.Picture.has_value(), a.Picture.has_value()) << i;
    if (a.Picture) {
      EXPECT_EQ(b.Picture->width, a.Picture->width);
      EXPECT_EQ(b.Picture->height, a.Picture->height);
      EXPECT_EQ(b.Picture->pixels, a.Picture->pixels);
    }
  }
}

TEST(DxgArchiveTest, ReadsTheStoredFormsOfEachProperty) {
  const auto bytes = Archive(
      [](DxgByteWriter& out) {
        out.U8(kDxgList);  // every default
        out.U8(kDxgNull);
        out.U8(kDxgInt8);  // 8-bit order value before the item
        out.U8(0);
        out.U8(kDxgList);
        NameProp(out, "Fish");
        Prop(out, "PatternWidth", kDxgInt8);
        out.U8(0xFF);  // -1
        Prop(out, "patternheight", kDxgInt16);
        out.U16(0x8000);
        Prop(out, "SkipWidth", kDxgInt32);
        out.I32(100000);
        Prop(out, "TransparentColor", kDxgIdent);
        out.ShortString("clFuchsia");
        Prop(out, "Transparent", kDxgFalse);
        Prop(out, "SystemMemory", kDxgTrue);
        PictureProp(out, "TDIB", EncodeDib(SmallPicture()));
        out.U8(kDxgNull);
        out.U8(kDxgInt32);  // 32-bit order value
        out.I32(7);
        out.U8(kDxgList);
        Prop(out, "Name", kDxgWString);  // wide string
        out.U32(2);
        out.Bytes(std::vector<uint8_t>{0x4B, 0x04, 'x', 0});
        PictureProp(out, "", {});
        out.U8(kDxgNull);
        out.U8(kDxgList);
        Prop(out, "Name", kDxgLString);
        out.U32(4);
        out.Chars("Long");
        PictureProp(out, "TIcon", {1, 2, 3});
        Prop(out, "TransparentColor", kDxgInt32);
        out.I32(0x00FF00FF);
        out.U8(kDxgNull);
      },
      "");
  const ArchiveContents c = Read(bytes);
  EXPECT_EQ(c.colorTable[5], 5);
  ASSERT_EQ(c.items.size(), 4u);
  const ArchiveItem& plain = c.items[0];
  EXPECT_EQ(plain.name, "");
  EXPECT_EQ(plain.SkipWidth, 0);
  EXPECT_EQ(plain.SkipHeight, 0);
  EXPECT_TRUE(plain.Transparent);
  EXPECT_FALSE(plain.SystemMemory);
  EXPECT_EQ(plain.TransparentColor, 0u);
  EXPECT_FALSE(plain.Picture);

  const ArchiveItem& fish = c.items[1];
  EXPECT_EQ(fish.name, "Fish");
  EXPECT_EQ(fish.PatternWidth, -1);
  EXPECT_EQ(fish.PatternHeight, -32768);
  EXPECT_EQ(fish.SkipWidth, 100000);
  EXPECT_EQ(fish.TransparentColor, 0xFF00FFu);
  EXPECT_FALSE(fish.Transparent);
  EXPECT_TRUE(fish.SystemMemory);
  ASSERT_TRUE(fish.Picture);
  EXPECT_EQ(fish.Picture->pixels, SmallPicture().pixels);

  EXPECT_EQ(c.items[2].name, "\xD1\x8Bx");  // U+044B, then 'x'
  EXPECT_FALSE(c.items[2].Picture);
  EXPECT_EQ(c.items[3].name, "Long");
  EXPECT_FALSE(c.items[3].Picture);
  EXPECT_EQ(c.items[3].TransparentColor, fish.TransparentColor);
}

// Values of a type a property does not take are skipped whole, whatever they hold.
TEST(DxgArchiveTest, SkipsValuesOfEveryType) {
  const auto bytes = Archive([](DxgByteWriter& out) {
    out.U8(kDxgList);
    Prop(out, "Name", kDxgList);  // a list holding one value of each type
    out.U8(kDxgList);             // nested list
    out.U8(kDxgNil);
    out.U8(kDxgNull);
    for (uint8_t t : {kDxgInt8, kDxgInt16, kDxgInt32, kDxgExtended, kDxgSingle, kDxgCurrency,
                      kDxgDate, kDxgInt64}) {
      out.U8(t);
      const int sizes[] = {0, 0, 1, 2, 4, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 8, 8, 0, 8};
      for (int i = 0; i < sizes[t]; ++i) out.U8(1);  // a stray 0 would end the list
    }
    for (uint8_t t : {kDxgString, kDxgIdent}) {
      out.U8(t);
      out.ShortString("ab");
    }
    for (uint8_t t : {kDxgBinary, kDxgLString, kDxgUtf8String}) {
      out.U8(t);
      out.U32(3);
      out.Chars("abc");
    }
    out.U8(kDxgWString);
    out.U32(2);
    out.Chars("abcd");
    out.U8(kDxgSet);
    out.ShortString("a");
    out.ShortString("bc");
    out.U8(0);
    out.U8(kDxgFalse);
    out.U8(kDxgTrue);
    out.U8(kDxgCollection);  // a collection with an ordered item holding a property
    out.U8(kDxgInt16);
    out.U16(5);
    out.U8(kDxgList);
    Prop(out, "Anything", kDxgInt8);
    out.U8(9);
    out.U8(kDxgNull);
    out.U8(kDxgNull);
    out.U8(kDxgNull);  // end of the list
    Prop(out, "PatternWidth", kDxgString);
    out.ShortString("wide");
    Prop(out, "TransparentColor", kDxgIdent);
    out.ShortString("clNotAColour");
    Prop(out, "PatternHeight", kDxgInt8);
    out.U8(7);
    out.U8(kDxgNull);
  });
  const ArchiveContents c = Read(bytes);
  ASSERT_EQ(c.items.size(), 1u);
  EXPECT_EQ(c.items[0].name, "");
  EXPECT_EQ(c.items[0].PatternWidth, 0);
  EXPECT_EQ(c.items[0].TransparentColor, 0u);
  EXPECT_EQ(c.items[0].PatternHeight, 7);
}

TEST(DxgArchiveTest, BitmapFilePicture) {
  const auto dib = EncodeDib(SmallPicture());
  DxgByteWriter file;
  file.U32(static_cast<uint32_t>(14 + dib.size()));
  file.Chars("BM");
  file.U32(static_cast<uint32_t>(14 + dib.size()));
  file.U32(0);
  file.U32(54);
  file.Bytes(dib);
  const auto data = file.Take();
  const ArchiveContents c = Read(Archive([&](DxgByteWriter& out) {
    out.U8(kDxgList);
    PictureProp(out, "TBitmap", data);
    out.U8(kDxgNull);
  }));
  ASSERT_TRUE(c.items.at(0).Picture);
  EXPECT_EQ(c.items[0].Picture->pixels, SmallPicture().pixels);
}

struct BrokenCase {
  const char* what;
  std::vector<uint8_t> bytes;
  std::string message;
  size_t itemsKept;
};

std::vector<uint8_t> WithByte(std::vector<uint8_t> bytes, size_t at, uint8_t value) {
  bytes.at(at) = value;
  return bytes;
}

std::vector<uint8_t> TwoItemsThen(const Body& tail) {
  return Archive([&](DxgByteWriter& out) {
    out.U8(kDxgList);
    NameProp(out, "First");
    out.U8(0);
    out.U8(1);
    NameProp(out, "Second");
    tail(out);
  });
}

TEST(DxgArchiveTest, BrokenArchivesFailWithTheirMessageAndKeepEarlierItems) {
  const auto good = Archive([](DxgByteWriter&) {});
  const size_t tpf0 = 3 + 4 + 6;  // after "DXG\0", flags and length
  const BrokenCase cases[] = {
      {"not 0xFF", WithByte(good, 0, 0xFE), "Invalid stream format", 0},
      {"not 10", WithByte(good, 1, 11), "Invalid stream format", 0},
      {"no signature", WithByte(good, tpf0 + 3, '1'), "Invalid stream format", 0},
      {"empty file", {}, "Invalid stream format", 0},
      {"unknown value type",
       TwoItemsThen([](DxgByteWriter& out) { Prop(out, "PatternWidth", kDxgUtf8String + 1); }),
       "Invalid stream format", 2},
      {"unknown property", TwoItemsThen([](DxgByteWriter& out) {
         Prop(out, "Bogus", kDxgFalse);
         out.U8(kDxgNull);
       }),
       "Property Bogus does not exist", 2},
      {"bad bitmap", TwoItemsThen([](DxgByteWriter& out) {
         PictureProp(out, "TDIB", {20, 0, 0, 0});
       }),
       "DIB is invalid", 2},
      {"binary longer than the file", TwoItemsThen([](DxgByteWriter& out) {
         Prop(out, "Picture.Data", kDxgBinary);
         out.U32(0xFFFFFFF0);
       }),
       "Invalid stream format", 2},
  };
  for (const BrokenCase& c : cases) {
    ArchiveContents out;
    out.items.resize(5);  // reading starts from an empty list
    EXPECT_EQ(ErrorOf(c.bytes, &out), c.message) << c.what;
    ASSERT_EQ(out.items.size(), c.itemsKept) << c.what;
    if (c.itemsKept == 2) {
      EXPECT_EQ(out.items[1].name, "Second") << c.what;
    }
  }
  EXPECT_EQ(ErrorOf([] {
              auto bytes = Archive([](DxgByteWriter&) {});
              const std::string from = "List.ColorTable";
              auto at = std::search(bytes.begin(), bytes.end(), from.begin(), from.end());
              *(at + 4) = 'X';
              return bytes;
            }()),
            "Property ListXColorTable does not exist");
}

// Any damage gives the items or one of the reader's errors: never a crash or a read
// outside the bytes (the sanitizer build watches the latter).
TEST(DxgArchiveTest, DamagedCopiesFailCleanly) {
  ArchiveContents contents;
  ArchiveItem item;
  item.name = "Wave";
  item.PatternWidth = 2;
  item.SkipWidth = 1;
  item.Picture = SmallPicture();
  contents.items = {item, item};
  const auto good = WriteDxgArchive(contents);
  for (size_t cut = 0; cut < good.size(); ++cut) {
    const std::string message =
        ErrorOf(std::vector<uint8_t>(good.begin(), good.begin() + static_cast<ptrdiff_t>(cut)));
    EXPECT_TRUE(KnownError(message)) << "cut at " << cut << ": " << message;
  }
  for (size_t at = 0; at < good.size(); ++at) {
    for (uint8_t flip : {0x01, 0x80, 0xFF}) {
      const std::string message = ErrorOf(WithByte(good, at, good[at] ^ flip));
      EXPECT_TRUE(message.empty() || KnownError(message)) << "byte " << at << ": " << message;
    }
  }
}

TEST(DxgArchiveTest, FilesAreReadWholeOrReportedByName) {
  const testing::ScratchFolder folder("brinecast-dxg-archive");
  const std::filesystem::path& dir = folder.Path();
  const std::string path = (dir / "one.dxg").string();
  ArchiveContents contents;
  contents.items.resize(1);
  contents.items[0].name = "Kruk";
  const auto bytes = WriteDxgArchive(contents);
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));

  ArchiveContents back;
  ReadDxgArchiveFile(path, back);
  ASSERT_EQ(back.items.size(), 1u);
  EXPECT_EQ(back.items[0].name, "Kruk");

  const std::string missing = (dir / "missing.dxg").string();
  for (const auto& [file, reason] :
       {std::pair{missing, "No such file or directory"}, {dir.string(), "Is a directory"}}) {
    try {
      ReadDxgArchiveFile(file, back);
      ADD_FAILURE() << file;
    } catch (const EngineError& e) {
      EXPECT_EQ(std::string(e.what()), "Cannot open file \"" + file + "\". " + reason);
    }
  }
}

// Only regular files of at most the bound are read; anything else is refused at once with
// the format's error under the file's name, before memory is taken for it.
TEST(DxgArchiveTest, FilesThatCannotBeArchivesAreRefusedByName) {
  const testing::ScratchFolder folder("brinecast-dxg-refused");
  const std::filesystem::path& dir = folder.Path();
  ArchiveContents contents;
  contents.items.resize(1);
  const auto bytes = WriteDxgArchive(contents);
  auto withSize = [&](const std::string& name, uint64_t size) {
    const std::string path = (dir / name).string();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    std::filesystem::resize_file(path, size);  // sparse: costs no disk
    return path;
  };
  const std::string atBound = withSize("at_bound.dxg", kDxgMaxFileBytes);
  const std::string aboveBound = withSize("above_bound.dxg", kDxgMaxFileBytes + 1);
  const std::string damaged = withSize("damaged.dxg", 40);
  const std::string fifo = (dir / "pipe.dxg").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

  ArchiveContents back;
  ReadDxgArchiveFile(atBound, back);  // a valid archive followed by zeros, just inside
  EXPECT_EQ(back.items.size(), 1u);
  for (const std::string& path : {aboveBound, damaged, fifo, std::string("/dev/zero")}) {
    try {
      ReadDxgArchiveFile(path, back);
      ADD_FAILURE() << path << " was read";
    } catch (const ArchiveFileError& e) {
      EXPECT_EQ(std::string(e.what()), path + "\nInvalid stream format");
      EXPECT_EQ(e.Path(), path);
      EXPECT_EQ(e.Text(), "Invalid stream format");
    }
  }
  // Other format errors keep their own text under the name.
  std::vector<uint8_t> badDib = Archive([](DxgByteWriter& out) {
    out.U8(kDxgList);
    PictureProp(out, "TDIB", {20, 0, 0, 0});
    out.U8(kDxgNull);
  });
  const std::string dib = (dir / "dib.dxg").string();
  std::ofstream(dib, std::ios::binary)
      .write(reinterpret_cast<const char*>(badDib.data()),
             static_cast<std::streamsize>(badDib.size()));
  try {
    ReadDxgArchiveFile(dib, back);
    ADD_FAILURE() << "bad picture was read";
  } catch (const ArchiveFileError& e) {
    EXPECT_EQ(std::string(e.what()), dib + "\nDIB is invalid");
  }
}

}  // namespace
}  // namespace brinecast
