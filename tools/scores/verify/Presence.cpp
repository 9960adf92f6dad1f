// A database that does not answer costs a log line when it starts failing, not one a beat;
// the last count read stays in force meanwhile.
#include "scores/verify/Presence.h"

#include <algorithm>

#include "scores/http/RequestLog.h"
#include "scores/store/ProcessName.h"

namespace brinecast::scores {

Presence::Presence(ScoreStore& store, PresenceSettings settings,
                   std::function<void(const LiveCount&)> seen, std::function<void()> changed)
    : store_(store),
      settings_(settings),
      name_(UniqueProcessName()),
      seen_(std::move(seen)),
      changed_(std::move(changed)) {
  Beat();
  if (changed_) Look();
  thread_ = std::thread([this] { Run(); });
}

Presence::~Presence() {
  Stop();
}

void Presence::Stop() {
  {
    std::lock_guard lock(mutex_);
    if (stopping_) return;
    stopping_ = true;
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
  try {
    store_.Withdraw(name_);
  } catch (const std::exception&) {
    // Dropped out of the count when the window passes instead.
  }
}

void Presence::Beat() {
  try {
    store_.Announce(name_, settings_.serves, settings_.verifiers);
    const LiveCount live = store_.Live(settings_.windowSeconds);
    failing_ = false;
    if (seen_) seen_(live);
  } catch (const std::exception& e) {
    if (!failing_) LogError("announcing this process to the others: " + std::string(e.what()));
    failing_ = true;
  }
}

void Presence::Look() {
  try {
    const int64_t changes = store_.Changes();
    if (changes != changes_ && changed_) changed_();
    changes_ = changes;
  } catch (const std::exception&) {
    // The beat says when the database stops answering.
  }
}

void Presence::Run() {
  const auto tick = changed_ ? std::min(settings_.lookEvery, settings_.beat) : settings_.beat;
  auto nextBeat = std::chrono::steady_clock::now() + settings_.beat;
  std::unique_lock lock(mutex_);
  while (!wake_.wait_for(lock, tick, [this] { return stopping_; })) {
    lock.unlock();
    if (changed_) Look();
    if (std::chrono::steady_clock::now() >= nextBeat) {
      Beat();
      nextBeat += settings_.beat;
    }
    lock.lock();
  }
}

}  // namespace brinecast::scores
