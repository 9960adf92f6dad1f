#include <cstddef>
#include <cstdint>
#include <span>

#include "engine/DxgArchive.h"
#include "engine/EngineError.h"

// Any bytes must give the items or one of the reader's errors.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  brinecast::ArchiveContents contents;
  try {
    brinecast::ReadDxgArchive(std::span<const uint8_t>(data, size), contents);
  } catch (const brinecast::EngineError&) {
  }
  return 0;
}
