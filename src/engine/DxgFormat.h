// The constants of the image archive format that its reader, its writer and their tests
// share: the type code in front of every stored value, the format's error text and the
// largest file taken for an archive.
#pragma once

#include <cstdint>

namespace brinecast {

enum DxgValue : uint8_t {
  kDxgNull = 0,  // also ends lists, collections and property lists
  kDxgList = 1,
  kDxgInt8 = 2,
  kDxgInt16 = 3,
  kDxgInt32 = 4,
  kDxgExtended = 5,
  kDxgString = 6,
  kDxgIdent = 7,
  kDxgFalse = 8,
  kDxgTrue = 9,
  kDxgBinary = 10,
  kDxgSet = 11,
  kDxgLString = 12,
  kDxgNil = 13,
  kDxgCollection = 14,
  kDxgSingle = 15,
  kDxgCurrency = 16,
  kDxgDate = 17,
  kDxgWString = 18,
  kDxgInt64 = 19,
  kDxgUtf8String = 20,
};

inline constexpr const char* kDxgInvalidStream = "Invalid stream format";

// Far above the game's own few megabytes; anything larger is refused unread.
inline constexpr uint64_t kDxgMaxFileBytes = uint64_t{256} << 20;

}  // namespace brinecast
