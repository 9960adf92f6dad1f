#include "scores/http/UploadSlots.h"

namespace brinecast::scores {

UploadSlots::Taken UploadSlots::Take(const std::string& key) {
  std::lock_guard lock(mutex_);
  int& mine = byClient_[key];
  if (mine >= perClient_) return Taken::kClientFull;
  if (held_ >= total_) {
    if (mine == 0) byClient_.erase(key);
    return Taken::kServerFull;
  }
  ++mine;
  ++held_;
  return Taken::kYes;
}

void UploadSlots::Give(const std::string& key) {
  std::lock_guard lock(mutex_);
  const auto found = byClient_.find(key);
  if (found == byClient_.end()) return;
  --held_;
  if (--found->second <= 0) byClient_.erase(found);
}

}  // namespace brinecast::scores
