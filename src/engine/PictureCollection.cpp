// The picture collection's items, name lookup, preparing and colour table.
#include "engine/PictureCollection.h"

#include <algorithm>

#include "engine/DXDraw.h"

namespace brinecast {

TPictureCollection::~TPictureCollection() {
  Clear();
}

TPictureCollectionItem* TPictureCollection::Items(int index) const {
  if (index < 0 || index >= Count()) {
    throw EPictureCollectionError("List index out of bounds (" + std::to_string(index) + ")");
  }
  return items_[index].get();
}

TPictureCollectionItem* TPictureCollection::Add() {
  items_.push_back(std::make_unique<TPictureCollectionItem>(this));
  return items_.back().get();
}

TPictureCollectionItem* TPictureCollection::Find(std::string_view name) const {
  TPictureCollectionItem* item = index_.Find(name);
  if (item == nullptr) throw EPictureCollectionError("Image '" + std::string(name) + "' not found");
  return item;
}

void TPictureCollection::Clear() {
  index_.Clear();
  items_.clear();
}

bool TPictureCollection::DrawReady() const {
  return draw_ != nullptr && draw_->Initialized();
}

void TPictureCollection::Prepare() {
  if (draw_ != nullptr && !draw_->Initialized()) {
    throw EPictureCollectionError("TPictureCollection cannot be initialized");
  }
  for (auto& item : items_) item->Prepare();
}

void TPictureCollection::Finalize() {
  for (auto& item : items_) item->Finalize();
}

void TPictureCollection::MakeColorTable() {
  struct Rgb {
    uint8_t r, g, b;
  };
  static constexpr std::pair<int, Rgb> kFixed[] = {
      {0, {0, 0, 0}},         {1, {128, 0, 0}},     {2, {0, 128, 0}},     {3, {128, 128, 0}},
      {4, {0, 0, 128}},       {5, {128, 0, 128}},   {6, {0, 128, 128}},   {7, {192, 192, 192}},
      {248, {128, 128, 128}}, {249, {255, 0, 0}},   {250, {0, 255, 0}},   {251, {255, 255, 0}},
      {252, {0, 0, 255}},     {253, {255, 0, 255}}, {254, {0, 255, 255}}, {255, {255, 255, 255}},
  };
  ColorTable.fill(0);
  std::array<bool, 256> used{};
  auto put = [this, &used](int entry, Rgb c) {
    ColorTable[entry * 4 + 0] = c.b;
    ColorTable[entry * 4 + 1] = c.g;
    ColorTable[entry * 4 + 2] = c.r;
    used[entry] = true;
  };
  auto has = [this, &used](Rgb c) {
    for (int i = 0; i < 256; ++i) {
      if (used[i] && ColorTable[i * 4] == c.b && ColorTable[i * 4 + 1] == c.g &&
          ColorTable[i * 4 + 2] == c.r) {
        return true;
      }
    }
    return false;
  };
  for (const auto& [entry, c] : kFixed) put(entry, c);
  int freeEntry = 0;
  for (const auto& item : items_) {
    if (!item->Picture) continue;
    for (uint32_t rgb : item->Picture->palette) {
      Rgb c{static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
            static_cast<uint8_t>(rgb)};
      if (has(c)) continue;
      while (freeEntry < 256 && used[freeEntry]) ++freeEntry;
      if (freeEntry == 256) return;
      put(freeEntry, c);
    }
  }
}

}  // namespace brinecast
