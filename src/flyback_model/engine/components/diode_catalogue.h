#pragma once

// Diode catalogue: the proposals of the rectifier diodes and the rules that
// choose among them.

#include <array>

#include "engine/components/catalogue_lookup.h"

namespace flyback::diode {

// The list prints a diode as its type, padded to a print zone, and its
// rating; the part names keep the catalogue's spelling.
inline constexpr Proposal k1N4148 = {" 1N 4148       100 V, 150 mA, 8 ns", "1N 4148",
                                     "100 V, 150 mA, 8 ns"};
inline constexpr Proposal kMUR120 = {" MUR 120       200 V, 1 A, 25 ns", "MUR 120",
                                     "200 V, 1 A, 25 ns"};
inline constexpr Proposal kMUR160 = {" MUR 160       600 V, 1 A, 50 ns", "MUR 160",
                                     "600 V, 1 A, 50 ns"};
inline constexpr Proposal kMUR420 = {" MUR 420       200 V, 4 A, 25 ns", "MUR 420",
                                     "200 V, 4 A, 25 ns"};
inline constexpr Proposal kMUR460 = {" MUR 460       600 V, 4 A, 50 ns", "MUR 460",
                                     "600 V, 4 A, 50 ns"};
inline constexpr Proposal kMUR490 = {" MUR 490       900 V, 4 A, 75 ns", "MUR 490",
                                     "900 V, 4 A, 75 ns"};
inline constexpr Proposal kMUR1100 = {" MUR 1100      1000 V, 1 A, 75 ns", "MUR 1100",
                                      "1000 V, 1 A, 75 ns"};
inline constexpr Proposal kMUR4100 = {" MUR 4100      1000 V, 4 A, 75 ns", "MUR 4100",
                                      "1000 V, 4 A, 75 ns"};
inline constexpr Proposal kFE6D9344 = {" FE6D 9344     200 V, 6 A", "FE6D 9344", "200 V, 6 A"};
inline constexpr Proposal kBYW29 = {" BYW 29        150 V, 7.6 A", "BYW 29", "150 V, 7.6 A"};
inline constexpr Proposal kBYV29 = {" BYV 29        400 V, 9 A", "BYV 29", "400 V, 9 A"};
inline constexpr Proposal kBYW76 = {" BYW 76        600 V, 3 A, 200 ns", "BYW 76",
                                    "600 V, 3 A, 200 ns"};
inline constexpr Proposal kBYR29_800 = {" BYR 29 800    800 V, 8 A, 75 ns", "BYR 29 800",
                                        "800 V, 8 A, 75 ns"};
inline constexpr Proposal kSTTA506D = {" STTA506D      600 V, 5 A, 20 ns", "STTA506D",
                                       "600 V, 5 A, 20 ns"};
inline constexpr Proposal kSTTA806D = {" STTA806D      600 V, 8 A, 25 ns", "STTA806D",
                                       "600 V, 8 A, 25 ns"};
inline constexpr Proposal kSTTA512D = {" STTA512D      1200 V, 5 A, 45 ns", "STTA512D",
                                       "1200 V, 5 A, 45 ns"};
inline constexpr Proposal kKYD100 = {" KYD 100       1000 V, 12.5 A, 55 ns", "KYD 100",
                                     "1000 V, 12.5 A, 55 ns"};
inline constexpr Proposal kNone = {" no proposal", "", "", "no proposal"};

// Output rectifiers. A voltage class holds every reverse voltage up to its
// limit (V); within the class the first row whose current limit (A) the
// diode current does not exceed is taken. A current above the last limit of
// its class, and a reverse voltage above 1200 V, get no proposal.
struct OutputDiodeRow {
  double U_rev_max;    // V, upper limit of the voltage class
  double I_diode_max;  // A
  Proposal proposal;
};

inline constexpr std::array<OutputDiodeRow, 25> kOutputDiodes = {{
    {100, 0.15, k1N4148}, {100, 1, kMUR120},    {100, 4, kMUR420},   {100, 6, kFE6D9344},
    {100, 7.6, kBYW29},   {100, 9, kBYV29},     {200, 1, kMUR120},   {200, 4, kMUR420},
    {200, 6, kFE6D9344},  {200, 9, kBYV29},     {400, 1, kMUR160},   {400, 4, kMUR460},
    {400, 9, kBYV29},     {600, 1, kMUR160},    {600, 4, kMUR460},   {600, 5, kSTTA506D},
    {600, 8, kSTTA806D},  {600, 12.5, kKYD100}, {800, 4, kMUR490},   {800, 8, kBYR29_800},
    {800, 12.5, kKYD100}, {1000, 1, kMUR1100},  {1000, 4, kMUR4100}, {1000, 12.5, kKYD100},
    {1200, 5, kSTTA512D},
}};

// Fast diode D05 of the DC filter, by the average input current (A).
inline constexpr std::array<ProposalAbove, 2> kD05 = {{
    {-kNoLimit, kBYW76},
    {1.5, kMUR460},
}};

// Diode D08 of the PFC charge pump, by the peak drain current (A).
inline constexpr std::array<ProposalAbove, 2> kPfcDiode = {{
    {-kNoLimit, kSTTA506D},
    {15, kKYD100},
}};

// Diode D09 of the PFC circuit, by the peak drain current (A): MUR 460 below
// 5 A, STTA506D from 5 A on.
inline constexpr std::array<ProposalBelow, 2> kD09 = {{
    {5, kMUR460},
    {kNoLimit, kSTTA506D},
}};

}  // namespace flyback::diode
