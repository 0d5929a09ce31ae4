#pragma once

// Catalogue of the mains-side parts: inrush thermistor R01, filter choke L01
// and bridge rectifier D01-D04.

#include <array>

#include "engine/components/catalogue_lookup.h"

namespace flyback {

// Inrush NTC thermistor, by the mains current I_ntc (A): a cold resistance
// and the type.
inline constexpr std::array<ProposalBelow, 6> kNtcThermistors = {{
    {0.5, {" 5 Ohm         S235, NTC- Resistor", "S235", "", "NTC resistor", 1, 5, "Ohm"}},
    {1, {" 5 Ohm         S237, NTC- Resistor", "S237", "", "NTC resistor", 1, 5, "Ohm"}},
    {2, {" 2.5 Ohm       S236, NTC- Resistor", "S236", "", "NTC resistor", 1, 2.5, "Ohm"}},
    {4, {" 2.2 Ohm       S237, NTC- Resistor", "S237", "", "NTC resistor", 1, 2.2, "Ohm"}},
    {6, {" 1 Ohm         S237, NTC- Resistor", "S237", "", "NTC resistor", 1, 1, "Ohm"}},
    {kNoLimit, {"                 Special circuit necessary", "", "", "special circuit necessary"}},
}};

// Mains filter choke, by the filter current I_filter (A): a current-
// compensated choke of two windings, its value that of one winding, its
// rating the current.
inline constexpr std::array<ProposalBelow, 9> kFilterChokes = {{
    {0.2,
     {" 2*47 mH,0.3 A   Filter- Choke, Epcos, no. B82721-J2301-N20", "B82721-J2301-N20", "0.3 A",
      "filter choke, 2 windings, Epcos", 1, 47, "mH"}},
    {0.3,
     {" 2*47 mH,0.3 A   Filter- Choke, Epcos, no. B82722-J2301-N1", "B82722-J2301-N1", "0.3 A",
      "filter choke, 2 windings, Epcos", 1, 47, "mH"}},
    {1,
     {" 2*33 mH,1 A   Filter- Choke, Epcos, no. B82724-J2102-N1", "B82724-J2102-N1", "1 A",
      "filter choke, 2 windings, Epcos", 1, 33, "mH"}},
    {1.4,
     {" 2*39 mH,1.4 A   frame core choke Epcos", "", "1.4 A", "frame core choke, 2 windings, Epcos",
      1, 39, "mH"}},
    {2.3,
     {" 2*15 mH,2.3 A   Filter- Choke, Epcos, no. B82734-R2232-A30", "B82734-R2232-A30", "2.3 A",
      "filter choke, 2 windings, Epcos", 1, 15, "mH"}},
    {4, {" 2*6.8 mH,4 A    Filter- Choke", "", "4 A", "filter choke, 2 windings", 1, 6.8, "mH"}},
    {6,
     {" 2*3.9 mH,6 A    Filter- Choke, Epcos, no. B82725-A2602-N1", "B82725-A2602-N1", "6 A",
      "filter choke, 2 windings, Epcos", 1, 3.9, "mH"}},
    {10,
     {" 2*1.8 mH,10 A   Filter- Choke, Epcos, no. B82725-A2103-N1", "B82725-A2103-N1", "10 A",
      "filter choke, 2 windings, Epcos", 1, 1.8, "mH"}},
    {kNoLimit, {" Special filter ckoke necessary", "", "", "special filter choke necessary"}},
}};

// Bridge rectifier with fast diodes: PFC with the conventional filter. By the
// average input current I_in_avg (A). The list counts the bridge as four
// diodes, also where the part is a whole bridge.
inline constexpr std::array<ProposalAbove, 4> kFastBridges = {{
    {-kNoLimit, {" 4* BYW76      600 V, 1A, 50ns", "BYW76", "600 V, 1 A, 50 ns", "", 4}},
    {1, {" 4* MUR460     600 V, 4 A, 75 ns", "MUR460", "600 V, 4 A, 75 ns", "", 4}},
    {4, {" 4* KBPC606    600 V, 6 A, Int. Rect.", "KBPC606", "600 V, 6 A", "Int. Rect.", 4}},
    {6, {" 4* 26MB60A    600 V, 25 A, Int. Rect.", "26MB60A", "600 V, 25 A", "Int. Rect.", 4}},
}};

// Bridge rectifier with slow diodes: without PFC, or with the DC filter.
inline constexpr std::array<ProposalAbove, 5> kSlowBridges = {{
    {-kNoLimit, {" 4*1N4007      1000 V, 1 A", "1N4007", "1000 V, 1 A", "", 4}},
    {1, {" 4* BY 246-06  600 V, 2 A", "BY 246-06", "600 V, 2 A", "", 4}},
    {2, {" 4* MUR460     600 V, 4 A, 75ns", "MUR460", "600 V, 4 A, 75 ns", "", 4}},
    {4, {" 4* KBPC606    600 V, 6 A, Int. Rect.", "KBPC606", "600 V, 6 A", "Int. Rect.", 4}},
    {6, {" 4* 26MB60A    600 V, 25 A, Int. Rect.", "26MB60A", "600 V, 25 A", "Int. Rect.", 4}},
}};

}  // namespace flyback
