#include "engine/checks/part_stress.h"

#include <cmath>
#include <functional>
#include <limits>

#include "base/console/number_text.h"
#include "base/numbers/rounding.h"
#include "engine/components/mosfet_catalogue.h"

namespace flyback {

namespace {

// V, C09 of the list: 220 pF, 1000 V.
inline constexpr double kDrainCapacitorRating_V = 1000;

// The largest of `figure` over the points that have it, with the point.
struct Worst {
  double value = 0;
  std::string point;
};

Worst WorstOf(const LossBudget& budget,
              const std::function<double(const OperatingPointLosses&)>& figure) {
  Worst worst;
  for (const OperatingPointLosses* p : budget.points()) {
    const double value = figure(*p);
    if (worst.point.empty() || value > worst.value) worst = {value, p->name};
  }
  return worst;
}

// The share of its derated limit the stress uses; one that is not a figure
// counts as the highest.
double LimitShare(const PartStress& p) {
  const double share = p.stress / p.DeratedLimit();
  return std::isnan(share) ? std::numeric_limits<double>::infinity() : share;
}

}  // namespace

double MosfetRating_V(const std::string& type) {
  for (const MosfetRow& row : kMosfets) {
    if (row.proposal.part == type) return row.U_D_lim_max;
  }
  return 0;
}

std::vector<PartStress> PartStresses(const DesignState& s, const LossBudget& budget) {
  std::vector<PartStress> stresses;
  const auto add = [&stresses](std::string part, std::string quantity, std::string unit,
                               const Worst& worst, double rating, double derating) {
    if (rating > 0) {
      stresses.push_back({std::move(part), std::move(quantity), std::move(unit), worst.value,
                          worst.point, rating, derating});
    }
  };
  const Worst drain = WorstOf(budget, [](const OperatingPointLosses& p) { return p.drain_peak_V; });
  add("T01", "drain voltage", "V", drain, MosfetRating_V(s.components.mosfet),
      kMosfetVoltageDerating);
  add("C09", "voltage", "V", drain, kDrainCapacitorRating_V, kFilmCapacitorDerating);
  const ClampNetwork& clamp = budget.clamp;
  add(clamp.resistor, "power", "W",
      WorstOf(budget, [](const OperatingPointLosses& p) { return p.clamp.P_W; }), clamp.R_rating_W,
      kResistorPowerDerating);
  add(clamp.capacitor, "voltage", "V",
      WorstOf(budget, [](const OperatingPointLosses& p) { return p.clamp.U_clamp_V; }),
      clamp.C_rating_V, kFilmCapacitorDerating);
  // While the switch conducts, the diode's anode lies at 0 and its cathode at
  // the bus plus what the capacitor has kept.
  add(clamp.diode, "reverse voltage", "V",
      WorstOf(
          budget,
          [](const OperatingPointLosses& p) { return p.switching.U_bus_V + p.clamp.U_start_V; }),
      clamp.D_rating_V, kRectifierVoltageDerating);
  return stresses;
}

const PartStress* GoverningStress(const std::vector<PartStress>& stresses,
                                  std::string_view designator) {
  const PartStress* governing = nullptr;
  for (const PartStress& p : stresses) {
    if (p.part != designator) continue;
    if (governing == nullptr || LimitShare(p) > LimitShare(*governing)) governing = &p;
  }
  return governing;
}

std::vector<Finding> CheckPartStresses(const std::vector<PartStress>& stresses) {
  std::vector<Finding> findings;
  for (const PartStress& p : stresses) {
    if (!(p.stress > p.DeratedLimit())) continue;
    findings.push_back({Severity::kWarning,
                        "part-stress-high",
                        {Quantity::kPartStress},
                        p.stress,
                        p.DeratedLimit(),
                        p.part + ": " + p.quantity + " " + NumberText(RoundTo(p.stress, 2)) + " " +
                            p.unit + " at the " + p.point + ", above " +
                            NumberText(RoundTo(p.DeratedLimit(), 2)) + " " + p.unit + " (" +
                            NumberText(100 * p.derating) + " % of its " + NumberText(p.rating) +
                            " " + p.unit + ")"});
  }
  return findings;
}

}  // namespace flyback
