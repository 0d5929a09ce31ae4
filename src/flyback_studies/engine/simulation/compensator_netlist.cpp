#include "engine/simulation/compensator_netlist.h"

#include <cmath>
#include <numbers>

#include "engine/loop/shunt_regulator.h"

namespace flyback {

namespace {

constexpr double kOhmPerKiloOhm = 1e3;
constexpr double kFaradPerNanofarad = 1e-9;

// The regulator's amplifier node x: its own scale, 1 mS into Rx ∥ Cx, chosen
// so that Rx·1 mS is the regulator's gain and Rx·Cx its pole
// (shunt_regulator.h, the TL431's device model).
constexpr double kAmplifierTransconductance_S = 1e-3;
constexpr double kLedEmission = 2;             // the LED's emission coefficient
constexpr double kThermalVoltage_V = 0.02585;  // kT/q at 27 °C, ngspice's default temperature

// The regulator's cathode falling as the reference rises above U_ref, about
// the cathode's voltage at rest (xo), so that its finite gain leaves the
// operating point where the loop at rest has it.
void AppendRegulator(NetlistText& n, const CompensatorCircuit& c, CompensatorModel model) {
  const LoopAssumptions& a = c.assumptions;
  const std::string ka = kShuntCathodeNode;
  const std::string ref = kShuntReferenceNode;
  const std::string x = kShuntAmplifierNode;
  // Its gain into R61 at its bias current, the least it is designed to carry.
  const ShuntRegulatorGain gain = ShuntRegulatorGainOf(c.parts.R_LED_kOhm, a.I_bias_mA);
  const double R_x_ohm = gain.dc_gain / kAmplifierTransconductance_S;
  n += "* Shunt regulator (TL431 device model): an amplifier of gain " + n.Num(gain.dc_gain) +
       " into R61 with its first pole at " + n.Num(gain.pole_Hz / 1e3) + " kHz,\n";
  n += "* about the cathode voltage at rest (xo)\n";
  n += "Bta 0 " + x + " I=" + n.Num(kAmplifierTransconductance_S) + "*(" + n.Num(c.U_ref_V) +
       "-V(" + ref + "))\n";
  n += "Rx " + x + " xo " + n.Num(R_x_ohm) + "\n";
  n += "Cx " + x + " xo " + n.Num(1 / (2 * std::numbers::pi * gain.pole_Hz * R_x_ohm)) + "\n";
  n += "Vxo xo 0 " + c.resting_cathode + "\n";
  if (model == CompensatorModel::kLinearized) {
    n += "Eka " + ka + " 0 " + x + " 0 1\n";
    return;
  }
  n += "* the cathode between its least voltage " + n.Num(a.U_KA_min_V) +
       " V and output 1 (switched off, it leaves the LED without current)\n";
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
