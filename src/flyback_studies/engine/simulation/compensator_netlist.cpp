#include "engine/simulation/compensator_netlist.h"

#include <cmath>
#include <numbers>

namespace flyback {

namespace {

constexpr double kOhmPerKiloOhm = 1e3;
constexpr double kFaradPerNanofarad = 1e-9;

// The linearized regulator's open-loop gain (V/V): far above the
// compensator's integrator over the sweep, so that it holds its reference
// node as the analytic model takes it.
constexpr double kLinearizedGain = 1e5;
// The switching regulator after the TL431's simplified device model (ON
// Semiconductor TL431/D, "Simplified TL431 Device Model" and its model
// values): an input transconductance G_M = 0.3 S + 2.7 S·exp(−I_C/26 mA)
// into R_GM 1.0 MΩ ∥ C_P1 20 pF, driving an output transconductance G_o of
// 1.25 µS per volt into the cathode's load. Its voltage gain is therefore
// G_M·R_GM·G_o times the load (the data sheet's own example: 2.323 S·1.0 MΩ·
// 1.25 µS·2.2 kΩ = 6389), and its first pole lies at 1/(2π·R_GM·C_P1). The
// cathode's load here is R61 to output 1: the regulator's gain grows with the
// LED's series resistor, which a fixed gain-bandwidth would not follow.
constexpr double kShuntInputTransconductanceFloor_S = 0.3;
constexpr double kShuntInputTransconductanceSpan_S = 2.7;
constexpr double kShuntInputTransconductanceCurrent_mA = 26;
constexpr double kShuntGainResistance_ohm = 1.0e6;          // R_GM
constexpr double kShuntPoleCapacitance_F = 20e-12;          // C_P1
constexpr double kShuntOutputTransconductance_S = 1.25e-6;  // G_o per volt across C_P1
// The netlist's amplifier node x: its own scale, 1 mS into Rx ∥ Cx, chosen so
// that Rx·1 mS is the gain and Rx·Cx the pole above.
constexpr double kSwitchingTransconductance_S = 1e-3;
constexpr double kLedEmission = 2;             // the LED's emission coefficient
constexpr double kThermalVoltage_V = 0.02585;  // kT/q at 27 °C, ngspice's default temperature

// The regulator's cathode falling as the reference rises above U_ref.
void AppendRegulator(NetlistText& n, const CompensatorCircuit& c, CompensatorModel model) {
  const std::string ka = kShuntCathodeNode;
  const std::string ref = kShuntReferenceNode;
  if (model == CompensatorModel::kLinearized) {
    n += "* Shunt regulator: an amplifier of gain " + n.Num(kLinearizedGain) + "\n";
    n += "Vref vref 0 " + n.Num(c.U_ref_V) + "\n";
    n += "Eshunt " + ka + " 0 vref " + ref + " " + n.Num(kLinearizedGain) + "\n";
    return;
  }
  const LoopAssumptions& a = c.assumptions;
  const std::string x = kShuntAmplifierNode;
  // G_M at the regulator's bias current, the least it is designed to carry.
  const double G_M_S = kShuntInputTransconductanceFloor_S +
                       kShuntInputTransconductanceSpan_S *
                           std::exp(-a.I_bias_mA / kShuntInputTransconductanceCurrent_mA);
  const double gain = G_M_S * kShuntGainResistance_ohm * kShuntOutputTransconductance_S *
                      kOhmPerKiloOhm * c.parts.R_LED_kOhm;
  const double R_x_ohm = gain / kSwitchingTransconductance_S;
  const double f_pole_Hz =
      1 / (2 * std::numbers::pi * kShuntGainResistance_ohm * kShuntPoleCapacitance_F);
  n += "* Shunt regulator: an amplifier of gain " + n.Num(gain) + " (TL431 model: " +
       n.Num(G_M_S * kShuntGainResistance_ohm * kShuntOutputTransconductance_S) +
       " S into R61) with its first pole at " + n.Num(f_pole_Hz / 1e3) + " kHz,\n";
  n += "* the cathode falling as the reference rises about the cathode voltage at\n";
  n += "* rest (xo), between its least cathode voltage " + n.Num(a.U_KA_min_V) +
       " V and output 1 (switched off, it leaves the LED without current)\n";
  n += "Bta 0 " + x + " I=" + n.Num(kSwitchingTransconductance_S) + "*(" + n.Num(c.U_ref_V) +
       "-V(" + ref + "))\n";
  n += "Rx " + x + " xo " + n.Num(R_x_ohm) + "\n";
  n += "Cx " + x + " xo " + n.Num(1 / (2 * std::numbers::pi * f_pole_Hz * R_x_ohm)) + "\n";
  n += "Vxo xo 0 " + c.resting_cathode + "\n";
  n += "Bka " + ka + " 0 V=min(max(V(" + x + ")," + n.Num(a.U_KA_min_V) + "),V(" + c.output_node +
       "))\n";
}

// The LED from output 1 through R61 into the cathode; Vled measures its
// current for the opto.
void AppendLed(NetlistText& n, const CompensatorCircuit& c, CompensatorModel model) {
  const LoopAssumptions& a = c.assumptions;
  n += "R61 " + c.output_node + " led " + n.Num(kOhmPerKiloOhm * c.parts.R_LED_kOhm) + "\n";
  if (model == CompensatorModel::kLinearized) {
    n += "* LED: its forward voltage " + n.Num(a.U_F_LED_V) + " V\n";
    n += "Vled led " + std::string(kShuntCathodeNode) + " " + n.Num(a.U_F_LED_V) + "\n";
    return;
  }
  // An exponential diode through the LED's forward voltage at 1 mA:
  // IS = 1 mA/exp(U_F/(N·U_T)).
  const double IS_A = 1e-3 / std::exp(a.U_F_LED_V / (kLedEmission * kThermalVoltage_V));
  n += "* LED: a diode of N = " + n.Num(kLedEmission) + " with " + n.Num(a.U_F_LED_V) +
       " V at 1 mA\n";
  n += "Vled led ledi 0\nDled ledi " + std::string(kShuntCathodeNode) + " DLED\n";
  n += ".model DLED D(IS=" + n.Num(IS_A) + " N=" + n.Num(kLedEmission) + ")\n";
}

}  // namespace

void AppendCompensator(NetlistText& n, const CompensatorCircuit& c, CompensatorModel model) {
  const OptoCompensator& p = c.parts;
  const LoopAssumptions& a = c.assumptions;
  const std::string ka = kShuntCathodeNode;
  const std::string ref = kShuntReferenceNode;
  const std::string fb = kFeedbackPinNode;
  const double R_up_ohm = kOhmPerKiloOhm * p.R_up_kOhm;
  n += "* Divider: R65, and R60 with P60 trimmed so that the reference sees " + n.Num(c.U_ref_V) +
       " V at " + n.Num(c.U_regulated_V) + " V\n";
  n += "R65 " + c.output_node + " " + ref + " " + n.Num(R_up_ohm) + "\n";
  n += "R60 " + ref + " 0 " + n.Num(R_up_ohm * c.U_ref_V / (c.U_regulated_V - c.U_ref_V)) + "\n";
  AppendRegulator(n, c, model);
  n += "* R63 and C61 in series, C62 across them, cathode to reference\n";
  const std::string zero_end = p.R_z_kOhm > 0 ? kCompensationZeroNode : kShuntCathodeNode;
  if (p.R_z_kOhm > 0) {
    n += "R63 " + ka + " " + zero_end + " " + n.Num(kOhmPerKiloOhm * p.R_z_kOhm) + "\n";
  }
  n += "C61 " + zero_end + " " + ref + " " + n.Num(kFaradPerNanofarad * p.C_z_nF) + "\n";
  if (p.C_p_nF > 0)
    n += "C62 " + ka + " " + ref + " " + n.Num(kFaradPerNanofarad * p.C_p_nF) + "\n";
  AppendLed(n, c, model);
  n += "* opto transistor: CTR " + n.Num(c.CTR) + " of the LED's current\n";
  n += "Fopto " + fb + " 0 Vled " + n.Num(c.CTR) + "\n";
  if (model == CompensatorModel::kSwitching) {
    n += "* no lower than its saturation " + n.Num(a.U_CE_sat_V) + " V\n";
    n += "Vsat sat 0 " + n.Num(a.U_CE_sat_V) + "\nDsat sat " + fb + " DSAT\n";
    n += ".model DSAT D(IS=1e-12 N=0.05)\n";
  }
  n += "* the controller's pull-up " + n.Num(a.R_pullup_kOhm) + " kOhm to " + n.Num(a.U_pullup_V) +
       " V; C28 and the opto's own capacitance at the pin\n";
  n += "Vpu pu 0 " + n.Num(a.U_pullup_V) + "\n";
  n += "Rpu pu " + fb + " " + n.Num(kOhmPerKiloOhm * a.R_pullup_kOhm) + "\n";
  n += "Cfb " + fb + " 0 " + n.Num(kFaradPerNanofarad * (p.C_pole_nF + a.C_opto_nF)) + "\n";
}

}  // namespace flyback
