// This process among the others on one database: it announces itself every few seconds and
// reads how many are live, so the limits each server counts in memory can be shared out, and
// a process killed without a word drops out of the count within the window. A server also
// watches the database's change counter, so a change made by another shows on its pages
// within a look.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "scores/store/ScoreStore.h"

namespace brinecast::scores {

struct PresenceSettings {
  bool serves = true;  // answers HTTP
  int verifiers = 0;   // worker threads verifying recordings
  std::chrono::milliseconds beat{5000};
  int64_t windowSeconds = 15;                // one missed beat is forgiven, three are not
  std::chrono::milliseconds lookEvery{400};  // at the change counter, when watching
};

class Presence {
 public:
  // Announces at once and then on every beat; `seen` gets every count read, `changed` is
  // called when the change counter moved on (nothing is watched without it).
  Presence(ScoreStore& store, PresenceSettings settings, std::function<void(const LiveCount&)> seen,
           std::function<void()> changed = nullptr);
  ~Presence();
  Presence(const Presence&) = delete;
  Presence& operator=(const Presence&) = delete;

  // Stops announcing and takes this process out of the count.
  void Stop();

 private:
  void Beat();
  void Look();
  void Run();
  ScoreStore& store_;
  const PresenceSettings settings_;
  const std::string name_;
  std::function<void(const LiveCount&)> seen_;
  std::function<void()> changed_;
  int64_t changes_ = 0;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
  bool failing_ = false;
  std::thread thread_;
};

}  // namespace brinecast::scores
