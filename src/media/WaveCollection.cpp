#include "media/WaveCollection.h"

#include <algorithm>
#include <cctype>

namespace brinecast {

namespace {

bool SameName(std::string_view a, std::string_view b) {
  return std::ranges::equal(
      a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

}  // namespace

void TWaveCollectionItem::Play(bool /*wait*/) {}
void TWaveCollectionItem::Stop() {}

void TDXWaveList::Initialize(Platform& /*platform*/) {}

void TDXWaveList::StopAll() {
  for (int i = 0; i < items_.Count(); ++i) items_.Items(i).Stop();
}

TWaveCollectionItem& TWaveCollection::Add() {
  return items_.emplace_back();
}

TWaveCollectionItem& TWaveCollection::Items(int index) {
  if (index < 0 || index >= Count()) {
    throw EWaveCollectionError("Index of the list exceeds the range. (" + std::to_string(index) +
                               ")");
  }
  return items_[static_cast<size_t>(index)];
}

TWaveCollectionItem& TWaveCollection::Find(std::string_view name) {
  auto found = std::find_if(items_.rbegin(), items_.rend(), [&](const TWaveCollectionItem& item) {
    return SameName(item.Name, name);
  });
  if (found == items_.rend())
    throw EWaveCollectionError("Wave '" + std::string(name) + "' not found");
  return *found;
}

}  // namespace brinecast
