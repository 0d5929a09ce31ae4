#include "side_by_side_runs.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <numeric>
#include <thread>

namespace flyback {

namespace {

// How often the caller's thread looks at its cancel while no job reports.
constexpr std::chrono::milliseconds kCancelPoll{20};

// What the threads share: the next job to start, each job's share done, and
// whether the caller has cancelled.
struct Shared {
  std::mutex mutex;
  std::condition_variable changed;
  std::size_t next = 0;
  std::size_t ended = 0;
  std::vector<double> done;  // share of each job, 0 .. 1
  std::atomic<bool> stop = false;
};

void Work(const std::vector<SideBySideJob>& jobs, double time_limit_s, Shared& shared) {
  for (;;) {
    std::size_t index = 0;
    {
      const std::lock_guard<std::mutex> lock(shared.mutex);
      if (shared.next == jobs.size()) return;
      index = shared.next++;
    }
    if (!shared.stop) {
      RunControl control;
      control.cancel = &shared.stop;
      control.time_limit_s = time_limit_s;
      control.progress = [&shared, index](double share) {
        const std::lock_guard<std::mutex> lock(shared.mutex);
        shared.done[index] = std::max(shared.done[index], share);
        shared.changed.notify_one();
      };
      jobs[index](control);
    }
    const std::lock_guard<std::mutex> lock(shared.mutex);
    shared.done[index] = 1;
    ++shared.ended;
    shared.changed.notify_one();
  }
}

}  // namespace

void RunSideBySide(const std::vector<SideBySideJob>& jobs, const RunControl& control) {
  Shared shared;
  shared.done.assign(jobs.size(), 0);
  std::vector<std::thread> threads;
  const std::size_t count = std::min<std::size_t>(kSideBySideThreads, jobs.size());
  threads.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    threads.emplace_back(Work, std::cref(jobs), control.time_limit_s, std::ref(shared));
  }
  double told = 0;
  {
    std::unique_lock<std::mutex> lock(shared.mutex);
    while (shared.ended < jobs.size()) {
      shared.changed.wait_for(lock, kCancelPoll);
      if (control.cancelled()) shared.stop = true;
      const double share = std::accumulate(shared.done.begin(), shared.done.end(), 0.0) /
                           static_cast<double>(jobs.size());
      if (control.progress && share > told) {
        told = share;
        // Told without the lock: the caller may take its time.
        lock.unlock();
        control.progress(told);
        lock.lock();
      }
    }
  }
  for (std::thread& t : threads) t.join();
  if (control.progress && told < 1) control.progress(1);
}

}  // namespace flyback
