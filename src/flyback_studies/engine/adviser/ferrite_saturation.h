#pragma once

// The saturation flux density of the power ferrites over temperature and the
// temperature up to which their loss data hold: the limits the core adviser
// holds a candidate's peak flux and hot spot against. docs/adviser.md gives
// the makers' figures and why the curve is drawn as it is.

#include <string_view>

namespace flyback {

struct FerriteLimits {
  std::string_view material;  // "N87"
  double B_sat_25C_mT;        // mT, saturation flux density at 25 °C
  double B_sat_100C_mT;       // mT, at 100 °C
  double T_curie_C;           // °C, the least Curie temperature the maker states
  // °C, the hottest core the Steinmetz fit's temperature factor was fitted
  // for; above it the fit extrapolates.
  double T_loss_data_max_C;
  std::string_view source;
};

// The limits of the ferrite named `material`; for a ferrite the table does
// not know, those of the grade with the least saturation flux.
const FerriteLimits& FerriteLimitsFor(std::string_view material);

// mT, the saturation flux density at T_C (°C): the straight line through the
// maker's figures at 25 °C and 100 °C up to 100 °C (and below 25 °C), then a
// straight line from the 100 °C figure down to 0 at the Curie temperature.
double SaturationFlux_mT(const FerriteLimits& ferrite, double T_C);

}  // namespace flyback
