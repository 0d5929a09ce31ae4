#pragma once

// The step of the search for the input power a stage draws at an operating
// point: the power P at which P = g(P), g(P) = P_out + losses(P). Plain
// iteration, P ← g(P), closes in by the factor g′ (0.1 to 0.3 in a flyback
// of 80 % to 90 % efficiency) a step; the secant through the last two
// trials closes in superlinearly where g is smooth. docs/losses.md gives the
// rule and why it converges.

#include <optional>

namespace flyback {

// One trial of the search.
struct FixedPointTrial {
  double P_in_W = 0;      // W, the input power tried
  double residual_W = 0;  // W, g(P_in) − P_in: what the trial's losses ask for beyond it
};

// W, the input power to try after `last`, `before` being the trial before it
// (none after the first). The zero of the secant through both trials where
// the residual falls along it (g′ < 1: a fixed point lies ahead); otherwise,
// after the first trial, or where the secant gives no positive power, the
// plain step g(P) = P + residual, so that losses that outgrow the power
// climb as plain iteration would.
double NextFixedPointTrial(const FixedPointTrial& last,
                           const std::optional<FixedPointTrial>& before);

}  // namespace flyback
