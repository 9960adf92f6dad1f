// A few threads for the work that waits on the database, behind a bounded queue: when the
// database stalls, requests beyond the queue are refused at once instead of piling up.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace brinecast::scores {

class WorkerPool {
 public:
  WorkerPool(int threads, size_t queueLimit);
  ~WorkerPool();
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;

  // False when the queue is full or the pool has stopped.
  bool TryPost(std::function<void()> job);
  // Runs what is queued, then ends the threads.
  void Stop();

 private:
  void Work();
  const size_t queueLimit_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::function<void()>> jobs_;
  bool stopping_ = false;
  std::vector<std::thread> threads_;
};

}  // namespace brinecast::scores
