#pragma once

// Rating of the output voltages while the magnetization is swept, and the
// bookkeeping that picks the local maxima of the rating.
//
// The turns are whole numbers, so an output reaches only n × U_ts − U_F_sec.
// Each output contributes cos(q × d / (d + 1)), d being its deviation from the
// middle of its window in window widths: 1 in the middle, about 0.866 on a
// window limit, and a further factor 0.1 outside the window. The product over
// all outputs rates one step of the sweep. The factors are multiplied into
// the product one by one, output by output, in this order: neighbouring steps
// often differ in the last bits only, and the order decides which is best.

#include <string_view>

#include "state/design/design_inputs.h"
#include "state/design/transformer_design.h"

namespace flyback {

// Quarter turn to ten digits, as the rating has always used it (rad).
inline constexpr double kQuarterTurn = 1.570796327;

// The product `cf_prod` multiplied by the factors of one output with `n`
// whole-number turns at `U_ts` (V per turn) and the rectifier drop `U_F_sec`
// (V): first the cosine factor, then 0.1 for a voltage below the window and
// 0.1 for one above it. A window of zero width counts a voltage in its
// middle as d = 0 and any other as d = 1.
double RateOutput(double cf_prod, const OutputSpec& out, double n, double U_ts, double U_F_sec);

// Product of the factors of the outputs 1 .. n_sec of the present design.
double AccuracyProduct(const DesignInputs& in, const TransformerDesign& t);

// Displayed accuracy factor: the fourth root of the product, to 0.001.
double DisplayedCfmax(double cf_prod);

// Asterisk graph of a displayed cfmax.
std::string_view AsteriskGraph(double cfmax);

// One step of the sweep: its rating and the values it is listed with.
struct SweepPoint {
  double cf_prod;  // accuracy product, unrounded
  double Bmax;     // mT
  double fsntmin;  // kHz
  double U_ts;     // V per turn
};

// Local maxima of the rating along the sweep. A step is listed when a later
// step rates lower and, since the last listed row, a step rated at least as
// high as its predecessor; a run of equal ratings lists its last step.
class OptimizationSweep {
 public:
  // Local maxima above this lowest frequency end the list unlisted (kHz).
  static constexpr double kHighestListedFrequency = 1000;

  // `start` holds the start value of Bmax and the frequency and voltage per
  // turn of the design present before the sweep; its rating is ignored.
  explicit OptimizationSweep(const SweepPoint& start);

  enum class Outcome {
    kGoOn,       // nothing listed
    kRowListed,  // the preceding step is a new row of the list
    kListEnds,   // the preceding step is a maximum above 1000 kHz
  };

  // Rates the step just calculated against its predecessor, which it then
  // replaces. After kRowListed, listed_row() is the row.
  Outcome Step(const SweepPoint& present);

  const SweepPoint& listed_row() const { return listed_; }
  int rows_listed() const { return rows_listed_; }
  // The best listed row (the earlier one on a tie); before any row, the
  // start values with a rating of 0.
  const SweepPoint& best() const { return best_; }

 private:
  // The preceding step is a local maximum.
  Outcome ClosePeak();

  bool first_step_ = true;
  bool rising_ = false;
  int rows_listed_ = 0;
  SweepPoint previous_;
  SweepPoint listed_;
  SweepPoint best_;
};

}  // namespace flyback
