#include "engine/checks/checked_quantity.h"

namespace flyback {

std::string QuantityName(const CheckedQuantity& quantity) {
  const std::string output = "(" + std::to_string(quantity.output) + ")";
  switch (quantity.kind) {
    case Quantity::kDutyCycle:
      return "D_max";
    case Quantity::kFrequency:
      return "fsntmin";
    case Quantity::kPrimaryInductance:
      return "L_prim";
    case Quantity::kPrimaryTurns:
      return "n_prim";
    case Quantity::kIcTurns:
      return "nic";
    case Quantity::kIcSupplyVoltage:
      return "U_ic_act";
    case Quantity::kOutputTurns:
      return "n" + output;
    case Quantity::kOutputVoltage:
      return "Uact" + output;
    case Quantity::kBmax:
      return "Bmax";
    case Quantity::kBmaxAtFixedFrequency:
      return "Bmax(f_fix_min)";
    case Quantity::kDrainVoltage:
      return "U_D_max";
    case Quantity::kConductionLoss:
      return "P_cond";
    case Quantity::kEfficiency:
      return "eta_computed";
    case Quantity::kTransformerTemperature:
      return "dT_transformer";
    case Quantity::kCoreLossDensity:
      return "Pv_core";
    case Quantity::kClampLoss:
      return "P_clamp";
    case Quantity::kPartStress:
      return "stress";
    case Quantity::kBusVoltage:
      return "U_bus";
    case Quantity::kPeakDrainCurrent:
      return "I_D_max";
    case Quantity::kLoopGain:
      return "T_loop";
  }
  return "";
}

}  // namespace flyback
