#include "engine/transformer/optimization_rating.h"

#include <array>
#include <cmath>

#include "base/console/number_text.h"
#include "base/numbers/rounding.h"

namespace flyback {

namespace {

struct GraphStep {
  double above;  // the displayed cfmax exceeds this (strictly)
  std::string_view graph;
};

// Greatest threshold first. Above 0.91 the graph stays at nine asterisks.
constexpr std::array<GraphStep, 17> kGraph = {{
    {0.99, "*****************"},
    {0.98, "****************"},
    {0.97, "***************"},
    {0.96, "**************"},
    {0.95, "*************"},
    {0.94, "************"},
    {0.93, "***********"},
    {0.92, "**********"},
    {0.91, "*********"},
    {0.9, "*********"},
    {0.8, "********"},
    {0.7, "*******"},
    {0.6, "******"},
    {0.5, "*****"},
    {0.4, "****"},
    {0.3, "***"},
    {0.2, "**"},
}};

constexpr std::string_view kLowestGraph = "*";

// Factor of an output whose voltage lies outside its window.
constexpr double kOutsideWindow = 0.1;

// Deviation from the middle of the window in window widths.
double RelativeDeviation(double Uact, double Umid, double width) {
  if (width == 0) return Uact == Umid ? 0 : 1;
  return std::fabs(Uact - Umid) / width;
}

}  // namespace

double RateOutput(double cf_prod, const OutputSpec& out, double n, double U_ts, double U_F_sec) {
  const double Umid = (out.Umax + out.Umin) * 0.5;
  const double Uact = n * U_ts - U_F_sec;
  const double d = RelativeDeviation(Uact, Umid, std::fabs(out.Umax - out.Umin));
  // Only a deviation of billions of window widths takes the angle past the
  // quarter turn; such an output counts as 0.
  cf_prod *= std::fmax(std::cos(kQuarterTurn * d / (d + 1)), 0.0);
  if (Uact < out.Umin) cf_prod *= kOutsideWindow;
  if (Uact > out.Umax) cf_prod *= kOutsideWindow;
  return cf_prod;
}

double AccuracyProduct(const DesignInputs& in, const TransformerDesign& t) {
  double cf_prod = 1;
  for (int i = 1; i <= in.n_sec; ++i) {
    cf_prod = RateOutput(cf_prod, in.output(i), t.n_out(i), t.U_ts, in.U_F_sec);
  }
  return cf_prod;
}

double DisplayedCfmax(double cf_prod) {
  return RoundTo(std::pow(cf_prod, 0.25), 3);
}

std::string_view AsteriskGraph(double cfmax) {
  for (const GraphStep& step : kGraph) {
    if (cfmax > step.above) return step.graph;
  }
  return kLowestGraph;
}

OptimizationSweep::OptimizationSweep(const SweepPoint& start)
    : previous_{1, start.Bmax, start.fsntmin, start.U_ts},
      listed_{},
      best_{0, start.Bmax, start.fsntmin, start.U_ts} {}

OptimizationSweep::Outcome OptimizationSweep::Step(const SweepPoint& present) {
  Outcome outcome = Outcome::kGoOn;
  if (!first_step_) {
    if (present.cf_prod >= previous_.cf_prod) {
      rising_ = true;
    } else if (rising_) {
      outcome = ClosePeak();
    }
  }
  previous_ = present;
  first_step_ = false;
  return outcome;
}

OptimizationSweep::Outcome OptimizationSweep::ClosePeak() {
  rising_ = false;
  if (previous_.fsntmin > kHighestListedFrequency) return Outcome::kListEnds;
  listed_ = previous_;
  ++rows_listed_;
  if (listed_.cf_prod > best_.cf_prod) best_ = listed_;
  return Outcome::kRowListed;
}

}  // namespace flyback
