#include "engine/efficiency/map_terms.h"

#include <string>

namespace flyback {

std::vector<LossTerm> LossTermsOf(const MapPoint& point) {
  const OperatingPointLosses& stage = point.stage;
  std::vector<LossTerm> terms;
  if (stage.core_W) terms.push_back({"core", *stage.core_W});
  for (const WindingLossTerm& w : stage.windings) terms.push_back({"winding " + w.winding, w.P_W});
  terms.push_back({"MOSFET conduction", stage.mosfet_conduction_W});
  terms.push_back({"MOSFET turn-on", stage.mosfet_turn_on_W});
  terms.push_back({"MOSFET turn-off", stage.mosfet_turn_off_W});
  terms.push_back({"clamp", stage.clamp.P_W});
  for (const OutputDiodeTerm& d : stage.output_diodes) {
    terms.push_back({"rectifier output " + std::to_string(d.output), d.P_W});
  }
  for (const OutputCapacitorTerm& c : stage.output_capacitors) {
    terms.push_back({"capacitor output " + std::to_string(c.output), c.P_W});
  }
  terms.push_back({"IC supply diode", stage.ic_diode_W});
  terms.push_back({"control IC", stage.controller_W});
  terms.push_back({"bridge rectifier", stage.bridge_W});
  for (const StandingLoss& loss : point.standing.bus) terms.push_back({loss.name, loss.P_W});
  for (const StandingLoss& loss : point.standing.output) terms.push_back({loss.name, loss.P_W});
  return terms;
}

}  // namespace flyback
