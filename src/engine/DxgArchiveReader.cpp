// The image archive reader: the resource header, the component stream and each item's
// properties, with every value type the format knows skipped safely when not wanted.
#include <string>
#include <vector>

#include "engine/DibDecoder.h"
#include "engine/DxgArchive.h"
#include "engine/DxgByteReader.h"
#include "engine/DxgColorNames.h"
#include "engine/DxgFormat.h"
#include "platform/EqualsNoCase.h"

namespace brinecast {
namespace {

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// 16-bit units as UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::span<const uint8_t> units) {
  std::string out;
  const size_t n = units.size() / 2;
  auto unit = [&](size_t i) { return uint32_t{units[2 * i]} | (uint32_t{units[2 * i + 1]} << 8); };
  for (size_t i = 0; i < n; ++i) {
    uint32_t u = unit(i);
    if (u >= 0xD800 && u < 0xDC00 && i + 1 < n && unit(i + 1) >= 0xDC00 && unit(i + 1) < 0xE000) {
      AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (unit(i + 1) - 0xDC00));
      ++i;
    } else {
      AppendUtf8(out, (u >= 0xD800 && u < 0xE000) ? 0xFFFD : u);
    }
  }
  return out;
}

// The name comes from the file: control bytes (a NUL would cut the message short)
// are shown as '?'.
[[noreturn]] void UnknownProperty(std::string_view name) {
  std::string shown(name);
  for (char& c : shown)
    if (static_cast<unsigned char>(c) < 0x20) c = '?';
  throw EngineError("Property " + shown + " does not exist");
}

class ArchiveParser {
 public:
  ArchiveParser(std::span<const uint8_t> bytes, ArchiveContents& out, PictureDetail detail)
      : in_(bytes, kDxgInvalidStream), out_(out), detail_(detail) {}

  void Run() {
    ReadResourceHeader();
    if (in_.Chars(4) != "TPF0") in_.Fail();
    ReadRootHeader();
    while (uint8_t length = in_.U8()) ReadRootProperty(in_.Chars(length));
    if (in_.U8() != kDxgNull) in_.Fail();  // the root has no children
  }

 private:
  void ReadResourceHeader() {
    if (in_.U8() != 0xFF || in_.U16() != 10) in_.Fail();
    while (in_.U8() != 0) {
    }
    in_.Skip(6);  // flags, stream length
  }

  void ReadRootHeader() {
    uint8_t first = in_.U8();
    if ((first & 0xF0) == 0xF0) {
      if ((first & 0x02) && !ReadInteger(in_.U8())) in_.Fail();  // order number
      first = in_.U8();
    }
    in_.Chars(first);   // class name
    in_.ShortString();  // object name
  }

  void ReadRootProperty(std::string_view name) {
    uint8_t type = in_.U8();
    if (EqualsNoCase(name, "List.ColorTable") && type == kDxgBinary) {
      if (in_.U32() != out_.colorTable.size()) in_.Fail();
      auto table = in_.Bytes(out_.colorTable.size());
      std::copy(table.begin(), table.end(), out_.colorTable.begin());
    } else if (EqualsNoCase(name, "List") && type == kDxgCollection) {
      ReadItems();
    } else if (EqualsNoCase(name, "List.ColorTable") || EqualsNoCase(name, "List")) {
      SkipValue(type);
    } else {
      UnknownProperty(name);
    }
  }

  void ReadItems() {
    while (uint8_t type = in_.U8()) {
      if (type != kDxgList) {
        if (!ReadInteger(type)) in_.Fail();  // order value
        if (in_.U8() != kDxgList) in_.Fail();
      }
      out_.items.emplace_back();
      ArchiveItem& item = out_.items.back();
      while (uint8_t length = in_.U8()) ReadItemProperty(item, in_.Chars(length));
    }
  }

  void ReadItemProperty(ArchiveItem& item, std::string_view name) {
    const uint8_t type = in_.U8();
    if (EqualsNoCase(name, "Name")) {
      if (auto text = ReadText(type)) item.name = std::move(*text);
    } else if (EqualsNoCase(name, "PatternHeight")) {
      if (auto v = ReadInteger(type)) item.PatternHeight = *v;
    } else if (EqualsNoCase(name, "PatternWidth")) {
      if (auto v = ReadInteger(type)) item.PatternWidth = *v;
    } else if (EqualsNoCase(name, "SkipHeight")) {
      if (auto v = ReadInteger(type)) item.SkipHeight = *v;
    } else if (EqualsNoCase(name, "SkipWidth")) {
      if (auto v = ReadInteger(type)) item.SkipWidth = *v;
    } else if (EqualsNoCase(name, "SystemMemory")) {
      if (auto v = ReadBoolean(type)) item.SystemMemory = *v;
    } else if (EqualsNoCase(name, "Transparent")) {
      if (auto v = ReadBoolean(type)) item.Transparent = *v;
    } else if (EqualsNoCase(name, "TransparentColor")) {
      if (auto v = ReadColor(type)) item.TransparentColor = *v;
    } else if (EqualsNoCase(name, "Picture.Data")) {
      if (type == kDxgBinary) {
        ReadPicture(in_.Bytes(in_.U32()), item);
      } else {
        SkipValue(type);
      }
    } else {
      UnknownProperty(name);
    }
  }

  // The readers below take a value of a type they accept; any other value is
  // skipped whole and the property keeps what it had.
  std::optional<int32_t> ReadInteger(uint8_t type) {
    switch (type) {
      case kDxgInt8:
        return in_.I8();
      case kDxgInt16:
        return in_.I16();
      case kDxgInt32:
        return in_.I32();
      default:
        SkipValue(type);
        return std::nullopt;
    }
  }

  std::optional<std::string> ReadText(uint8_t type) {
    switch (type) {
      case kDxgString:
        return std::string(in_.ShortString());
      case kDxgLString:
      case kDxgUtf8String:
        return std::string(in_.Chars(in_.U32()));
      case kDxgWString:
        return Utf16ToUtf8(in_.Bytes(uint64_t{in_.U32()} * 2));
      default:
        SkipValue(type);
        return std::nullopt;
    }
  }

  std::optional<bool> ReadBoolean(uint8_t type) {
    if (type == kDxgFalse || type == kDxgTrue) return type == kDxgTrue;
    if (type == kDxgIdent) {
      auto ident = in_.ShortString();
      if (EqualsNoCase(ident, "True")) return true;
      if (EqualsNoCase(ident, "False")) return false;
      return std::nullopt;
    }
    SkipValue(type);
    return std::nullopt;
  }

  std::optional<uint32_t> ReadColor(uint8_t type) {
    if (type == kDxgIdent) return DxgColorFromName(in_.ShortString());
    if (auto v = ReadInteger(type)) return static_cast<uint32_t>(*v);
    return std::nullopt;
  }

  void ReadPicture(std::span<const uint8_t> data, ArchiveItem& item) const {
    DxgByteReader picture(data, kDxgInvalidStream);
    if (picture.AtEnd()) return;
    const std::string_view className = picture.ShortString();
    const auto rest = data.subspan(picture.Position());
    if (EqualsNoCase(className, "TDIB")) {
      item.Picture = DecodeDib(rest, detail_);
    } else if (EqualsNoCase(className, "TBitmap")) {
      DxgByteReader file(rest, "DIB is invalid");
      const auto bytes = file.Bytes(file.U32());
      item.Picture = bytes.empty() ? Picture{} : DecodeBitmapFile(bytes, detail_);
    }
    // Any other class (or none) leaves the item without a picture.
  }

  void SkipPayload(uint8_t type) {
    switch (type) {
      case kDxgNull:
      case kDxgFalse:
      case kDxgTrue:
      case kDxgNil:
        return;
      case kDxgInt8:
        return in_.Skip(1);
      case kDxgInt16:
        return in_.Skip(2);
      case kDxgInt32:
      case kDxgSingle:
        return in_.Skip(4);
      case kDxgExtended:
        return in_.Skip(10);
      case kDxgCurrency:
      case kDxgDate:
      case kDxgInt64:
        return in_.Skip(8);
      case kDxgString:
      case kDxgIdent:
        return in_.Skip(in_.U8());
      case kDxgBinary:
      case kDxgLString:
      case kDxgUtf8String:
        return in_.Skip(in_.U32());
      case kDxgWString:
        return in_.Skip(uint64_t{in_.U32()} * 2);
      case kDxgSet:
        while (uint8_t length = in_.U8()) in_.Skip(length);
        return;
      default:
        in_.Fail();
    }
  }

  // Lists and collections nest without limit, so they are skipped with an explicit
  // stack rather than recursion; every level costs at least one byte of input.
  void SkipValue(uint8_t type) {
    enum Frame : uint8_t { kInList, kInCollection, kInItem };
    std::vector<Frame> stack;
    auto enter = [&](uint8_t t) {
      if (t == kDxgList) {
        stack.push_back(kInList);
      } else if (t == kDxgCollection) {
        stack.push_back(kInCollection);
      } else {
        SkipPayload(t);
      }
    };
    enter(type);
    while (!stack.empty()) {
      const uint8_t next = in_.U8();
      if (next == kDxgNull) {
        stack.pop_back();
      } else if (stack.back() == kInList) {
        enter(next);
      } else if (stack.back() == kInCollection) {
        if (next != kDxgList) {
          if (next < kDxgInt8 || next > kDxgInt32) in_.Fail();
          SkipPayload(next);
          if (in_.U8() != kDxgList) in_.Fail();
        }
        stack.push_back(kInItem);
      } else {
        in_.Skip(next);  // property name
        enter(in_.U8());
      }
    }
  }

  DxgByteReader in_;
  ArchiveContents& out_;
  PictureDetail detail_;
};

}  // namespace

void ReadDxgArchive(std::span<const uint8_t> bytes, ArchiveContents& out, PictureDetail detail) {
  out.colorTable.fill(0);
  out.items.clear();
  ArchiveParser(bytes, out, detail).Run();
}

}  // namespace brinecast
