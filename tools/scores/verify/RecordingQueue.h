// Where an accepted recording goes to be verified: a place is taken before the recording is
// stored, so a full queue refuses it before anything is kept.
#pragma once

#include <cstdint>

namespace brinecast::scores {

class RecordingQueue {
 public:
  virtual ~RecordingQueue() = default;
  // False when the queue is full.
  virtual bool TryReserve() = 0;
  // Fills a reserved place with the score whose recording was stored.
  virtual void Post(int64_t id) = 0;
  // Gives back a reserved place that was not used.
  virtual void Cancel() = 0;
};

}  // namespace brinecast::scores
