#include "engine/losses/winding_loss.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <vector>

#include "base/numbers/rounding.h"
#include "base/numbers/units.h"

namespace flyback {

namespace {

inline constexpr double kCopperResistivityAt20C_ohm_m = 1.724e-8;  // IEC 60028, annealed
inline constexpr double kCopperTemperatureCoefficient_per_K = 0.00393;
inline constexpr double kReferenceTemperature_C = 20;
inline constexpr double kMagneticConstant_H_per_m = 4e-7 * std::numbers::pi;  // μ0
inline constexpr double kEnamelledDiameterFactor = 1.1;

// Below this penetration ratio Dowell's closed form loses digits to
// cancellation and its series is exact to rounding.
inline constexpr double kSeriesPenetration = 1e-2;
// Below this phase x the harmonic's closed form loses digits likewise.
inline constexpr double kSeriesPhase = 0.1;
// Two duties this close, relative to each other, are one worked out twice.
inline constexpr double kSameDuty = 1e-12;
// Absorbs rounding in a ratio that is meant to be a whole number.
inline constexpr double kWholeNumberSlack = 1e-9;

// e^(−Δ), cos Δ and sin Δ of a penetration ratio Δ: e^((−1 + i)·Δ) in its
// decay and its rotation.
struct Phasor {
  double decay, cosine, sine;
};

Phasor PhasorAt(double penetration) {
  return {std::exp(-penetration), std::cos(penetration), std::sin(penetration)};
}

// The phasor of the sum of two penetration ratios.
Phasor Product(const Phasor& a, const Phasor& b) {
  return {a.decay * b.decay, a.cosine * b.cosine - a.sine * b.sine,
          a.sine * b.cosine + a.cosine * b.sine};
}

// The phasors of harmonics 1 to n (at [h − 1]) of a winding whose
// penetration ratio is penetration_1 at the fundamental: Δ grows with √h,
// so harmonic k²·m lies at k times the ratio of harmonic m and its phasor
// is m's to the k-th power, one product from that of harmonic (k − 1)²·m.
// Of the first 50 harmonics 19 need no exponential, sine or cosine of their
// own; rounding grows by about one unit of the last place a product.
std::vector<Phasor> HarmonicPhasors(double penetration_1, std::size_t n) {
  std::vector<Phasor> phasors(n);
  std::vector<bool> known(n + 1, false);  // by harmonic number
  for (std::size_t m = 1; m <= n; ++m) {
    if (known[m]) continue;
    phasors[m - 1] = PhasorAt(penetration_1 * std::sqrt(static_cast<double>(m)));
    for (std::size_t k = 2; k * k * m <= n; ++k) {
      phasors[k * k * m - 1] = Product(phasors[(k - 1) * (k - 1) * m - 1], phasors[m - 1]);
      known[k * k * m] = true;
    }
  }
  return phasors;
}

// Dowell's factor at the penetration ratio Δ with e^((−1 + i)·Δ) = `phasor`.
// The skin term (sinh2Δ + sin2Δ)/(cosh2Δ − cos2Δ) and the proximity term
// (sinhΔ − sinΔ)/(coshΔ + cosΔ) are scaled by 2·e^(−2Δ) and 2·e^(−Δ) so that
// no hyperbolic function overflows; both tend to 1 for large Δ. One phasor
// serves both: e^(−2Δ) = (e^(−Δ))², sin2Δ = 2·sinΔ·cosΔ, cos2Δ = 1 − 2·sin²Δ;
// and one division, each term kept as numerator over denominator.
double DowellFactorAt(double penetration, const Phasor& phasor, int layers) {
  const double m2 = static_cast<double>(layers) * layers;
  if (penetration < kSeriesPenetration) {
    return 1 + (5 * m2 - 1) / 45 * std::pow(penetration, 4);
  }
  const double e1 = phasor.decay;
  const double e2 = e1 * e1;
  const double sine_2 = 2 * phasor.sine * phasor.cosine;
  const double cosine_2 = 1 - 2 * phasor.sine * phasor.sine;
  const double skin = 1 - e2 * e2 + 2 * e2 * sine_2;
  const double skin_denominator = 1 + e2 * e2 - 2 * e2 * cosine_2;
  const double proximity = 1 - e2 - 2 * e1 * phasor.sine;
  const double proximity_denominator = 1 + e2 + 2 * e1 * phasor.cosine;
  const double proximity_weight = 2 * (m2 - 1) / 3;
  return penetration *
         (skin * proximity_denominator + proximity_weight * proximity * skin_denominator) /
         (skin_denominator * proximity_denominator);
}

// D = t_pulse/period, within 0 .. 1.
double PulseDuty(const RampPulse& pulse) {
  if (pulse.period_us <= 0) return 0;
  return std::clamp(pulse.t_pulse_us / pulse.period_us, 0.0, 1.0);
}

// √(x² + 2 − 2·cos x − 2·x·sin x)/x² from x and its cosine and sine, by its
// series √(1/4 − x²/72 + x⁴/2880 − ...) for small x.
double HarmonicShape(double x, double cosine, double sine) {
  const double x2 = x * x;
  if (x < kSeriesPhase) return std::sqrt(0.25 - x2 / 72 + x2 * x2 / 2880);
  return std::sqrt(x2 + 2 - 2 * cosine - 2 * x * sine) / x2;
}

}  // namespace

double CopperResistivity(double T_C) {
  return kCopperResistivityAt20C_ohm_m *
         (1 + kCopperTemperatureCoefficient_per_K * (T_C - kReferenceTemperature_C));
}

double DcResistance(double turns, double MLT_mm, double A_cu_mm2, double T_C) {
  return CopperResistivity(T_C) * turns * MLT_mm * kMetresPerMillimetre /
         (A_cu_mm2 * kSquareMetresPerSquareMillimetre);
}

double SkinDepth(double rho_ohm_m, double f_Hz) {
  return std::sqrt(rho_ohm_m / (std::numbers::pi * f_Hz * kMagneticConstant_H_per_m));
}

double DowellPenetrationRatio(double d_wire_mm, double pitch_mm, double rho_ohm_m, double f_Hz) {
  const double d_per_skin_depth = d_wire_mm * kMetresPerMillimetre / SkinDepth(rho_ohm_m, f_Hz);
  return std::pow(std::numbers::pi / 4, 0.75) * d_per_skin_depth * std::sqrt(d_wire_mm / pitch_mm);
}

double DowellFactor(double penetration, int layers) {
  return DowellFactorAt(penetration, PhasorAt(penetration), layers);
}

double WirePitch(double d_wire_mm) {
  return kEnamelledDiameterFactor * d_wire_mm;
}

int LayerCount(double turns, int parallel_wires, double d_wire_mm, double bobbin_width_mm) {
  const double per_layer =
      std::max(1.0, std::floor(bobbin_width_mm / WirePitch(d_wire_mm) + kWholeNumberSlack));
  const double wires = std::ceil(turns * parallel_wires - kWholeNumberSlack);
  return std::max(1, CountAsInt(std::ceil(wires / per_layer - kWholeNumberSlack)));
}

double RampPulseDc(const RampPulse& pulse) {
  return pulse.I_peak_A * PulseDuty(pulse) / 2;
}

double RampPulseHarmonicRms(const RampPulse& pulse, int h) {
  const double duty = PulseDuty(pulse);
  const double x = 2 * std::numbers::pi * h * duty;
  return std::numbers::sqrt2 * pulse.I_peak_A * duty * HarmonicShape(x, std::cos(x), std::sin(x));
}

RampPulseSpectrum SpectrumOf(const RampPulse& pulse, int harmonics) {
  const double duty = PulseDuty(pulse);
  RampPulseSpectrum spectrum;
  spectrum.dc_per_A = duty / 2;
  spectrum.rms_per_A.reserve(static_cast<std::size_t>(std::max(harmonics, 0)));
  // The phase of harmonic h is h·x1: its cosine and sine follow from those of
  // the harmonic before by a rotation through x1, without a sine or cosine of
  // their own (rounding grows by about one unit of the last place a step).
  const double x1 = 2 * std::numbers::pi * duty;
  const double cosine_1 = std::cos(x1);
  const double sine_1 = std::sin(x1);
  double cosine = cosine_1;
  double sine = sine_1;
  for (int h = 1; h <= harmonics; ++h) {
    spectrum.rms_per_A.push_back(std::numbers::sqrt2 * duty * HarmonicShape(h * x1, cosine, sine));
    const double next_cosine = cosine * cosine_1 - sine * sine_1;
    sine = sine * cosine_1 + cosine * sine_1;
    cosine = next_cosine;
  }
  return spectrum;
}

const RampPulseSpectrum& SpectrumOf(const RampPulse& pulse, int harmonics, KeptSpectrum& kept) {
  const double duty = PulseDuty(pulse);
  const bool same_duty = std::abs(duty - kept.duty) <= kSameDuty * duty;
  if (!same_duty ||
      kept.spectrum.rms_per_A.size() != static_cast<std::size_t>(std::max(harmonics, 0))) {
    kept = {duty, SpectrumOf(pulse, harmonics)};
  }
  return kept.spectrum;
}

double WindingLossPerOhmAndSquareAmpere(int layers, double penetration_at_switching_frequency,
                                        const RampPulseSpectrum& spectrum) {
  const std::vector<Phasor> phasors =
      HarmonicPhasors(penetration_at_switching_frequency, spectrum.rms_per_A.size());
  double factor = spectrum.dc_per_A * spectrum.dc_per_A;
  for (std::size_t i = 0; i < spectrum.rms_per_A.size(); ++i) {
    const double h = static_cast<double>(i + 1);
    const double F_R =
        DowellFactorAt(penetration_at_switching_frequency * std::sqrt(h), phasors[i], layers);
    factor += F_R * spectrum.rms_per_A[i] * spectrum.rms_per_A[i];
  }
  return factor;
}

double WindingLoss(double R_dc_ohm, int layers, double penetration_at_switching_frequency,
                   double I_peak_A, const RampPulseSpectrum& spectrum) {
  return R_dc_ohm * I_peak_A * I_peak_A *
         WindingLossPerOhmAndSquareAmpere(layers, penetration_at_switching_frequency, spectrum);
}

double WindingLoss(double R_dc_ohm, int layers, double penetration_at_switching_frequency,
                   const RampPulse& pulse, int harmonics) {
  return WindingLoss(R_dc_ohm, layers, penetration_at_switching_frequency, pulse.I_peak_A,
                     SpectrumOf(pulse, harmonics));
}

}  // namespace flyback
