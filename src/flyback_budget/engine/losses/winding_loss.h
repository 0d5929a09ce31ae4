#pragma once

// Copper loss of a round-wire winding carrying the flyback's pulsed current:
// DC resistance at the winding temperature, the AC resistance factor of
// Dowell's one-dimensional model for each harmonic of the current, and the
// harmonics of a ramp pulse in closed form. Pure functions of plain values.

#include <vector>

namespace flyback {

// °C, the winding temperature at which the copper loss is rated unless told
// otherwise.
inline constexpr double kDefaultWindingTemperature_C = 100;

// Ω·m, resistivity of annealed copper at T_C (°C): ρ = ρ20·(1 + α·(T − 20))
// with ρ20 = 1.724e-8 Ω·m (IEC 60028) and α = 0.00393/K.
double CopperResistivity(double T_C);

// Ω, DC resistance of a winding of `turns` turns of mean length MLT_mm (mm)
// with the copper cross-section A_cu_mm2 (mm², all parallel wires together)
// at T_C (°C): R = ρ(T)·N·MLT/A.
double DcResistance(double turns, double MLT_mm, double A_cu_mm2,
                    double T_C = kDefaultWindingTemperature_C);

// m, skin depth δ = √(ρ/(π·f·μ0)) in a conductor of resistivity rho_ohm_m
// (Ω·m) at f_Hz (Hz).
double SkinDepth(double rho_ohm_m, double f_Hz);

// Dowell's penetration ratio Δ = h·√η/δ of a layer of round wires of bare
// diameter d_wire_mm and pitch pitch_mm (mm, centre to centre of adjacent
// turns in a layer; the outer diameter for a close winding): each wire is
// replaced by the square of equal area, side h = (√π/2)·d, and the layer by a
// foil of porosity η = h/p, so Δ = (π/4)^(3/4)·(d/δ)·√(d/p).
double DowellPenetrationRatio(double d_wire_mm, double pitch_mm, double rho_ohm_m, double f_Hz);

// AC resistance factor F_R = R_ac/R_dc of Dowell for `layers` layers at the
// penetration ratio Δ = penetration (sinusoidal current):
// F_R = Δ·[(sinh2Δ + sin2Δ)/(cosh2Δ − cos2Δ)
//          + (2(m²−1)/3)·(sinhΔ − sinΔ)/(coshΔ + cosΔ)].
// `layers` counts from a point of zero magnetomotive force to the full
// winding current, i.e. the layers of a winding section that is not
// interleaved. Tends to 1 + (5m²−1)/45·Δ⁴ for small Δ.
double DowellFactor(double penetration, int layers);

// mm, pitch of close-wound enamelled round wire of bare diameter d_wire_mm
// (mm): its outer diameter, taken as 1.1·d, about grade 1 to grade 2 enamel
// of IEC 60317 for 0.2 mm to 1 mm of copper.
double WirePitch(double d_wire_mm);

// Whole layers of a winding of `turns` turns of `parallel_wires` wires side
// by side, of bare diameter d_wire_mm (mm) at the pitch WirePitch, on a
// bobbin of usable winding width bobbin_width_mm (mm, margins and tape
// already taken off): floor(width/pitch) wires a layer, at least one, and
// the wires (turns·parallel_wires, rounded up) filled layer by layer.
int LayerCount(double turns, int parallel_wires, double d_wire_mm, double bobbin_width_mm);

// The current of one winding over one period: a straight ramp between 0 and
// I_peak_A (A) lasting t_pulse_us, then zero for the rest of period_us (both
// µs). The primary current (rising during t_on) and a secondary current
// (falling during t_off) have the same harmonic magnitudes: the one is the
// other reversed in time.
struct RampPulse {
  double I_peak_A = 0;
  double t_pulse_us = 0;
  double period_us = 0;
};

// A, average of the pulse: I_peak·D/2 with D = t_pulse/period.
double RampPulseDc(const RampPulse& pulse);

// A, rms of harmonic h (1, 2, ...) of the pulse, from its Fourier
// coefficient: with x = 2π·h·D,
// I_h = √2·I_peak·D·√(x² + 2 − 2·cos x − 2·x·sin x)/x².
// DC² plus the squares of all harmonics is I_peak²·D/3.
double RampPulseHarmonicRms(const RampPulse& pulse, int h);

// The DC and the first harmonics of a ramp pulse per ampere of its peak: they
// depend on its duty D = t_pulse/period only, so the secondaries, which all
// conduct during t_off, share one spectrum.
struct RampPulseSpectrum {
  double dc_per_A = 0;            // D/2
  std::vector<double> rms_per_A;  // harmonic h at [h − 1], RampPulseHarmonicRms per ampere
};

// The spectrum of `pulse`'s shape up to harmonic `harmonics`.
RampPulseSpectrum SpectrumOf(const RampPulse& pulse, int harmonics);

// A spectrum kept from one operating point to the next: free running and
// continuous mode keep the duties of their currents at every power, and
// the durations of two points give them equal to rounding only.
struct KeptSpectrum {
  double duty = -1;  // D of the spectrum kept; none kept yet
  RampPulseSpectrum spectrum;
};

// The same, the one `kept` holds where its duty equals the pulse's to 1e-12
// of itself (the harmonics then agree to about as much, far within what the
// figures are worked out to) and its harmonics are as many; else worked out
// and kept.
const RampPulseSpectrum& SpectrumOf(const RampPulse& pulse, int harmonics, KeptSpectrum& kept);

// The copper loss of a winding of `layers` layers carrying a ramp pulse of
// the shape `spectrum`, per ohm of its DC resistance and per square ampere
// of the pulse's peak (1/A² · A² = 1): dc² + Σ_h F_R(Δ1·√h)·rms_h², with Δ1
// the penetration ratio at the switching frequency 1/period (Δ grows with
// √f). Windings of the same wire, layers and shape share it.
double WindingLossPerOhmAndSquareAmpere(int layers, double penetration_at_switching_frequency,
                                        const RampPulseSpectrum& spectrum);

// W, copper loss of a winding of DC resistance R_dc_ohm (Ω) with `layers`
// layers carrying a ramp pulse of peak I_peak_A (A) and the shape `spectrum`:
// P = R_dc·I_dc² + Σ_h R_dc·F_R(Δ1·√h)·I_h², that is R_dc·I_peak² times the
// factor above. The harmonics beyond the spectrum are left out.
double WindingLoss(double R_dc_ohm, int layers, double penetration_at_switching_frequency,
                   double I_peak_A, const RampPulseSpectrum& spectrum);

// The same for `pulse` up to harmonic `harmonics`.
double WindingLoss(double R_dc_ohm, int layers, double penetration_at_switching_frequency,
                   const RampPulse& pulse, int harmonics);

}  // namespace flyback
