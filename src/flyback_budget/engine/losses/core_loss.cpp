#include "engine/losses/core_loss.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "base/numbers/units.h"

namespace flyback {

namespace {

// Hz, how far f_Hz lies outside the range; 0 inside it.
double DistanceOutside(const SteinmetzRange& range, double f_Hz) {
  if (f_Hz < range.f_min_Hz) return range.f_min_Hz - f_Hz;
  if (f_Hz > range.f_max_Hz) return f_Hz - range.f_max_Hz;
  return 0;
}

// ∫₀^{2π} |cos θ|^α dθ = 2√π·Γ((α+1)/2)/Γ(α/2+1): 2π at α = 0, 4 at α = 1,
// π at α = 2.
double CosinePowerIntegral(double alpha) {
  return 2 * std::sqrt(std::numbers::pi) * std::tgamma((alpha + 1) / 2) /
         std::tgamma(alpha / 2 + 1);
}

}  // namespace

const SteinmetzRange& SteinmetzRangeFor(std::span<const SteinmetzRange> ranges, double f_Hz) {
  // The nearest range wins; among equally near ones (every range containing
  // f_Hz is at distance 0) the lower one.
  const auto nearer = [f_Hz](const SteinmetzRange& a, const SteinmetzRange& b) {
    const double da = DistanceOutside(a, f_Hz);
    const double db = DistanceOutside(b, f_Hz);
    return da != db ? da < db : a.f_min_Hz < b.f_min_Hz;
  };
  return *std::min_element(ranges.begin(), ranges.end(), nearer);
}

double SteinmetzTemperatureFactor(const SteinmetzSet& set, double T_core_C) {
  const double ct = set.ct2 * T_core_C * T_core_C - set.ct1 * T_core_C + set.ct0;
  return ct > 0 ? ct : 1;
}

double SineCoreLossDensity(const SteinmetzSet& set, double f_Hz, double B_peak_T, double T_core_C) {
  return SteinmetzTemperatureFactor(set, T_core_C) * set.k * std::pow(f_Hz, set.alpha) *
         std::pow(B_peak_T, set.beta);
}

double IgseCoefficient(const SteinmetzSet& set) {
  return set.k / (std::pow(2 * std::numbers::pi, set.alpha - 1) *
                  std::pow(2.0, set.beta - set.alpha) * CosinePowerIntegral(set.alpha));
}

double PiecewiseLinearCoreLossDensity(const SteinmetzSet& set,
                                      std::span<const FluxSegment> segments, double T_core_C) {
  double period_s = 0;
  double B_T = 0;  // running flux density, from 0 at the start of the period
  double B_lowest_T = 0;
  double B_highest_T = 0;
  double rate_sum = 0;  // Σ |ΔB_i/t_i|^α·t_i, T^α·s^(1−α)
  for (const FluxSegment& segment : segments) {
    if (segment.duration_s <= 0) continue;
    period_s += segment.duration_s;
    B_T += segment.delta_B_T;
    B_lowest_T = std::min(B_lowest_T, B_T);
    B_highest_T = std::max(B_highest_T, B_T);
    rate_sum +=
        std::pow(std::abs(segment.delta_B_T) / segment.duration_s, set.alpha) * segment.duration_s;
  }
  if (period_s <= 0) return 0;
  const double swing_T = B_highest_T - B_lowest_T;
  return SteinmetzTemperatureFactor(set, T_core_C) * IgseCoefficient(set) *
         std::pow(swing_T, set.beta - set.alpha) * rate_sum / period_s;
}

double FlybackCoreLossDensity(const SteinmetzSet& set, double B_max_mT, double t_on_us,
                              double t_off_us, double period_us, double T_core_C) {
  const double B_max_T = B_max_mT * kTeslaPerMillitesla;
  const double idle_us = std::max(0.0, period_us - t_on_us - t_off_us);
  const std::array<FluxSegment, 3> period{{
      {B_max_T, t_on_us * kSecondsPerMicrosecond},
      {-B_max_T, t_off_us * kSecondsPerMicrosecond},
      {0, idle_us * kSecondsPerMicrosecond},
  }};
  return PiecewiseLinearCoreLossDensity(set, period, T_core_C);
}

double CoreLoss(double Pv_W_per_m3, double Ve_mm3) {
  return Pv_W_per_m3 * Ve_mm3 * kCubicMetresPerCubicMillimetre;
}

}  // namespace flyback
