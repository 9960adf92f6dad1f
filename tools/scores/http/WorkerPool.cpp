// Jobs run in the order they came.
#include "scores/http/WorkerPool.h"

namespace brinecast::scores {

WorkerPool::WorkerPool(int threads, size_t queueLimit) : queueLimit_(queueLimit) {
  for (int i = 0; i < threads; ++i) threads_.emplace_back([this] { Work(); });
}

WorkerPool::~WorkerPool() {
  Stop();
}

bool WorkerPool::TryPost(std::function<void()> job) {
  {
    std::lock_guard lock(mutex_);
    if (stopping_ || jobs_.size() >= queueLimit_) return false;
    jobs_.push_back(std::move(job));
  }
  wake_.notify_one();
  return true;
}

void WorkerPool::Stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  for (std::thread& t : threads_) {
    if (t.joinable()) t.join();
  }
}

void WorkerPool::Work() {
  while (true) {
    std::function<void()> job;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
      if (jobs_.empty()) return;
      job = std::move(jobs_.front());
      jobs_.pop_front();
    }
    job();
  }
}

}  // namespace brinecast::scores
