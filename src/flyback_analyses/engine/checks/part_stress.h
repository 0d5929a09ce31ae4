#pragma once

// Every rated part of the component list that the loss budget stresses,
// against its rating less a derating margin: the worst stress over the
// budget's operating points, the rating the list gives the part, and the
// share of it a long-lived design uses at most. docs/losses.md names each
// rule and its source.

#include <string>
#include <string_view>
#include <vector>

#include "engine/checks/design_checks.h"
#include "engine/losses/loss_budget.h"

namespace flyback {

// Shares of a rating a part may use in steady operation.
inline constexpr double kMosfetVoltageDerating = 0.9;     // drain peak, spike included
inline constexpr double kResistorPowerDerating = 0.6;     // dissipation
inline constexpr double kFilmCapacitorDerating = 0.7;     // voltage, film and ceramic
inline constexpr double kRectifierVoltageDerating = 0.8;  // reverse voltage

struct PartStress {
  std::string part;      // designator: "T01", "R11", ...
  std::string quantity;  // "drain voltage", "power", "voltage", "reverse voltage"
  std::string unit;      // "V", "W"
  double stress = 0;     // the worst over the operating points
  std::string point;     // the operating point of the worst stress
  double rating = 0;     // the list's rating of the part
  double derating = 1;   // share of the rating allowed

  double DeratedLimit() const { return derating * rating; }
};

// V, the voltage class of the MOSFET `type` of the catalogue; 0 where the
// catalogue does not know the type.
double MosfetRating_V(const std::string& type);

// The stresses of the parts of design `s` that the budget can tell; the
// network of a design with PFC is not modelled and adds none.
std::vector<PartStress> PartStresses(const DesignState& s, const LossBudget& budget);

// The stress that governs the part `designator` among `stresses`, the one
// nearest its derated limit (the highest share of it: stresses of other
// units compare only so), the first of equal ones; one that is not a figure
// governs, so that it is not hidden behind a finite one. Null where the part
// has none.
const PartStress* GoverningStress(const std::vector<PartStress>& stresses,
                                  std::string_view designator);

// A warning for every part beyond its derated rating.
std::vector<Finding> CheckPartStresses(const std::vector<PartStress>& stresses);

}  // namespace flyback
