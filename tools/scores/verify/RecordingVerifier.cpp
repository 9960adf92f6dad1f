// Each verdict is stored with its reason, whatever ended the child: a crash, a time-out or
// an unreadable report leaves the score unproven and says why in the log. A recording is
// judged once: a verdict that comes second (its lease was lost and another judged it) is
// dropped without a word.
#include "scores/verify/RecordingVerifier.h"

#include <signal.h>

#include <chrono>
#include <exception>

#include "scores/http/RequestLog.h"
#include "scores/store/ProcessName.h"
#include "scores/verify/ReplayReport.h"

namespace brinecast::scores {

namespace {

// How often an idle worker looks for recordings stored by other servers.
constexpr std::chrono::seconds kLookEvery{2};

// The report is the last line the child printed.
std::string LastLine(std::string out) {
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  const size_t start = out.rfind('\n');
  return start == std::string::npos ? out : out.substr(start + 1);
}

}  // namespace

RecordingVerifier::RecordingVerifier(ScoreStore& store, VerifyOptions options,
                                     std::function<void()> changed)
    : store_(store),
      options_(std::move(options)),
      holder_(UniqueProcessName()),
      changed_(std::move(changed)) {
  for (int i = 0; i < options_.workers; ++i) threads_.emplace_back([this] { Work(); });
  if (options_.workers > 0) threads_.emplace_back([this] { RenewLeases(); });
}

RecordingVerifier::~RecordingVerifier() {
  Stop();
}

bool RecordingVerifier::TryReserve() {
  const int64_t waiting = store_.CountWaiting();
  std::lock_guard lock(mutex_);
  if (stopping_ || static_cast<size_t>(waiting) + reserved_ >= options_.queueLimit) return false;
  ++reserved_;
  return true;
}

void RecordingVerifier::Post(int64_t) {
  {
    std::lock_guard lock(mutex_);
    if (reserved_ > 0) --reserved_;
    ++posted_;
  }
  wake_.notify_one();
}

void RecordingVerifier::Cancel() {
  std::lock_guard lock(mutex_);
  if (reserved_ > 0) --reserved_;
}

void RecordingVerifier::Resume() {
  if (options_.workers == 0) return;
  const int64_t waiting = store_.CountWaiting();
  if (waiting == 0) return;
  LogNote("verifying " + std::to_string(waiting) + " recordings left from before");
  wake_.notify_all();
}

void RecordingVerifier::Stop() {
  {
    std::lock_guard lock(mutex_);
    if (stopping_) return;
    stopping_ = true;
    for (pid_t child : children_) kill(child, SIGKILL);
  }
  wake_.notify_all();
  for (std::thread& t : threads_) {
    if (t.joinable()) t.join();
  }
  if (options_.workers == 0) return;
  try {
    store_.ReleaseClaims(holder_);
  } catch (const std::exception& e) {
    // Their leases run out instead.
    LogError("giving back the recordings being verified: " + std::string(e.what()));
  }
}

bool RecordingVerifier::AwaitWork() {
  std::unique_lock lock(mutex_);
  wake_.wait_for(lock, kLookEvery, [this] { return stopping_ || posted_ > 0; });
  if (posted_ > 0) --posted_;
  return !stopping_;
}

void RecordingVerifier::Work() {
  while (true) {
    {
      std::lock_guard lock(mutex_);
      if (stopping_) return;
    }
    std::optional<WaitingRecording> job;
    try {
      job = store_.ClaimRecording(holder_, options_.leaseSeconds);
      std::lock_guard lock(mutex_);
      databaseFailing_ = false;
    } catch (const std::exception& e) {
      std::lock_guard lock(mutex_);
      // Said once per outage, not at every look.
      if (!databaseFailing_) LogError("looking for recordings to verify: " + std::string(e.what()));
      databaseFailing_ = true;
    }
    if (!job) {
      if (!AwaitWork()) return;
      continue;
    }
    try {
      Verify(*job);
    } catch (const std::exception& e) {
      // Left waiting in the store: its lease runs out and it is tried again.
      LogError("verifying the recording of score " + std::to_string(job->id) + ": " + e.what());
    }
  }
}

void RecordingVerifier::RenewLeases() {
  const auto every = std::chrono::seconds(std::max<int64_t>(1, options_.leaseSeconds / 3));
  std::unique_lock lock(mutex_);
  while (!wake_.wait_for(lock, every, [this] { return stopping_; })) {
    lock.unlock();
    try {
      store_.RenewClaims(holder_, options_.leaseSeconds);
    } catch (const std::exception& e) {
      LogError("renewing the leases of recordings being verified: " + std::string(e.what()));
    }
    lock.lock();
  }
}

void RecordingVerifier::Verify(const WaitingRecording& waiting) {
  pid_t child = 0;
  const ChildResult run =
      RunChild(options_.command, waiting.bytes, options_.limits, [this, &child](pid_t pid) {
        std::lock_guard lock(mutex_);
        child = pid;
        children_.insert(pid);
        if (stopping_) kill(pid, SIGKILL);
      });
  bool stopped = false;
  {
    std::lock_guard lock(mutex_);
    children_.erase(child);
    stopped = stopping_;
  }
  // Killed by a stop, not by what it was given.
  if (stopped) return;
  RecordingVerdict verdict;
  const std::optional<ReplayReport> report = run.ending == ChildResult::Ending::kExited
                                                 ? ReadReplayReport(LastLine(run.out))
                                                 : std::nullopt;
  if (run.ending == ChildResult::Ending::kTimedOut) {
    verdict.reason =
        "replay timed out after " + std::to_string(options_.limits.wall.count() / 1000) + " s";
  } else if (run.ending != ChildResult::Ending::kExited) {
    verdict.reason = "replay " + run.Describe();
  } else if (!report) {
    verdict.reason = "replay gave no readable report (" + run.Describe() + ")";
  } else {
    verdict = Judge(*report, waiting.entry);
  }
  const SavedVerdict saved = store_.SaveFirstVerdict(waiting.id, verdict);
  if (!saved.saved) return;
  LogNote("recording of score " + std::to_string(waiting.id) + ": " +
          (saved.proven ? "proven" : "not proven: " + saved.reason));
  if (saved.proven && changed_) changed_();
}

}  // namespace brinecast::scores
