#pragma once

// The quantities the design checks judge. Views look findings up by them; the
// design file names them by their symbols, which QuantityName gives.

#include <string>

namespace flyback {

enum class Quantity {
  kDutyCycle,             // D_max
  kFrequency,             // fsntmin, the lowest switching frequency
  kPrimaryInductance,     // L_prim as shown
  kPrimaryTurns,          // n_prim, whole turns
  kIcTurns,               // nic
  kIcSupplyVoltage,       // U_ic_act
  kOutputTurns,           // n(i), of one output
  kOutputVoltage,         // Uact(i), of one output
  kBmax,                  // Bmax
  kBmaxAtFixedFrequency,  // the magnetization at f_fix_min
  kDrainVoltage,          // U_D_max
  kConductionLoss,        // the proposed MOSFET's conduction loss
  // From the loss budget at the lowest input voltage:
  kEfficiency,              // η computed from the losses
  kTransformerTemperature,  // the transformer's temperature rise
  kCoreLossDensity,         // Pv of the core
  kClampLoss,               // the RCD clamp's dissipation
  kPartStress,              // a part of the component list against its derated rating
  kBusVoltage,              // U_bus of an operating point of the loss budget
  // Compared with a simulation of the stage:
  kPeakDrainCurrent,  // I_D_max, the peak drain current
  // Compared with an .ac simulation of the feedback loop:
  kLoopGain,  // the loop gain T of a corner, dB or degrees
};

// A quantity, of one output where it belongs to one: {Quantity::kBmax},
// {Quantity::kOutputVoltage, 3}.
struct CheckedQuantity {
  Quantity kind;
  int output = 0;  // 1 .. n_sec for kOutputTurns and kOutputVoltage, else 0

  bool operator==(const CheckedQuantity&) const = default;
};

// The symbol of the quantity in the design file: "Uact(3)", "U_D_max", ...
std::string QuantityName(const CheckedQuantity& quantity);

}  // namespace flyback
