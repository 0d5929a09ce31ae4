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
// The switching regulator: a gain of 80 dB and a 1 MHz gain-bandwidth, far
// above any crossover, so that it too holds its reference node within the
// loop's bandwidth.
constexpr double kSwitchingGain = 1e4;
constexpr double kSwitchingTransconductance_S = 1e-3;  // of the amplifier's input stage
constexpr double kSwitchingGainBandwidth_Hz = 1e6;
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
  n += "* Shunt regulator: an amplifier of gain " + n.Num(kSwitchingGain) + " and a " +
       n.Num(kSwitchingGainBandwidth_Hz / 1e6) + " MHz gain-bandwidth,\n";
  n += "* the cathode falling as the reference rises about the cathode voltage at\n";
  n += "* rest (xo), between its least cathode voltage " + n.Num(a.U_KA_min_V) +
       " V and output 1 less the LED's forward voltage\n";
  n += "Bta 0 " + x + " I=" + n.Num(kSwitchingTransconductance_S) + "*(" + n.Num(c.U_ref_V) +
       "-V(" + ref + "))\n";
  n += "Rx " + x + " xo " + n.Num(kSwitchingGain / kSwitchingTransconductance_S) + "\n";
  n += "Cx " + x + " xo " +
       n.Num(kSwitchingTransconductance_S / (2 * std::numbers::pi * kSwitchingGainBandwidth_Hz)) +
       "\n";
  n += "Vxo xo 0 " + c.resting_cathode + "\n";
  n += "Bka " + ka + " 0 V=min(max(V(" + x + ")," + n.Num(a.U_KA_min_V) + "),V(" + c.output_node +
       ")-" + n.Num(a.U_F_LED_V) + ")\n";
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
