#pragma once

// The names the netlist gives its nodes and branches, and under which
// ngspice keeps their waveforms. Winding 0 is the IC-supply winding, 1 .. 6
// the outputs.

#include <string>

namespace flyback {

// Node of the winding before its rectifier: "aux", "s1", ...
inline std::string WindingNode(int winding) {
  return winding == 0 ? "aux" : "s" + std::to_string(winding);
}

// Node of the rectified output: "ic", "o1", ...
inline std::string OutputNode(int winding) {
  return winding == 0 ? "ic" : "o" + std::to_string(winding);
}

// The winding's inductor: "Lic", "Ls1", ...
inline std::string WindingInductor(int winding) {
  return winding == 0 ? "Lic" : "Ls" + std::to_string(winding);
}

// ngspice's vector of the current through an inductor or voltage source
// named `element` ("Ls1" -> "ls1#branch"), positive where it flows
// through the element from its first node to its second: a source that
// delivers power carries a negative current.
inline std::string BranchCurrentVector(std::string element) {
  for (char& c : element) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return element + "#branch";
}

// Nodes and sources every netlist has.
inline constexpr const char* kDrainNode = "drain";
inline constexpr const char* kGateNode = "q";  // the latch: 0 off, 1 on
// The switch's thresholds on the latch (ngspice's switch with VT in the
// middle and VH half the gap). The latch is a behavioural element and may
// rest near one half after a turn-off: ngspice 39.3 turned the switch off
// there (the drain rose with the latch at 0.44 to 0.58), and on again where
// the latch rose through kGateOn_V. A rise through one half would count a
// latch coming to rest as a turn-on and miss the turn-on after it.
inline constexpr double kGateOn_V = 0.6;
inline constexpr double kGateOff_V = 0.4;
inline constexpr const char* kPrimarySense = "Vsense";  // 0 V source, bus to primary
inline constexpr const char* kBusSource = "Vbus";

}  // namespace flyback
