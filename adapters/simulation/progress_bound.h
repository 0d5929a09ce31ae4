#pragma once

// A transient analysis that cannot reach its end time: ngspice goes on
// taking ever smaller steps (a winding of 1e-30 turns has an inductance of
// 1.9e-67 H: about 1 ns a step, 100 times as many as the 80 W demonstration
// takes) or spends ever longer on each, and would run for minutes. Its pace
// tells early: the processor time it has taken for the simulated time it
// has covered, projected to its end time. A sound design keeps an even pace
// (the 80 W demonstration projects 2.9 s at every point of its run).

#include <optional>
#include <string>

namespace flyback {

class ProgressBound {
 public:
  // `stop_s`: the end of the analysis (s); `limit_s`: the processor time
  // (s) the analysis may take.
  ProgressBound(double stop_s, double limit_s) : stop_s_(stop_s), limit_s_(limit_s) {}

  // Told at each accepted step: the simulated time reached (s) and the
  // processor time of the process (s). After a start of kJudgedAfter_s of
  // the analysis, gives the reason to stop where the run, at the pace it
  // has kept, would not end within the limit.
  std::optional<std::string> Step(double time_s, double processor_s);

  // s of processor time before the pace counts: the first steps after the
  // start carry no settled pace.
  static constexpr double kJudgedAfter_s = 0.5;

 private:
  double stop_s_;
  double limit_s_;
  bool started_ = false;
  double start_time_s_ = 0;       // s, simulated time at the first step
  double start_processor_s_ = 0;  // s, processor time at the first step
};

}  // namespace flyback
