#pragma once

// The rectifier diodes of the netlist: the parts the component list proposes,
// each an ngspice diode whose forward curve goes through two forward points
// of its data sheet, with the junction capacitance and the transit time of
// its reverse recovery. A part without data sheet figures here is the
// design-drop diode: it drops the design's forward voltage at its load
// current and has neither capacitance nor recovery. docs/simulation.md gives
// each figure's data sheet and the known error.

#include <optional>
#include <string>
#include <string_view>

namespace flyback {

// V, thermal voltage kT/q at the simulator's default 27 °C.
inline constexpr double kThermalVoltage_V = 0.025864;

// One point of a forward characteristic.
struct ForwardPoint {
  double I_A = 0;  // A
  double U_V = 0;  // V
};

// What a data sheet gives of a rectifier: its maximum forward voltage at
// 25 °C at two currents, the junction capacitance, and the reverse recovery
// time with the forward and reverse currents of its test.
struct RectifierDatasheet {
  std::string_view part;  // the catalogue's spelling: "MUR 420"
  ForwardPoint lower;
  ForwardPoint upper;
  double C_j_pF = 0;        // pF, junction capacitance
  double t_rr_ns = 0;       // ns, reverse recovery time
  double I_F_rr_A = 0;      // A, forward current of the recovery test
  double I_R_rr_A = 0;      // A, reverse current of the recovery test
  std::string_view source;  // maker, part and document of each figure
};

// An ngspice diode model: IS·exp(U/(N·U_T)) with a series resistance, a
// junction capacitance and a transit time.
struct DiodeModel {
  double IS_A = 0;
  double N = 0;
  double RS_ohm = 0;
  double CJO_pF = 0;
  double TT_ns = 0;
  bool fitted = false;  // from a data sheet, else the design-drop diode
  std::string part;     // "MUR 420", as the component list names it
  std::string source;   // one line: where the figures come from
};

// The data sheet figures of `part` (spaces ignored: "1N4148" is "1N 4148"),
// if this program holds them.
std::optional<RectifierDatasheet> RectifierDatasheetOf(std::string_view part);

// The model through the data sheet's two forward points with RS = 0:
// N = (U2 − U1)/(U_T·ln(I2/I1)), IS = I1·exp(−U1/(N·U_T)); TT from the
// charge-control storage time of the recovery test, t_rr = TT·ln(1 + I_F/I_R).
DiodeModel FittedRectifier(const RectifierDatasheet& sheet);

// The design-drop diode: IS = 1e-12 A and N such that it drops U_F_V (V) at
// I_A (A).
DiodeModel DesignDropRectifier(double U_F_V, double I_A);

// `part` as fitted from its data sheet, else the design-drop diode.
DiodeModel RectifierModel(std::string_view part, double U_F_V, double I_A);

}  // namespace flyback
