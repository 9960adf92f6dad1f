#include "scores/verify/RecordingPurge.h"

#include <chrono>
#include <exception>
#include <string>

#include "scores/http/RequestLog.h"

namespace brinecast::scores {

RecordingPurge::RecordingPurge(ScoreStore& store, int64_t waitingMinutes, Clock clock)
    : store_(store), waitingMinutes_(waitingMinutes), clock_(std::move(clock)) {
  // The first pass a minute after start: what an earlier run left waiting goes to the
  // verifiers starting now before its age counts against it.
  thread_ = std::thread([this] {
    std::unique_lock lock(mutex_);
    while (!wake_.wait_for(lock, std::chrono::minutes(1), [this] { return stopping_; })) {
      lock.unlock();
      Purge();
      lock.lock();
    }
  });
}

RecordingPurge::~RecordingPurge() {
  Stop();
}

void RecordingPurge::Stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void RecordingPurge::Purge() {
  try {
    const int64_t purged = store_.PurgeRecordings(
        clock_() - waitingMinutes_ * 60,
        "not verified within " + std::to_string(waitingMinutes_) + " minutes");
    if (purged > 0) LogNote("purged " + std::to_string(purged) + " recordings that prove nothing");
  } catch (const std::exception& e) {
    LogError("purging recordings: " + std::string(e.what()));
  }
}

}  // namespace brinecast::scores
