#include "engine/components/opto_divider.h"

#include "base/console/number_text.h"
#include "base/numbers/rounding.h"
#include "engine/components/standard_values.h"

namespace flyback {

OptoDivider dimension_opto_divider(double U1rmin, double U1rmax, double P60, double U_ref) {
  const double R60 = round_e24((U1rmin - U_ref) * P60 / (U1rmax - U1rmin));
  const double R65 = round_e24((U1rmax - U_ref) * R60 / U_ref);
  return {R60, R65};
}

OptoRange RealOptoRange(double U_ref, double R60, double R65, double P60) {
  return {RoundTo(U_ref * (R65 + P60 + R60) / (P60 + R60), 1),
          RoundTo(U_ref * (R65 + R60) / R60, 1)};
}

}  // namespace flyback
