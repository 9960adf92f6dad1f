// The image archive writer: what the pack tool stores, in the form the reader reads back.
#include <limits>

#include "engine/DibEncoder.h"
#include "engine/DxgArchive.h"
#include "engine/DxgByteWriter.h"
#include "engine/DxgFormat.h"

namespace brinecast {
namespace {

constexpr std::string_view kResourceName = "TPICTURECOLLECTIONCOMPONENT";

void PropertyName(DxgByteWriter& out, std::string_view name) {
  out.ShortString(name);
}

// The smallest integer code that holds the value.
void Integer(DxgByteWriter& out, int32_t v) {
  if (v >= std::numeric_limits<int8_t>::min() && v <= std::numeric_limits<int8_t>::max()) {
    out.U8(kDxgInt8);
    out.U8(static_cast<uint8_t>(v));
  } else if (v >= std::numeric_limits<int16_t>::min() && v <= std::numeric_limits<int16_t>::max()) {
    out.U8(kDxgInt16);
    out.U16(static_cast<uint16_t>(v));
  } else {
    out.U8(kDxgInt32);
    out.I32(v);
  }
}

void IntegerProperty(DxgByteWriter& out, std::string_view name, int32_t v) {
  PropertyName(out, name);
  Integer(out, v);
}

void BooleanProperty(DxgByteWriter& out, std::string_view name, bool v) {
  PropertyName(out, name);
  out.U8(v ? kDxgTrue : kDxgFalse);
}

void Text(DxgByteWriter& out, const std::string& text) {
  if (text.size() <= 255) {
    out.U8(kDxgString);
    out.ShortString(text);
  } else {
    out.U8(kDxgLString);
    out.U32(static_cast<uint32_t>(text.size()));
    out.Chars(text);
  }
}

void Item(DxgByteWriter& out, const ArchiveItem& item) {
  out.U8(kDxgList);
  PropertyName(out, "Name");
  Text(out, item.name);
  IntegerProperty(out, "PatternHeight", item.PatternHeight);
  IntegerProperty(out, "PatternWidth", item.PatternWidth);
  if (item.SkipHeight != 0) IntegerProperty(out, "SkipHeight", item.SkipHeight);
  if (item.SkipWidth != 0) IntegerProperty(out, "SkipWidth", item.SkipWidth);
  BooleanProperty(out, "SystemMemory", item.SystemMemory);
  BooleanProperty(out, "Transparent", item.Transparent);
  IntegerProperty(out, "TransparentColor", static_cast<int32_t>(item.TransparentColor));
  if (item.Picture) {
    const std::vector<uint8_t> dib = EncodeDib(*item.Picture);
    PropertyName(out, "Picture.Data");
    out.U8(kDxgBinary);
    out.U32(static_cast<uint32_t>(5 + dib.size()));
    out.ShortString("TDIB");
    out.Bytes(dib);
  }
  out.U8(kDxgNull);
}

}  // namespace

std::vector<uint8_t> WriteDxgArchive(const ArchiveContents& contents) {
  DxgByteWriter stream;
  stream.Chars("TPF0");
  stream.ShortString("TPictureCollectionComponent");
  stream.ShortString("");
  PropertyName(stream, "List.ColorTable");
  stream.U8(kDxgBinary);
  stream.U32(static_cast<uint32_t>(contents.colorTable.size()));
  stream.Bytes(contents.colorTable);
  PropertyName(stream, "List");
  stream.U8(kDxgCollection);
  for (const ArchiveItem& item : contents.items) Item(stream, item);
  stream.U8(kDxgNull);  // end of the collection
  stream.U8(kDxgNull);  // end of the root's properties
  stream.U8(kDxgNull);  // the root has no children
  std::vector<uint8_t> body = stream.Take();

  DxgByteWriter out;
  out.U8(0xFF);
  out.U16(10);
  out.Chars(kResourceName);
  out.U8(0);
  out.U16(0x1030);
  out.U32(static_cast<uint32_t>(body.size()));
  out.Bytes(body);
  return out.Take();
}

}  // namespace brinecast
