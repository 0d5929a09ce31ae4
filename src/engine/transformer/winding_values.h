#pragma once

// Currents, wire sizes and actual voltages of the windings of the present
// design, as the result screen, the winding table and the result report show
// them. Every function reads the design state as the last calculation left it.

#include "design/design_state.h"

namespace flyback {

// Cross-section (mm²) of a round wire of diameter d_wire (mm), π as 3.1416.
double WireCrossSection(double d_wire);

// Number of parallel wires of cross-section A_wire for a winding of the given
// cross-section (both mm²): the whole part of the ratio plus one, so an exact
// multiple still gets one wire more.
double WireCount(double cross_section, double A_wire);

// Minimum wire cross-section (mm²) for an rms current (A) at the current
// density J (A/mm²), to 0.01 mm².
double CrossSection(double I_rms, double J);

// The last answer to the cross-section / number-of-wires question was "1".
bool WiresMode(const DesignState& s);

// A, rms current of the triangular primary pulse of length t_on in the period
// t_on + t_off, to 0.01 A; at fixed frequency multiplied by k_fix and rounded
// to 0.01 A again.
double PrimaryRmsCurrent(const DesignState& s);

// W, maximum conduction loss of the proposed MOSFET (R_DSon) in the free-running
// worst case, to 0.1 W.
double ConductionLoss(const DesignState& s);

// A, rms current of the winding of output i: a triangular pulse of length t_off
// in the period 1000 / fsntmin µs; at fixed frequency multiplied by k_fix; to
// 0.01 A.
double SecondaryRmsCurrent(const DesignState& s, int i);

// V, actual IC supply voltage, to 0.01 V.
double IcSupplyVoltage(const DesignState& s);

// V, actual voltage of output i with its present turns, to 0.01 V.
double OutputVoltage(const DesignState& s, int i);

// Brings I_prim_rms, A_prim, U_ic_act and, for every output, I_sec_rms and
// A_sec up to date for the present design and turns.
void UpdateWindingValues(DesignState& s);

}  // namespace flyback
