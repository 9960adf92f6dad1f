// The named pictures of one image list, with lookup by name and the colour table.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/EngineError.h"
#include "engine/NameHashIndex.h"
#include "engine/PictureCollectionItem.h"

namespace brinecast {

class TDXDraw;
struct ArchiveContents;

class EPictureCollectionError : public EngineError {
 public:
  using EngineError::EngineError;
};

// The named pictures of one image list, in file order.
class TPictureCollection {
 public:
  TPictureCollection() = default;
  ~TPictureCollection();
  TPictureCollection(const TPictureCollection&) = delete;
  TPictureCollection& operator=(const TPictureCollection&) = delete;

  int Count() const { return static_cast<int>(items_.size()); }
  // Throws EPictureCollectionError for an index out of range.
  TPictureCollectionItem* Items(int index) const;
  // Appends an item with the defaults.
  TPictureCollectionItem* Add();
  // Ignores case; throws EPictureCollectionError "Image '<name>' not found".
  TPictureCollectionItem* Find(std::string_view name) const;
  void Clear();

  // Replaces the items with an archive's. Reading errors propagate, with the
  // items read so far kept. Prepared at once if the drawing surface is ready.
  void LoadFromFile(const std::string& path, PictureDetail detail = PictureDetail::kPixels);
  void LoadFromMemory(std::span<const uint8_t> bytes);

  // Prepares every item. A collection linked to a drawing component that is not
  // initialised cannot be prepared: EPictureCollectionError.
  void Prepare();
  void Finalize();

  // The sixteen fixed colours, then the pictures' palette colours, each once.
  void MakeColorTable();
  std::array<uint8_t, 1024> ColorTable{};  // 256 entries of blue, green, red, 0

  void SetDXDraw(const TDXDraw* draw) { draw_ = draw; }
  const TDXDraw* DXDraw() const { return draw_; }

 private:
  friend class TPictureCollectionItem;
  void NameChanged(TPictureCollectionItem* item) { index_.Set(item, item->Name()); }
  bool DrawReady() const;
  void LoadWith(const std::function<void(ArchiveContents&)>& read);
  void Take(ArchiveContents& contents);

  std::vector<std::unique_ptr<TPictureCollectionItem>> items_;
  TNameHashIndex<TPictureCollectionItem> index_;
  const TDXDraw* draw_ = nullptr;
};

}  // namespace brinecast
