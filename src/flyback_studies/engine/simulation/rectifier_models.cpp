#include "engine/simulation/rectifier_models.h"

#include <array>
#include <cmath>

namespace flyback {

namespace {

// A, saturation current of the design-drop diode.
constexpr double kDesignDropSaturation_A = 1e-12;

// Forward voltages are the maximum values of the electrical characteristics
// at 25 °C (pulse tests). The 1 A MUR 1x0 data sheet gives one such point:
// its second point lies on the slope of the 4 A part of the same voltage and
// series (MUR 420, MUR 460), through its own 1 A point. The 1N 4148 takes the
// points of the 1N 4448, the same die graded by forward voltage. onsemi gives
// no junction capacitance; each part takes the typical one at 4 V of another
// maker's part of its current: the 1 A parts that of Diodes Inc.'s surface-
// mount part of the same voltage (MURS120, MURS160), the 4 A parts that of
// Pingwei's MUR440GR, whose forward voltage is onsemi's MUR440's.
constexpr std::array<RectifierDatasheet, 5> kRectifierDatasheets = {{
    {"MUR 120",
     {1, 0.875},
     {4.0 / 3, 0.885},
     27,
     25,
     0.5,
     1,
     "onsemi MUR120 Series (MUR120/D): vF 0.875 V at 1 A, trr 25 ns (IF 0.5 A, iR 1 A); "
     "slope of MUR420; CJ 27 pF: Diodes Inc. MURS120 (DS30179), at 4 V"},
    {"MUR 160",
     {1, 1.25},
     {4.0 / 3, 1.28},
     10,
     50,
     0.5,
     1,
     "onsemi MUR120 Series (MUR120/D): vF 1.25 V at 1 A, trr 50 ns (IF 0.5 A, iR 1 A); "
     "slope of MUR460; CJ 10 pF: Diodes Inc. MURS160 (DS30130 Rev. 11), at 4 V"},
    {"MUR 420",
     {3, 0.88},
     {4, 0.89},
     60,
     25,
     0.5,
     1,
     "onsemi MUR405-MUR460 (MUR420/D): vF 0.88 V at 3 A, 0.89 V at 4 A, trr 25 ns "
     "(IF 0.5 A, iR 1 A); CJ 60 pF: Pingwei MUR440GR, at 4 V"},
    {"MUR 460",
     {3, 1.25},
     {4, 1.28},
     60,
     50,
     0.5,
     1,
     "onsemi MUR405-MUR460 (MUR420/D): vF 1.25 V at 3 A, 1.28 V at 4 A, trr 50 ns "
     "(IF 0.5 A, iR 1 A); CJ 60 pF: Pingwei MUR440GR, at 4 V"},
    {"1N 4148",
     {0.005, 0.72},
     {0.1, 1.0},
     4,
     4,
     0.01,
     0.01,
     "Diotech 1N4148/1N4448: vF 0.72 V at 5 mA, 1.0 V at 100 mA (1N4448 grading), "
     "CJ 4 pF at 0 V, trr 4 ns (IF = IR = 10 mA)"},
}};

bool SameIgnoringSpaces(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (true) {
    while (i < a.size() && a[i] == ' ') ++i;
    while (j < b.size() && b[j] == ' ') ++j;
    if (i == a.size() || j == b.size()) return i == a.size() && j == b.size();
    if (a[i++] != b[j++]) return false;
  }
}

}  // namespace

std::optional<RectifierDatasheet> RectifierDatasheetOf(std::string_view part) {
  for (const RectifierDatasheet& sheet : kRectifierDatasheets) {
    if (SameIgnoringSpaces(sheet.part, part)) return sheet;
  }
  return std::nullopt;
}

DiodeModel FittedRectifier(const RectifierDatasheet& sheet) {
  DiodeModel model;
  const ForwardPoint& a = sheet.lower;
  const ForwardPoint& b = sheet.upper;
  model.N = (b.U_V - a.U_V) / (kThermalVoltage_V * std::log(b.I_A / a.I_A));
  model.IS_A = a.I_A * std::exp(-a.U_V / (model.N * kThermalVoltage_V));
  model.CJO_pF = sheet.C_j_pF;
  model.TT_ns = sheet.t_rr_ns / std::log(1 + sheet.I_F_rr_A / sheet.I_R_rr_A);
  model.fitted = true;
  model.part = sheet.part;
  model.source = sheet.source;
  return model;
}

DiodeModel DesignDropRectifier(double U_F_V, double I_A) {
  DiodeModel model;
  model.IS_A = kDesignDropSaturation_A;
  model.N = U_F_V / (kThermalVoltage_V * std::log(I_A / kDesignDropSaturation_A));
  model.source = "design-drop diode: no data sheet figures held for the part";
  return model;
}

DiodeModel RectifierModel(std::string_view part, double U_F_V, double I_A) {
  const std::optional<RectifierDatasheet> sheet = RectifierDatasheetOf(part);
  if (!sheet) {
    DiodeModel model = DesignDropRectifier(U_F_V, I_A);
    model.part = part;
    return model;
  }
  return FittedRectifier(*sheet);
}

}  // namespace flyback
