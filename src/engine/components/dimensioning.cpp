#include "components/dimensioning.h"

#include <numbers>

#include "components/catalogue_lookup.h"
#include "components/ic_network.h"
#include "components/opto_divider.h"
#include "components/selection_rules.h"
#include "components/step_lists.h"

namespace flyback {

namespace {

constexpr double kSqrt2 = std::numbers::sqrt2;

// Mains current (A) that the fuse and the filter choke carry: for DC input the
// DC current, P_in_max over the DC minimum voltage.
double MainsLineCurrent(const DesignState& s, double factor) {
  const double I = factor * s.P_in_max / s.U_mains_min;
  return s.dc_input ? I / kSqrt2 : I;
}

void DimensionMosfet(DesignState& s) {
  const MosfetRow& mosfet = select_mosfet(s.U_D_lim, s.I_D_max_fix);
  s.txt_T01 = mosfet.txt_T01;
  s.mosfet_name = mosfet.mosfet_name;
  s.R_DSon = mosfet.R_DSon;
  s.C_iss = mosfet.C_iss;
}

void DimensionPfcChoke(DesignState& s) {
  const PfcChokeChoice choke = select_pfc_choke(s.L_prim, s.I_mains_max);
  s.L08 = choke.L08;
  s.I_L08 = choke.I_L08;
  s.txt_L08 = choke.txt_L08;
}

// Bulk capacitor C07: 125 µF per A of mains current, and a voltage rating
// above the highest bus voltage.
void DimensionBulkCapacitor(DesignState& s) {
  const double C07_need = 125 * s.P_in_max / s.U_mains_min;  // µF
  s.C07 = FirstStepNotBelow(kBulkCapacitances, C07_need);
  s.U_bus_max = kSqrt2 * s.U_mains_max * s.k_U;
  s.U_C07 = FirstStepNotBelow(kBulkCapacitorVoltages, s.U_bus_max);
}

// Opto divider for an adjustment range of -20 % to +10 % around the nominal
// opto-regulated voltage, with a 2 kOhm trimmer.
void DimensionOptoDivider(DesignState& s) {
  s.U1rmin = 0.8 * s.U_opto;
  s.U1rmax = 1.1 * s.U_opto;
  s.P60 = 2;
  s.U_ref = kShuntReference;
  const OptoDivider divider = dimension_opto_divider(s.U1rmin, s.U1rmax, s.P60, s.U_ref);
  s.R60 = divider.R60;
  s.R65 = divider.R65;
}

}  // namespace

void dimension_components(DesignState& s) {
  // The inrush thermistor sees the mains current as it is, also for DC input.
  const double I_ntc = s.P_in_max / s.U_mains_min;  // A
  s.txt_R01 = select_ntc(I_ntc);
  s.R11 = 30;
  s.I_fuse = MainsLineCurrent(s, 1.5);
  s.F01 = FirstStepNotBelow(kFuseRatings, s.I_fuse);
  s.I_filter = MainsLineCurrent(s, 1);
  s.txt_L01 = select_filter_choke(s.I_filter);
  DimensionMosfet(s);
  s.txt_D01_04 = select_bridge(s.PFC, s.filter_answer, s.I_in_avg);
  DimensionPfcChoke(s);
  s.txt_D08 = select_pfc_diode(s.I_D_max);
  DimensionBulkCapacitor(s);
  if (s.ic_type == 1) dimension_pwx_network(s);
  if (s.ic_type == 2) dimension_qrm_network(s);
  if (s.opto_reg == "1") DimensionOptoDivider(s);
}

}  // namespace flyback
