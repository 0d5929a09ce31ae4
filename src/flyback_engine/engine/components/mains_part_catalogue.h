#pragma once

// Catalogue of the mains-side parts: inrush thermistor R01, filter choke L01
// and bridge rectifier D01-D04.

#include <array>
#include <string_view>

#include "engine/components/catalogue_lookup.h"

namespace flyback {

// Inrush NTC thermistor, by the mains current I_ntc (A).
inline constexpr std::array<TextBelow, 6> kNtcThermistors = {{
    {0.5, " 5 Ohm         S235, NTC- Resistor"},
    {1, " 5 Ohm         S237, NTC- Resistor"},
    {2, " 2.5 Ohm       S236, NTC- Resistor"},
    {4, " 2.2 Ohm       S237, NTC- Resistor"},
    {6, " 1 Ohm         S237, NTC- Resistor"},
    {kNoLimit, "                 Special circuit necessary"},
}};

// Mains filter choke, by the filter current I_filter (A). Each text is the
// whole list line, designator and indentation included.
inline constexpr std::array<TextBelow, 9> kFilterChokes = {{
    {0.2, "      L01      2*47 mH,0.3 A   Filter- Choke, Epcos, no. B82721-J2301-N20"},
    {0.3, "      L01      2*47 mH,0.3 A   Filter- Choke, Epcos, no. B82722-J2301-N1"},
    {1, "      L01      2*33 mH,1 A   Filter- Choke, Epcos, no. B82724-J2102-N1"},
    {1.4, "      L01      2*39 mH,1.4 A   frame core choke Epcos"},
    {2.3, "      L01      2*15 mH,2.3 A   Filter- Choke, Epcos, no. B82734-R2232-A30"},
    {4, "      L01      2*6.8 mH,4 A    Filter- Choke"},
    {6, "      L01      2*3.9 mH,6 A    Filter- Choke, Epcos, no. B82725-A2602-N1"},
    {10, "      L01      2*1.8 mH,10 A   Filter- Choke, Epcos, no. B82725-A2103-N1"},
    {kNoLimit, "      L01      Special filter ckoke necessary"},
}};

// Bridge rectifier with fast diodes: PFC with the conventional filter. By the
// average input current I_in_avg (A).
inline constexpr std::array<TextAbove, 4> kFastBridges = {{
    {-kNoLimit, " 4* BYW76      600 V, 1A, 50ns"},
    {1, " 4* MUR460     600 V, 4 A, 75 ns"},
    {4, " 4* KBPC606    600 V, 6 A, Int. Rect."},
    {6, " 4* 26MB60A    600 V, 25 A, Int. Rect."},
}};

// Bridge rectifier with slow diodes: without PFC, or with the DC filter.
inline constexpr std::array<TextAbove, 5> kSlowBridges = {{
    {-kNoLimit, " 4*1N4007      1000 V, 1 A"},
    {1, " 4* BY 246-06  600 V, 2 A"},
    {2, " 4* MUR460     600 V, 4 A, 75ns"},
    {4, " 4* KBPC606    600 V, 6 A, Int. Rect."},
    {6, " 4* 26MB60A    600 V, 25 A, Int. Rect."},
}};

}  // namespace flyback
