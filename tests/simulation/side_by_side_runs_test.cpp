// Runs side by side with stand-ins for the runs of ngspice: the progress of
// all of them on the caller's thread, never going back and ending at 1; the
// caller's cancel reaches every run going, and the runs not yet started are
// dropped.

#include "side_by_side_runs.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <thread>
#include <vector>

namespace flyback {
namespace {

// Waits for `control`'s cancel, at most a few seconds; whether it came.
bool AwaitCancel(const RunControl& control) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (std::chrono::steady_clock::now() < end) {
    if (control.cancelled()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return false;
}

TEST(SideBySideRuns, ProgressOnTheCallersThreadNeverGoesBack) {
  constexpr int kJobs = 5;
  std::atomic<int> ran = 0;
  std::vector<SideBySideJob> jobs(kJobs, [&ran](const RunControl& control) {
    for (const double share : {0.25, 0.5, 1.0}) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      control.progress(share);
    }
    ++ran;
  });
  const std::thread::id caller = std::this_thread::get_id();
  std::vector<double> told;
  bool elsewhere = false;
  RunControl control;
  control.progress = [&](double share) {
    elsewhere = elsewhere || std::this_thread::get_id() != caller;
    told.push_back(share);
  };
  RunSideBySide(jobs, control);
  EXPECT_EQ(ran, kJobs);
  EXPECT_FALSE(elsewhere);
  ASSERT_FALSE(told.empty());
  for (std::size_t i = 1; i < told.size(); ++i) EXPECT_GE(told[i], told[i - 1]) << i;
  EXPECT_EQ(told.back(), 1);
}

TEST(SideBySideRuns, TheCallersCancelReachesEveryRun) {
  std::atomic<bool> cancel = false;
  std::atomic<int> started = 0;
  std::atomic<int> cancelled = 0;
  // Two runs that wait for each other to start, then for the cancel that
  // another thread sets while both run; a third that comes too late.
  std::vector<SideBySideJob> jobs(3, [&](const RunControl& control) {
    if (++started == 2) cancel = true;
    cancelled += AwaitCancel(control) ? 1 : 0;
  });
  RunControl control;
  control.cancel = &cancel;
  RunSideBySide(jobs, control);
  EXPECT_EQ(started, 2);
  EXPECT_EQ(cancelled, 2);
}

}  // namespace
}  // namespace flyback
