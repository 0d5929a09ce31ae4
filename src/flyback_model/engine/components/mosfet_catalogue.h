#pragma once

// MOSFET catalogue of the switching transistor T01.

#include <array>

#include "engine/components/catalogue_lookup.h"

namespace flyback {

// A voltage class holds every drain-voltage limit up to `U_D_lim_max`; within
// the class the first row whose current limit the peak drain current does not
// exceed is taken, and the last row of each class takes any current. In the
// 600 V and 800 V classes the current limit is half the peak-current figure
// of the part (5.4 A gives 2.7 A).
struct MosfetRow {
  double U_D_lim_max;  // V, upper limit of the voltage class
  double I_D_max;      // A, current limit within the class
  Proposal proposal;   // the part is the type name: "QMP03N60X5"
  double R_DSon;       // Ohm
  double C_iss;        // pF, 0 where the catalogue has no figure
};

inline constexpr std::array<MosfetRow, 20> kMosfets = {{
    {100,
     kNoLimit,
     {" KTQ 22        100V, 0.055 Ohm, 34 A", "KTQ 22", "100 V, 0.055 Ohm, 34 A"},
     0.055,
     0},
    {200,
     kNoLimit,
     {" KTQ 31        200V, 0.20 Ohm, 13.5 A", "KTQ 31", "200 V, 0.20 Ohm, 13.5 A"},
     0.2,
     0},
    {400, 1.5, {" KTQ 76A       400V, 2.5 Ohm, 2.6 A", "KTQ 76A", "400 V, 2.5 Ohm, 2.6 A"}, 2.5, 0},
    {400, 2, {" KTQ 76        400V, 1.8 Ohm, 3 A", "KTQ 76", "400 V, 1.8 Ohm, 3 A"}, 1.8, 0},
    {400, 4, {" KTQ 60        400V, 1 Ohm, 5.5 A", "KTQ 60", "400 V, 1 Ohm, 5.5 A"}, 1, 0},
    {400,
     kNoLimit,
     {" KTQ 61        400V, .4 Ohm, 12.5 A", "KTQ 61", "400 V, 0.4 Ohm, 12.5 A"},
     0.4,
     0},
    {600, 2.7, {" QMP02N60X5    600V, 3 Ohm, 1.8A", "QMP02N60X5", "600 V, 3 Ohm, 1.8 A"}, 3, 200},
    {600,
     4.8,
     {" QMP03N60X5    600V, 1.4 Ohm, 3.2A", "QMP03N60X5", "600 V, 1.4 Ohm, 3.2 A"},
     1.4,
     400},
    {600,
     6.75,
     {" QMP04N60X5    600V, 0.95 Ohm, 4.5 A", "QMP04N60X5", "600 V, 0.95 Ohm, 4.5 A"},
     0.95,
     490},
    {600,
     10.95,
     {" QMP07N60X5    600V, 0.6 Ohm, 7.3 A", "QMP07N60X5", "600 V, 0.6 Ohm, 7.3 A"},
     0.6,
     790},
    {600,
     16.5,
     {" QMP11N60X5    600V, 0.38 Ohm, 11A", "QMP11N60X5", "600 V, 0.38 Ohm, 11 A"},
     0.38,
     1200},
    {600,
     31.05,
     {" QMP20N60X5    600V, 0.19 Ohm, 20A", "QMP20N60X5", "600 V, 0.19 Ohm, 20 A"},
     0.19,
     2400},
    {600,
     kNoLimit,
     {" QMW47N60X5    600V, 0.07 Ohm, 47A", "QMW47N60X5", "600 V, 0.07 Ohm, 47 A"},
     0.07,
     0},
    {800, 3, {" QMP02N80X5    800V, 2.7 Ohm, 2 A", "QMP02N80X5", "800 V, 2.7 Ohm, 2 A"}, 2.7, 600},
    {800, 6, {" QMP04N80X5    800V, 1.3 Ohm, 4 A", "QMP04N80X5", "800 V, 1.3 Ohm, 4 A"}, 1.3, 700},
    {800, 9, {" QMP06N80X5    800V, 0.9 Ohm, 6 A", "QMP06N80X5", "800 V, 0.9 Ohm, 6 A"}, 0.9, 800},
    {800,
     12,
     {" QMP08N80X5    800V, 0.65 Ohm, 8 A", "QMP08N80X5", "800 V, 0.65 Ohm, 8 A"},
     0.65,
     1000},
    {800,
     16.5,
     {" QMP11N80X5    800V, 0.45 Ohm, 11 A", "QMP11N80X5", "800 V, 0.45 Ohm, 11 A"},
     0.45,
     1500},
    {800,
     kNoLimit,
     {" QMP17N80X5    800V, 0.29 Ohm, 17 A", "QMP17N80X5", "800 V, 0.29 Ohm, 17 A"},
     0.29,
     2000},
    {kNoLimit,
     kNoLimit,
     {" KTQ312        1000V, 1.5 Ohm, 6 A", "KTQ312", "1000 V, 1.5 Ohm, 6 A"},
     1.5,
     1950},
}};

}  // namespace flyback
