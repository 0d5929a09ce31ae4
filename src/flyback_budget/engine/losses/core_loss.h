#pragma once

// Core loss of a ferrite by the Steinmetz equation and its improved
// generalized form (iGSE) for the piecewise-linear flux of a flyback. Pure
// functions of plain values: the material coefficients come in as a
// SteinmetzSet, whatever table they were read from.

#include <span>

namespace flyback {

// °C, the core temperature at which the losses are rated unless told
// otherwise: the usual working point of a ferrite power transformer.
inline constexpr double kDefaultCoreTemperature_C = 100;

// One Steinmetz fit of a ferrite: Pv (W/m³) = ct(T)·k·f[Hz]^α·B[T]^β for a
// sinusoidal flux of peak B (half the peak-to-peak swing), with the
// temperature factor ct(T) = ct2·T² − ct1·T + ct0 (T in °C). k and ct0 .. ct2
// are fitted together and only hold as one set.
struct SteinmetzSet {
  double k = 0;      // W/m³ at 1 Hz and 1 T
  double alpha = 0;  // frequency exponent α
  double beta = 0;   // flux exponent β
  double ct0 = 0;    // temperature factor, constant term
  double ct1 = 0;    // 1/°C, linear term (subtracted)
  double ct2 = 0;    // 1/°C², quadratic term
};

// A Steinmetz set and the frequencies it was fitted for (Hz, both edges
// included).
struct SteinmetzRange {
  double f_min_Hz = 0;
  double f_max_Hz = 0;
  SteinmetzSet set;
};

// One straight piece of a flux waveform: the flux density changes by
// delta_B_T (T, either sign) at a constant rate in duration_s (s). A piece
// with delta_B_T = 0 is an idle part.
struct FluxSegment {
  double delta_B_T = 0;
  double duration_s = 0;
};

// The range whose set applies at f_Hz. Rule: among the ranges that contain
// f_Hz (edges included) the one with the lowest f_min_Hz, so a frequency on
// an edge shared by two ranges takes the lower range; outside every range
// the nearest range (distance to its nearer edge), on a tie the lower one.
// `ranges` must not be empty; their order does not matter.
const SteinmetzRange& SteinmetzRangeFor(std::span<const SteinmetzRange> ranges, double f_Hz);

// Temperature factor ct(T) = ct2·T² − ct1·T + ct0 at T_core_C (°C); a fit
// that gives ct ≤ 0 there is not applied (factor 1), as the open magnetics
// library does.
double SteinmetzTemperatureFactor(const SteinmetzSet& set, double T_core_C);

// W/m³, plain Steinmetz Pv = ct(T)·k·f^α·B^β for a sinusoidal flux of
// frequency f_Hz (Hz) and peak B_peak_T (T, half the peak-to-peak swing).
double SineCoreLossDensity(const SteinmetzSet& set, double f_Hz, double B_peak_T,
                           double T_core_C = kDefaultCoreTemperature_C);

// The iGSE coefficient ki = k / ((2π)^(α−1)·2^(β−α)·∫₀^{2π}|cos θ|^α dθ), the
// integral in closed form 2√π·Γ((α+1)/2)/Γ(α/2+1). With it the iGSE of a
// sinusoid equals the plain Steinmetz k·f^α·B^β (Venkatachalam et al., 2002).
double IgseCoefficient(const SteinmetzSet& set);

// W/m³, iGSE for one period of a piecewise-linear flux waveform:
// Pv = ct(T)·ki·ΔB^(β−α)/T · Σ |ΔB_i/t_i|^α·t_i, the period T (s) being the
// sum of the durations and ΔB (T) the peak-to-peak swing of the running sum
// of the changes. Assumes one major loop per period (no minor loops).
double PiecewiseLinearCoreLossDensity(const SteinmetzSet& set,
                                      std::span<const FluxSegment> segments,
                                      double T_core_C = kDefaultCoreTemperature_C);

// W/m³, iGSE of the flyback's flux in discontinuous or boundary operation: it
// rises from 0 to B_max_mT (mT) in t_on_us, falls back to 0 in t_off_us and
// rests at 0 for the remainder of the period period_us (all µs; a period
// shorter than t_on + t_off counts as t_on + t_off). With ΔB = B_max:
// Pv = ct(T)·ki·ΔB^(β−α)/T·[(ΔB/t_on)^α·t_on + (ΔB/t_off)^α·t_off].
double FlybackCoreLossDensity(const SteinmetzSet& set, double B_max_mT, double t_on_us,
                              double t_off_us, double period_us,
                              double T_core_C = kDefaultCoreTemperature_C);

// W, loss of a core of effective volume Ve_mm3 (mm³) at the loss density
// Pv_W_per_m3 (W/m³).
double CoreLoss(double Pv_W_per_m3, double Ve_mm3);

}  // namespace flyback
