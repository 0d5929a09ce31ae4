#include "engine/loop/bode_terms.h"

#include <cmath>
#include <numbers>

namespace flyback {

namespace {

constexpr double kDegreesPerRadian = 180 / std::numbers::pi;

double Decibels(double magnitude) {
  return 20 * std::log10(magnitude);
}

}  // namespace

GainPhase operator+(GainPhase a, GainPhase b) {
  return {a.gain_dB + b.gain_dB, a.phase_deg + b.phase_deg};
}

GainPhase Factor(double k) {
  return {Decibels(k), 0};
}

GainPhase LeftZero(double f_Hz, double fz_Hz) {
  const double x = f_Hz / fz_Hz;
  return {Decibels(std::hypot(1, x)), kDegreesPerRadian * std::atan(x)};
}

GainPhase LeftPole(double f_Hz, double fp_Hz) {
  const GainPhase zero = LeftZero(f_Hz, fp_Hz);
  return {-zero.gain_dB, -zero.phase_deg};
}

GainPhase RightZero(double f_Hz, double fz_Hz) {
  const GainPhase zero = LeftZero(f_Hz, fz_Hz);
  return {zero.gain_dB, -zero.phase_deg};
}

GainPhase OriginPole(double f_Hz, double f0_Hz) {
  return {-Decibels(f_Hz / f0_Hz), -90};
}

GainPhase DoublePole(double f_Hz, double fn_Hz, double Q) {
  const double x = f_Hz / fn_Hz;
  const double re = 1 - x * x;
  const double im = x / Q;
  return {-Decibels(std::hypot(re, im)), -kDegreesPerRadian * std::atan2(im, re)};
}

GainPhase ComplexTerm(std::complex<double> value) {
  return {Decibels(std::abs(value)), kDegreesPerRadian * std::arg(value)};
}

}  // namespace flyback
