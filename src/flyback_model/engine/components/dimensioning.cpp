#include "engine/components/dimensioning.h"

#include "engine/components/catalogue_lookup.h"
#include "engine/components/ic_network.h"
#include "engine/components/opto_divider.h"
#include "engine/components/selection_rules.h"
#include "engine/components/step_lists.h"
#include "engine/inputs/mains.h"

namespace flyback {

namespace {

constexpr double kR11 = 30;             // kOhm, resistor of the snubber of designs without PFC
constexpr double kFuseMargin = 1.5;     // fuse current over the mains current
constexpr double kBulkPerAmpere = 125;  // µF of bulk capacitance per A of mains current

// Opto divider: an adjustment range of -20 % to +10 % around the nominal
// opto-regulated voltage, with a 2 kOhm trimmer.
constexpr double kOptoRangeLow = 0.8;
constexpr double kOptoRangeHigh = 1.1;
constexpr double kOptoTrimmer = 2;  // kOhm

// Mains current (A) that the fuse and the filter choke carry: for DC input the
// DC current, P_in_max over the DC minimum voltage.
double MainsLineCurrent(const DesignInputs& in, double factor) {
  const double I = factor * in.P_in_max / in.U_mains_min;
  return in.dc_input ? I / kSineCrestFactor : I;
}

void DimensionMosfet(const DesignInputs& in, const TransformerDesign& t, ComponentValues& c) {
  const MosfetRow& mosfet = select_mosfet(in.U_D_lim, t.I_D_max_fix);
  c.mosfet = mosfet.proposal.part;
  c.R_DSon = mosfet.R_DSon;
  c.C_iss = mosfet.C_iss;
}

void DimensionPfcChoke(const TransformerDesign& t, ComponentValues& c) {
  const PfcChokeChoice choke = select_pfc_choke(t.L_prim, t.I_mains_max);
  c.L08 = choke.L08;
  c.I_L08 = choke.I_L08;
}

// Bulk capacitor C07 for the mains current, with a voltage rating above the
// highest bus voltage.
void DimensionBulkCapacitor(const DesignInputs& in, ComponentValues& c) {
  const double C07_need = kBulkPerAmpere * in.P_in_max / in.U_mains_min;  // µF
  c.C07 = FirstStepNotBelow(kBulkCapacitances, C07_need);
  c.U_C07 = FirstStepNotBelow(kBulkCapacitorVoltages, BusVoltageMax(in.U_mains_max, in.k_U));
}

void DimensionOptoDivider(const DesignInputs& in, ComponentValues& c) {
  c.U1rmin = kOptoRangeLow * in.U_opto;
  c.U1rmax = kOptoRangeHigh * in.U_opto;
  c.P60 = kOptoTrimmer;
  SetOptoDivider(c);
}

}  // namespace

void SetOptoDivider(ComponentValues& c) {
  c.U_ref = kShuntReference;
  const OptoDivider divider = dimension_opto_divider(c.U1rmin, c.U1rmax, c.P60, c.U_ref);
  c.R60 = divider.R60;
  c.R65 = divider.R65;
}

ComponentValues dimension_components(const DesignState& design) {
  const DesignInputs& in = design.inputs;
  const TransformerDesign& t = design.transformer;
  // What this run does not dimension for the design keeps its value.
  ComponentValues c = design.components;
  // The inrush thermistor sees the mains current as it is, also for DC input.
  c.I_ntc = in.P_in_max / in.U_mains_min;
  c.R11 = kR11;
  c.I_fuse = MainsLineCurrent(in, kFuseMargin);
  c.F01 = FirstStepNotBelow(kFuseRatings, c.I_fuse);
  c.I_filter = MainsLineCurrent(in, 1);
  DimensionMosfet(in, t, c);
  DimensionPfcChoke(t, c);
  DimensionBulkCapacitor(in, c);
  if (in.ic_type == ControlIc::kPwx) dimension_pwx_network(in, t, c);
  if (in.ic_type == ControlIc::kQrm) dimension_qrm_network(in, t, c);
  if (in.opto_reg) DimensionOptoDivider(in, c);
  return c;
}

}  // namespace flyback
