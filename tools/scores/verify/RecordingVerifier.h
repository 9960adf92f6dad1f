// Verifies stored recordings on a fixed number of worker threads behind a bounded queue,
// each recording replayed by a child process with limits, so a hostile recording costs at
// most that child.
#pragma once

#include <sys/types.h>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "scores/store/ScoreStore.h"
#include "scores/verify/ChildRun.h"
#include "scores/verify/RecordingQueue.h"

namespace brinecast::scores {

struct VerifyOptions {
  // Reads a recording on standard input and prints the replay's one JSON line.
  std::vector<std::string> command;
  int workers = 1;
  size_t queueLimit = 16;  // recordings waiting; more are refused
  ChildLimits limits;
};

class RecordingVerifier : public RecordingQueue {
 public:
  // `changed` is called after a score was proven, so pages showing it are made again.
  RecordingVerifier(ScoreStore& store, VerifyOptions options, std::function<void()> changed);
  ~RecordingVerifier() override;
  RecordingVerifier(const RecordingVerifier&) = delete;
  RecordingVerifier& operator=(const RecordingVerifier&) = delete;

  bool TryReserve() override;
  void Post(int64_t id) override;
  void Cancel() override;

  // Queues what an earlier run stored and left unverified, however many.
  void Resume();
  // Kills the children at work and ends the threads; what they had is verified next time.
  void Stop();

  // Verifies one recording now, on the calling thread.
  void Verify(int64_t id);

 private:
  void Work();
  ScoreStore& store_;
  const VerifyOptions options_;
  std::function<void()> changed_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<int64_t> queue_;
  size_t reserved_ = 0;  // places taken, queued or about to be
  bool stopping_ = false;
  std::set<pid_t> children_;
  std::vector<std::thread> threads_;
};

}  // namespace brinecast::scores
