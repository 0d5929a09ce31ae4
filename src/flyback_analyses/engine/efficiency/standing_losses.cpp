#include "engine/efficiency/standing_losses.h"

#include "engine/transformer/winding_values.h"

namespace flyback {

namespace {

inline constexpr double kOhmPerKiloohm = 1e3;
inline constexpr double kOhmPerMegaohm = 1e6;

double Sum(const std::vector<StandingLoss>& losses) {
  double W = 0;
  for (const StandingLoss& loss : losses) W += loss.P_W;
  return W;
}

}  // namespace

double StandingLosses::bus_W() const {
  return Sum(bus);
}

double StandingLosses::output_W() const {
  return Sum(output);
}

StandingLosses StandingLossesAt(const DesignState& s, double U_bus_V) {
  const DesignInputs& in = s.inputs;
  const ComponentValues& c = s.components;
  StandingLosses losses;
  // R22 is in MOhm for the QRM1X305, in kOhm for the PWX family.
  const double R22_ohm = c.R22 * (in.ic_type == ControlIc::kQrm ? kOhmPerMegaohm : kOhmPerKiloohm);
  const double U_R22_V = U_bus_V - IcSupplyVoltage(in, s.transformer);
  if (R22_ohm > 0) losses.bus.push_back({"start-up resistor R22", U_R22_V * U_R22_V / R22_ohm});
  if (in.ic_type == ControlIc::kPwx && c.R23 + c.R24 > 0) {
    losses.bus.push_back({"mains undervoltage divider R23, R24",
                          U_bus_V * U_bus_V / ((c.R23 + c.R24) * kOhmPerKiloohm)});
  }
  if (in.opto_reg) {
    const double divider_ohm = (c.R60 + c.P60 + c.R65) * kOhmPerKiloohm;
    if (divider_ohm > 0) {
      losses.output.push_back(
          {"feedback divider R60, P60, R65", in.U_opto * in.U_opto / divider_ohm});
    }
    losses.output.push_back(
        {"shunt regulator bias R62", in.U_opto * kOptoLedForward_V / kShuntBiasResistor_ohm});
  }
  return losses;
}

}  // namespace flyback
