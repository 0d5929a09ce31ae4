#pragma once

// Temperature rise of the transformer and the efficiency of the stage from
// its loss budget. Pure functions of plain values.

namespace flyback {

// K/W, thermal resistance from the surface of a ferrite transformer to still
// ambient air, from the core's effective volume Ve_mm3 (mm³): the empirical
// R_th = 53·Ve^−0.54 with Ve in cm³ (Maniktala, as the open magnetics library
// applies it). Natural convection, no heat sink.
double TransformerThermalResistance(double Ve_mm3);

// K, temperature rise of a transformer of effective core volume Ve_mm3 (mm³)
// dissipating P_transformer_W (W, core and copper together): P·R_th.
double TransformerTemperatureRise(double P_transformer_W, double Ve_mm3);

// Efficiency η = P_out/(P_out + losses) of a stage delivering P_out_W (W)
// with the losses P_losses_W (W).
double Efficiency(double P_out_W, double P_losses_W);

}  // namespace flyback
