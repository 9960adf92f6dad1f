// Once a minute, drops the recordings that prove nothing, so the database holds only what a
// proof needs: a recording waiting longer than its limit is refused for it, refused ones
// lose their bytes, and those of scores gone go. Every process on the database may run it.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

#include "scores/store/ScoreStore.h"

namespace brinecast::scores {

class RecordingPurge {
 public:
  using Clock = std::function<int64_t()>;  // seconds since 1970, as uploads are stamped
  RecordingPurge(ScoreStore& store, int64_t waitingMinutes, Clock clock);
  ~RecordingPurge();
  RecordingPurge(const RecordingPurge&) = delete;
  RecordingPurge& operator=(const RecordingPurge&) = delete;

  void Stop();

 private:
  void Purge();
  ScoreStore& store_;
  const int64_t waitingMinutes_;
  Clock clock_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace brinecast::scores
