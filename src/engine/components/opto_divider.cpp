#include "components/opto_divider.h"

#include "components/standard_values.h"

namespace flyback {

OptoDivider dimension_opto_divider(double U1rmin, double U1rmax, double P60, double U_ref) {
  const double R60 = round_e24((U1rmin - U_ref) * P60 / (U1rmax - U1rmin));
  const double R65 = round_e24((U1rmax - U_ref) * R60 / U_ref);
  return {R60, R65};
}

}  // namespace flyback
