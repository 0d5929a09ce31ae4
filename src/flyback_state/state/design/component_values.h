#pragma once

// Every value of the component list, as the component dimensioning computes
// them from a finished design, and the currents the part proposals are
// chosen by. Values are held in the unit in which the list prints them. What a dimensioning run
// does not dimension for the design (the THP network without THP, the opto divider without opto
// regulation, ...) keeps the value of an earlier run; the opto-coupler calculator fills the divider
// values too.

#include <string>

namespace flyback {

struct ComponentValues {
  double I_ntc = 0;     // A, mains current of the inrush thermistor R01
  double R11 = 0;       // kOhm
  double I_fuse = 0;    // A
  double F01 = 0;       // A, fuse rating
  double I_filter = 0;  // A
  std::string mosfet;   // type of the proposed MOSFET T01: "QMP03N60X5"
  double R_DSon = 0;    // Ohm
  double C_iss = 0;     // pF, 0 where the catalogue has no figure
  double L08 = 0;       // mH, PFC choke
  double I_L08 = 0;     // A
  double C07 = 0;       // µF, bulk capacitor
  double U_C07 = 0;     // V
  double R22 = 0;       // kOhm (PWX family) or MOhm (QRM1X305)
  double C22 = 0;       // pF
  double R23 = 0;       // kOhm
  double R24 = 0;       // kOhm
  double R29 = 0;       // kOhm
  double P10 = 0;       // kOhm
  double C29 = 0;       // pF
  double C30 = 0;       // nF
  double R30 = 0;       // kOhm
  double R31 = 0;       // kOhm
  double C31 = 0;       // pF
  double R35 = 0;       // Ohm
  double R38 = 0;       // kOhm
  double R39 = 0;       // kOhm, THP network
  double C38 = 0;       // pF
  double R36 = 0;       // MOhm
  double C36 = 0;       // µF
  double U1rmin = 0;    // V, opto divider: wanted adjustment range
  double U1rmax = 0;    // V
  double P60 = 0;       // kOhm, potentiometer
  double U_ref = 0;     // V, shunt regulator reference
  double R60 = 0;       // kOhm
  double R65 = 0;       // kOhm
};

}  // namespace flyback
