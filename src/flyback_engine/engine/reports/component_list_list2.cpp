// List 2 of the component list: the secondary side (designators 40 - 59) and
// the opto-coupler feedback circuit (60 - 79).

#include <array>

#include "engine/components/opto_divider.h"
#include "engine/components/selection_rules.h"
#include "engine/reports/component_list_lines.h"
#include "engine/reports/component_list_rows.h"

namespace flyback {

namespace {

using C = ListCondition;
using V = ComponentValues;

// The opto section writes its ratings without the leading blank of List 1.
constexpr auto kOptoParts = std::to_array<PartRow>({
    EmptyRow(),
    FixedPart(C::kAlways, "      C61", " 15 nF", ""),
    FixedPart(C::kAlways, "      C62", " 56 pF", ""),
    EmptyRow(),
    FixedPart(C::kAlways, "      D60", " TL 431", ""),
    EmptyRow(),
    FixedPart(C::kAlways, "      IC02", " OPK825-A2", ""),
    EmptyRow(),
    DimensionedPart(C::kAlways, "      P60", &V::P60, "kOhm", "Poti"),
    EmptyRow(),
    DimensionedPart(C::kAlways, "      R60", &V::R60, "kOhm", "1/4 W", 1, "Ohm"),
    FixedPart(C::kAlways, "      R61", " 1 kOhm", "1/4 W"),
    FixedPart(C::kAlways, "      R62", " 820 Ohm", "1/4 W"),
    FixedPart(C::kAlways, "      R63", " 39 kOhm", "1/4 W"),
    DimensionedPart(C::kAlways, "      R65", &V::R65, "kOhm", "1/4 W", 1, "Ohm"),
    EmptyRow(),
});

// V, peak reverse voltage of the rectifier of output i: the bus voltage
// transformed by the turns ratio, with overshoots, on top of the output voltage.
double ReverseVoltage(const DesignState& s, int i) {
  const TransformerDesign& t = s.transformer;
  return t.U_bus_max * t.n_out(i) / t.n_prim * s.inputs.k_os_sec + s.inputs.output(i).Umax;
}

// Outputs with a minimum voltage of 0 get no parts; the others keep their numbers.
void AppendSecondarySide(const DesignState& s, std::vector<Line>& lines) {
  const DesignInputs& in = s.inputs;
  lines.push_back({"      Components at secondary side (no. 40 - 59)"});
  lines.emplace_back();
  for (int i = 1; i <= in.n_sec; ++i) {
    const OutputSpec& out = in.output(i);
    if (out.Umin == 0) continue;
    const CapacitorChoice capacitor = select_capacitor(1.25 * out.Umax, out.Imax);
    lines.push_back({"      C4", i, zone, capacitor.C, "µF", zone, capacitor.U_rating, "V"});
  }
  lines.emplace_back();
  for (int i = 1; i <= in.n_sec; ++i) {
    const OutputSpec& out = in.output(i);
    if (out.Umin == 0) continue;
    lines.push_back({"      D4", i, zone, select_output_diode(ReverseVoltage(s, i), out.Imax)});
  }
  lines.emplace_back();
  lines.emplace_back();
}

void AppendOptoSection(const DesignState& s, std::vector<Line>& lines) {
  const ComponentValues& c = s.components;
  const OptoRange range = RealOptoRange(c.U_ref, c.R60, c.R65, c.P60);
  lines.emplace_back();
  lines.emplace_back();
  lines.push_back({"      Control with opto coupler (no. 60 - 79)"});
  lines.emplace_back();
  lines.push_back({"      Controlled voltage", zone, s.inputs.U_opto, "V"});
  lines.emplace_back();
  lines.push_back({"      Adjustment range", zone, range.U1_low, "V -", range.U1_high, "V"});
  AppendPartLines(kOptoParts, s.inputs, c, lines);
}

}  // namespace

std::vector<Line> ComponentList2Lines(const DesignState& s) {
  std::vector<Line> lines;
  AppendSecondarySide(s, lines);
  if (s.inputs.opto_reg) AppendOptoSection(s, lines);
  return lines;
}

}  // namespace flyback
