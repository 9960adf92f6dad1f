// Where an accepted recording goes to be verified: a place is taken before the recording is
// stored, so a full queue refuses it before anything is kept.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace brinecast::scores {

enum class QueuePlace {
  kTaken,
  kFull,        // the whole queue
  kSenderFull,  // the sender's share of it
};

class RecordingQueue {
 public:
  virtual ~RecordingQueue() = default;
  // False when the queue is full.
  virtual bool TryReserve() = 0;
  // Fills a reserved place with the score whose recording was stored.
  virtual void Post(int64_t id) = 0;
  // Gives back a reserved place that was not used.
  virtual void Cancel() = 0;

  // The same for a recording from `sender` (its address's limit key), who may have only its
  // share of the places waiting, so one sender cannot fill the queue for everyone.
  virtual QueuePlace ReserveFrom(const std::string&) {
    return TryReserve() ? QueuePlace::kTaken : QueuePlace::kFull;
  }
  virtual void PostFrom(int64_t id, const std::string&) { Post(id); }
  virtual void CancelFrom(const std::string&) { Cancel(); }
  // How many recordings one sender may have waiting; none when the queue does not count.
  virtual size_t SenderShare() const { return 0; }
};

}  // namespace brinecast::scores
