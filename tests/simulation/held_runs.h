#pragma once

// A stand-in for the stage run that waits to be released, so that the order
// of events on the simulation's worker thread is the test's.

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>

#include "ngspice_run.h"

namespace flyback {

// Each run reports 70 % done once released, then ends with the failure
// "run <n>" (n counts the runs from 1), "run <n> cancelled" where it was
// told to stop by then.
class HeldRuns {
 public:
  SimulationOutcome Run(const RunControl& control) {
    std::unique_lock<std::mutex> lock(mutex_);
    const int run = ++started_;
    changed_.notify_all();
    changed_.wait(lock, [this, run] { return released_ >= run; });
    lock.unlock();
    control.progress(0.7);
    SimulationOutcome outcome;
    outcome.failure = "run " + std::to_string(run);
    if (*control.cancel) outcome.failure += " cancelled";
    lock.lock();
    ended_ = run;
    changed_.notify_all();
    return outcome;
  }
  void AwaitStarted(int run) {
    std::unique_lock<std::mutex> lock(mutex_);
    ASSERT_TRUE(
        changed_.wait_for(lock, std::chrono::seconds(10), [this, run] { return started_ >= run; }));
  }
  void Release(int run) {
    std::unique_lock<std::mutex> lock(mutex_);
    released_ = run;
    changed_.notify_all();
    ASSERT_TRUE(
        changed_.wait_for(lock, std::chrono::seconds(10), [this, run] { return ended_ >= run; }));
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  int started_ = 0;
  int released_ = 0;
  int ended_ = 0;
};

}  // namespace flyback
