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
  return ReserveFrom(std::string()) == QueuePlace::kTaken;
}

void RecordingVerifier::Post(int64_t id) {
  PostFrom(id, std::string());
}

void RecordingVerifier::Cancel() {
  CancelFrom(std::string());
}

QueuePlace RecordingVerifier::ReserveFrom(const std::string& sender) {
  // Counted in the database, so the share holds across every server on it.
  const int64_t waiting = store_.CountWaiting();
  const int64_t fromSender = sender.empty() ? 0 : store_.CountWaitingFrom(sender);
  std::lock_guard lock(mutex_);
  if (stopping_ || static_cast<size_t>(waiting) + reserved_ >= options_.queueLimit) {
    return QueuePlace::kFull;
  }
  if (!sender.empty()) {
    size_t& mine = reservedFrom_[sender];
    if (static_cast<size_t>(fromSender) + mine >= options_.senderShare) {
      if (mine == 0) reservedFrom_.erase(sender);
      return QueuePlace::kSenderFull;
    }
    ++mine;
  }
  ++reserved_;
  return QueuePlace::kTaken;
}

void RecordingVerifier::Unreserve(const std::string& sender) {
  if (reserved_ > 0) --reserved_;
  const auto mine = reservedFrom_.find(sender);
  if (mine != reservedFrom_.end() && --mine->second == 0) reservedFrom_.erase(mine);
}

void RecordingVerifier::PostFrom(int64_t, const std::string& sender) {
  {
    std::lock_guard lock(mutex_);
    Unreserve(sender);
    ++posted_;
  }
  wake_.notify_one();
}

void RecordingVerifier::CancelFrom(const std::string& sender) {
  std::lock_guard lock(mutex_);
  Unreserve(sender);
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
      job = store_.ClaimFirstOfItsBytes(holder_, options_.leaseSeconds);
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
  std::string how;
  const std::optional<RecordingVerdict> verdict = Replay(waiting, how);
  // Killed by a stop, not by what it was given.
  if (!verdict) return;
  const SavedVerdict saved = store_.SaveFirstVerdict(waiting.id, *verdict);
  if (!saved.saved) return;
  LogNote("recording of score " + std::to_string(waiting.id) + ": " +
          (saved.proven ? "proven" : "not proven: " + saved.reason) + how);
  if (saved.proven && changed_) changed_();
}

std::optional<RecordingVerdict> RecordingVerifier::Replay(const WaitingRecording& waiting,
                                                          std::string& how) {
  // The same bytes replay the same way: what their replay reported is judged against this
  // score's claim, and a replay that failed fails again.
  if (std::optional<RecordingVerdict> before = store_.ReplayedBefore(waiting.digest, waiting.id)) {
    how = " (the same bytes were replayed before)";
    const std::optional<ReplayReport> report =
        before->report.empty() ? std::nullopt : ReadReplayReport(before->report);
    if (!report) return RecordingVerdict{false, before->reason, "", true, ""};
    RecordingVerdict verdict = Judge(*report, waiting.entry);
    verdict.replayed = true;
    verdict.report = before->report;
    return verdict;
  }
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
  if (stopped) return std::nullopt;
  RecordingVerdict verdict;
  const std::string line = LastLine(run.out);
  const std::optional<ReplayReport> report =
      run.ending == ChildResult::Ending::kExited ? ReadReplayReport(line) : std::nullopt;
  if (run.ending == ChildResult::Ending::kTimedOut) {
    verdict.reason =
        "replay timed out after " + std::to_string(options_.limits.wall.count() / 1000) + " s";
  } else if (run.ending != ChildResult::Ending::kExited) {
    verdict.reason = "replay " + run.Describe();
  } else if (!report) {
    verdict.reason = "replay gave no readable report (" + run.Describe() + ")";
  } else {
    verdict = Judge(*report, waiting.entry);
    verdict.report = line;
  }
  verdict.replayed = true;
  return verdict;
}

}  // namespace brinecast::scores
