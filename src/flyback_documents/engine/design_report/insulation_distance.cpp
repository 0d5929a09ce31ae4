#include "engine/design_report/insulation_distance.h"

#include <array>
#include <cmath>

namespace flyback {

namespace {

struct CreepageRow {
  double U_V = 0;       // V rms, working voltage
  double basic_mm = 0;  // mm, creepage distance of basic insulation
};

// IEC 60664-1 Table F.4, pollution degree 2, material group III, from 50 V;
// a lower working voltage takes the row of 50 V.
constexpr std::array<CreepageRow, 14> kCreepageRows{{
    {50, 1.2},
    {63, 1.25},
    {80, 1.3},
    {100, 1.4},
    {125, 1.5},
    {160, 1.6},
    {200, 2.0},
    {250, 2.5},
    {320, 3.2},
    {400, 4.0},
    {500, 5.0},
    {630, 6.3},
    {800, 8.0},
    {1000, 10.0},
}};

// Margins are cut to tenths of a millimetre.
constexpr double kMarginStep_mm = 0.1;

}  // namespace

std::optional<double> BasicCreepage_mm(double U_V) {
  if (U_V <= kCreepageRows.front().U_V) return kCreepageRows.front().basic_mm;
  for (std::size_t i = 1; i < kCreepageRows.size(); ++i) {
    const CreepageRow& low = kCreepageRows[i - 1];
    const CreepageRow& high = kCreepageRows[i];
    if (U_V <= high.U_V) {
      return low.basic_mm + (high.basic_mm - low.basic_mm) * (U_V - low.U_V) / (high.U_V - low.U_V);
    }
  }
  return std::nullopt;
}

std::optional<double> ReinforcedMargin_mm(double U_V) {
  const std::optional<double> basic = BasicCreepage_mm(U_V);
  if (!basic) return std::nullopt;
  // Reinforced: twice the basic distance, shared by the two margins.
  return std::ceil(*basic / kMarginStep_mm - 1e-9) * kMarginStep_mm;
}

}  // namespace flyback
