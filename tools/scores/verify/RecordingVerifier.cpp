// Each verdict is stored with its reason, whatever ended the child: a crash, a time-out or
// an unreadable report leaves the score unproven and says why in the log.
#include "scores/verify/RecordingVerifier.h"

#include <signal.h>

#include <exception>

#include "scores/http/RequestLog.h"
#include "scores/verify/ReplayReport.h"

namespace brinecast::scores {

namespace {

// The report is the last line the child printed.
std::string LastLine(std::string out) {
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  const size_t start = out.rfind('\n');
  return start == std::string::npos ? out : out.substr(start + 1);
}

}  // namespace

RecordingVerifier::RecordingVerifier(ScoreStore& store, VerifyOptions options,
                                     std::function<void()> changed)
    : store_(store), options_(std::move(options)), changed_(std::move(changed)) {
  for (int i = 0; i < std::max(1, options_.workers); ++i) {
    threads_.emplace_back([this] { Work(); });
  }
}

RecordingVerifier::~RecordingVerifier() {
  Stop();
}

bool RecordingVerifier::TryReserve() {
  std::lock_guard lock(mutex_);
  if (stopping_ || reserved_ >= options_.queueLimit) return false;
  ++reserved_;
  return true;
}

void RecordingVerifier::Post(int64_t id) {
  {
    std::lock_guard lock(mutex_);
    queue_.push_back(id);
  }
  wake_.notify_one();
}

void RecordingVerifier::Cancel() {
  std::lock_guard lock(mutex_);
  if (reserved_ > 0) --reserved_;
}

void RecordingVerifier::Resume() {
  const std::vector<int64_t> waiting = store_.WaitingRecordings();
  if (waiting.empty()) return;
  LogNote("verifying " + std::to_string(waiting.size()) + " recordings left from before");
  {
    std::lock_guard lock(mutex_);
    for (int64_t id : waiting) {
      queue_.push_back(id);
      ++reserved_;
    }
  }
  wake_.notify_all();
}

void RecordingVerifier::Stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    for (pid_t child : children_) kill(child, SIGKILL);
  }
  wake_.notify_all();
  for (std::thread& t : threads_) {
    if (t.joinable()) t.join();
  }
}

void RecordingVerifier::Work() {
  while (true) {
    int64_t id = 0;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
      if (stopping_) return;
      id = queue_.front();
      queue_.pop_front();
    }
    try {
      Verify(id);
    } catch (const std::exception& e) {
      // Left waiting in the store: the next start tries again.
      LogError("verifying the recording of score " + std::to_string(id) + ": " + e.what());
    }
    std::lock_guard lock(mutex_);
    if (reserved_ > 0) --reserved_;
  }
}

void RecordingVerifier::Verify(int64_t id) {
  const std::optional<WaitingRecording> waiting = store_.RecordingToVerify(id);
  if (!waiting) return;  // removed meanwhile, or verified already
  pid_t child = 0;
  const ChildResult run =
      RunChild(options_.command, waiting->bytes, options_.limits, [this, &child](pid_t pid) {
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
    verdict = Judge(*report, waiting->entry);
  }
  const bool proven = store_.SaveVerdict(id, verdict);
  const std::string why =
      verdict.proven ? "the same game already proves another score" : verdict.reason;
  LogNote("recording of score " + std::to_string(id) + ": " +
          (proven ? "proven" : "not proven: " + why));
  if (proven && changed_) changed_();
}

}  // namespace brinecast::scores
