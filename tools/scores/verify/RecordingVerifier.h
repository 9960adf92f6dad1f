// Verifies stored recordings on a fixed number of worker threads, each recording replayed by
// a child process with limits, so a hostile recording costs at most that child. The
// recordings waiting are jobs in the database: every verifier on it claims one at a time with
// a lease it renews while alive, so a verifier that dies loses its jobs to the others.
#pragma once

#include <sys/types.h>

#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
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
  int workers = 1;         // none: recordings are taken here and verified elsewhere
  size_t queueLimit = 16;  // recordings waiting in the database; more are refused
  size_t senderShare = 4;  // of them from one address or IPv6 /64
  ChildLimits limits;
  int64_t leaseSeconds = 15;    // a claim outlives its silent holder this long
  int64_t waitingMinutes = 60;  // a recording still waiting after this proves nothing
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
  QueuePlace ReserveFrom(const std::string& sender) override;
  void PostFrom(int64_t id, const std::string& sender) override;
  void CancelFrom(const std::string& sender) override;
  size_t SenderShare() const override { return options_.senderShare; }

  // Says how many recordings an earlier run left waiting, and sets to work on them.
  void Resume();
  // Kills the children at work, ends the threads and gives their jobs back for others.
  void Stop();

 private:
  void Work();
  void RenewLeases();
  void Verify(const WaitingRecording& waiting);
  // The verdict of a replay, or of the replay of the same bytes before.
  std::optional<RecordingVerdict> Replay(const WaitingRecording& waiting, std::string& how);
  void Unreserve(const std::string& sender);
  // Whether to go on after waiting for new work, a stop or the next look at the database.
  bool AwaitWork();
  ScoreStore& store_;
  const VerifyOptions options_;
  const std::string holder_;
  std::function<void()> changed_;
  std::mutex mutex_;
  std::condition_variable wake_;
  size_t reserved_ = 0;                         // uploads between their place and their storing
  std::map<std::string, size_t> reservedFrom_;  // the same by sender
  size_t posted_ = 0;                           // stored here and not yet looked for
  bool stopping_ = false;
  bool databaseFailing_ = false;
  std::set<pid_t> children_;
  std::vector<std::thread> threads_;
};

}  // namespace brinecast::scores
