#include "engine/adviser/ferrite_saturation.h"

#include <algorithm>
#include <array>

namespace flyback {

namespace {

// °C, the two temperatures the makers give the saturation flux at.
constexpr double kRoomTemperature_C = 25;
constexpr double kHotTemperature_C = 100;
// °C, the top of the temperature range the loss fits of the table's
// materials were made for (docs/adviser.md).
constexpr double kLossDataTop_C = 120;

// Saturation at H = 1200 A/m, 10 kHz; least Curie temperature.
constexpr std::array<FerriteLimits, 3> kFerrites = {{
    {"3C90", 470, 380, 220, kLossDataTop_C, "Ferroxcube 3C90 data sheet, 2008-09-01"},
    {"3C95", 530, 410, 215, kLossDataTop_C, "Ferroxcube 3C95 data sheet, 2008-09-01"},
    {"N87", 490, 390, 210, kLossDataTop_C,
     "TDK (EPCOS) SIFERRIT material N87 data sheet, September 2017, material properties"},
}};

}  // namespace

const FerriteLimits& FerriteLimitsFor(std::string_view material) {
  const auto* found = std::find_if(kFerrites.begin(), kFerrites.end(),
                                   [material](const auto& f) { return f.material == material; });
  if (found != kFerrites.end()) return *found;
  return *std::min_element(kFerrites.begin(), kFerrites.end(), [](const auto& a, const auto& b) {
    return a.B_sat_100C_mT < b.B_sat_100C_mT;
  });
}

double SaturationFlux_mT(const FerriteLimits& ferrite, double T_C) {
  if (T_C <= kHotTemperature_C) {
    const double slope_mT_per_K =
        (ferrite.B_sat_100C_mT - ferrite.B_sat_25C_mT) / (kHotTemperature_C - kRoomTemperature_C);
    return ferrite.B_sat_25C_mT + slope_mT_per_K * (T_C - kRoomTemperature_C);
  }
  const double share_left = (ferrite.T_curie_C - T_C) / (ferrite.T_curie_C - kHotTemperature_C);
  return ferrite.B_sat_100C_mT * std::max(0.0, share_left);
}

}  // namespace flyback
