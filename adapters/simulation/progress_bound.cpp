#include "progress_bound.h"

#include "base/console/number_text.h"
#include "base/numbers/rounding.h"

namespace flyback {

std::optional<std::string> ProgressBound::Step(double time_s, double processor_s) {
  if (!started_) {
    started_ = true;
    start_time_s_ = time_s;
    start_processor_s_ = processor_s;
    return std::nullopt;
  }
  const double spent_s = processor_s - start_processor_s_;
  if (spent_s < kJudgedAfter_s) return std::nullopt;
  const double covered_s = time_s - start_time_s_;
  const double whole_s = stop_s_ - start_time_s_;
  // spent / covered * whole > limit, without dividing by a span of 0.
  if (spent_s * whole_s <= limit_s_ * covered_s) return std::nullopt;
  std::string why =
      "the analysis cannot reach its end time: " + NumberText(RoundTo(time_s * 1e6, 3)) +
      " us of " + NumberText(RoundTo(stop_s_ * 1e6, 1)) + " us simulated in " +
      NumberText(RoundTo(spent_s, 1)) + " s";
  if (covered_s > 0) {
    why += ", about " + NumberText(RoundTo(spent_s * whole_s / covered_s, 0)) + " s at this pace";
  }
  return why + " (limit " + NumberText(limit_s_) + " s of processor time)";
}

}  // namespace flyback
