#pragma once

// Runs of ngspice shared out over a few threads, each run in a worker
// process of its own, so that a machine's cores work on a simulation's
// points at once. The progress of all of them is told on the caller's
// thread, as RunControl has it.

#include <functional>
#include <vector>

#include "ngspice_run.h"

namespace flyback {

// Threads that run side by side: the cores of the 2-core machine the run
// time is set for.
inline constexpr int kSideBySideThreads = 2;

// One or more runs of ngspice under `control` (its progress 0 .. 1 told on
// the thread that runs it).
using SideBySideJob = std::function<void(const RunControl& control)>;

// Runs the `jobs`, kSideBySideThreads at a time, started in the order
// given; each job's share of the progress is equal. `control`'s progress is
// told on the caller's thread, never going back, and 1 once every job has
// ended; its cancel stops every run going, and the jobs not yet started
// are dropped. Returns once every job has ended or been dropped.
void RunSideBySide(const std::vector<SideBySideJob>& jobs, const RunControl& control);

}  // namespace flyback
