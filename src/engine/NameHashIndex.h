// The case-blind name index of image lists, through 256 buckets.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/EqualsNoCase.h"

namespace brinecast {

// Case-blind lookup of named items through 256 buckets. Within a bucket the most
// recently named item comes first, so when two items share a name the one named
// last is found.
template <class T>
class TNameHashIndex {
 public:
  static std::string Lower(std::string_view name) {
    std::string lower(name);
    for (char& ch : lower) ch = AsciiLower(ch);
    return lower;
  }

  // 16 x length + the first + the second-to-last character, of the lower-cased name.
  static int Bucket(std::string_view lowerName) {
    const size_t n = lowerName.size();
    size_t h = 16 * n;
    if (n >= 2) {
      h += static_cast<unsigned char>(lowerName[0]) + static_cast<unsigned char>(lowerName[n - 2]);
    }
    return static_cast<int>(h % 256);
  }

  // Files the item under its (new) name, ahead of older items of that name.
  void Set(T* item, std::string_view name) {
    Remove(item);
    std::string lower = Lower(name);
    const int bucket = Bucket(lower);
    buckets_[bucket].push_back(Entry{item, std::move(lower)});
    bucketOf_[item] = bucket;
  }

  // Only the item's own bucket is searched, and only if it was filed: naming each
  // of an archive's many items must not rescan all the others.
  void Remove(T* item) {
    auto it = bucketOf_.find(item);
    if (it == bucketOf_.end()) return;
    std::erase_if(buckets_[it->second], [item](const Entry& e) { return e.item == item; });
    bucketOf_.erase(it);
  }

  T* Find(std::string_view name) const {
    const std::string lower = Lower(name);
    const auto& bucket = buckets_[Bucket(lower)];
    for (auto it = bucket.rbegin(); it != bucket.rend(); ++it) {
      if (it->lowerName == lower) return it->item;
    }
    return nullptr;
  }

  void Clear() {
    for (auto& bucket : buckets_) bucket.clear();
    bucketOf_.clear();
  }

 private:
  struct Entry {
    T* item;
    std::string lowerName;
  };
  std::array<std::vector<Entry>, 256> buckets_;  // newest at the back
  std::unordered_map<const T*, int> bucketOf_;
};

}  // namespace brinecast
