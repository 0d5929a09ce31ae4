#include "engine/loop/compensator_design.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/components/standard_values.h"

namespace flyback {

namespace {

constexpr double kMaxBoost_deg = 89;
constexpr double kRadiansPerDegree = std::numbers::pi / 180;
// nF of a corner at f Hz with R kOhm: 1e6/(2π·f·R).
constexpr double kNanofaradKiloOhmHertz = 1e6;

double CapacitanceFor_nF(double f_Hz, double R_kOhm) {
  return kNanofaradKiloOhmHertz / (2 * std::numbers::pi * f_Hz * R_kOhm);
}

OptoCompensator Rounded(const OptoCompensator& c) {
  OptoCompensator r = c;
  if (c.R_z_kOhm > 0) r.R_z_kOhm = round_e24(c.R_z_kOhm);
  r.C_z_nF = round_e24(c.C_z_nF);
  if (c.C_pole_nF > 0) r.C_pole_nF = round_e24(c.C_pole_nF);
  return r;
}

}  // namespace

CompensatorDesign DesignCompensator(const PowerStageModel& plant, double crossover_Hz, double CTR,
                                    double U_out_V, double R_up_kOhm, const LoopAssumptions& a) {
  CompensatorDesign d;
  d.crossover_Hz = crossover_Hz;
  d.phase_margin_deg = a.phase_margin_deg;
  const GainPhase h = PowerStageResponse(plant, crossover_Hz);
  d.boost_deg = std::clamp(a.phase_margin_deg - h.phase_deg - 90, 0.0, kMaxBoost_deg);
  d.k = std::tan((d.boost_deg / 2 + 45) * kRadiansPerDegree);
  const double f_z = crossover_Hz / d.k;
  const double f_p = crossover_Hz * d.k;

  OptoCompensator& c = d.exact;
  c.R_up_kOhm = R_up_kOhm;
  d.R_LED_max_kOhm = LedResistorMax_kOhm(U_out_V, a);
  c.R_LED_kOhm = round_down_e12(d.R_LED_max_kOhm);
  c.C_pole_nF = CapacitanceFor_nF(f_p, a.R_pullup_kOhm) - a.C_opto_nF;
  d.opto_pole_too_low = c.C_pole_nF <= 0;
  if (d.opto_pole_too_low) c.C_pole_nF = 0;

  // The gain at f_c with R_z = 0, with the zero where it is wanted; R_z
  // raises it by (R_up + R_z)/R_up.
  c.C_z_nF = CapacitanceFor_nF(f_z, R_up_kOhm);
  const double without_R_z_dB = IdealRegulatorCompensatorResponse(c, CTR, a, crossover_Hz).gain_dB;
  const double wanted_rise = std::pow(10, (-h.gain_dB - without_R_z_dB) / 20);
  d.fast_lane_too_strong = wanted_rise < 1;
  c.R_z_kOhm = d.fast_lane_too_strong ? 0 : R_up_kOhm * (wanted_rise - 1);
  c.C_z_nF = CapacitanceFor_nF(f_z, R_up_kOhm + c.R_z_kOhm);
  d.rounded = Rounded(c);
  return d;
}

}  // namespace flyback
