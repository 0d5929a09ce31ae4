// List 2 of the component list: the secondary side (designators 40 - 59) and
// the opto-coupler feedback circuit (60 - 79).

#include <array>
#include <string>

#include "base/console/number_text.h"
#include "engine/components/opto_divider.h"
#include "engine/components/opto_feedback_parts.h"
#include "engine/components/output_rectifier.h"
#include "engine/components/selection_rules.h"
#include "engine/reports/component_list_rows.h"
#include "engine/reports/component_list_sections.h"

namespace flyback {

namespace {

using C = ListCondition;
using V = ComponentValues;

// The opto section writes its ratings and remarks without the leading blank
// of List 1.
constexpr auto kOptoParts = std::to_array<PartRow>({
    EmptyRow(),
    FixedValue(C::kAlways, "C61", kC61_nF, "nF"),
    FixedValue(C::kAlways, "C62", kC62_pF, "pF"),
    EmptyRow(),
    TypePart(C::kAlways, "D60", "TL 431"),
    EmptyRow(),
    TypePart(C::kAlways, "IC02", "OPK825-A2"),
    EmptyRow(),
    DimensionedPart(C::kAlways, "P60", &V::P60, "kOhm")
        .Remarked("potentiometer")
        .PrintedAs("", "Poti"),
    EmptyRow(),
    DimensionedPart(C::kAlways, "R60", &V::R60, "kOhm")
        .Rated("1/4 W")
        .Scaled(1, "Ohm")
        .PrintedAs("", "1/4 W"),
    FixedValue(C::kAlways, "R61", kR61_kOhm, "kOhm").Rated("1/4 W").PrintedAs("", "1/4 W"),
    FixedValue(C::kAlways, "R62", kR62_Ohm, "Ohm").Rated("1/4 W").PrintedAs("", "1/4 W"),
    FixedValue(C::kAlways, "R63", kR63_kOhm, "kOhm").Rated("1/4 W").PrintedAs("", "1/4 W"),
    DimensionedPart(C::kAlways, "R65", &V::R65, "kOhm")
        .Rated("1/4 W")
        .Scaled(1, "Ohm")
        .PrintedAs("", "1/4 W"),
    EmptyRow(),
});

// Outputs with a minimum voltage of 0 get no parts; the others keep their
// numbers, which the list prints as numbers: "C4 1".
void WriteSecondarySide(const DesignState& s, ComponentListWriter& list) {
  const DesignInputs& in = s.inputs;
  list.Write({"      Components at secondary side (no. 40 - 59)"});
  list.WriteEmpty(1);
  for (int i = 1; i <= in.n_sec; ++i) {
    const OutputSpec& out = in.output(i);
    if (out.Umin == 0) continue;
    const CapacitorChoice capacitor = ListedOutputCapacitor(out);
    list.Part({.designator = "C4" + std::to_string(i),
               .value = capacitor.C,
               .unit = "µF",
               .rating = NumberText(capacitor.U_rating) + " V"},
              {.designator = "C4 " + std::to_string(i)});
  }
  list.WriteEmpty(1);
  for (int i = 1; i <= in.n_sec; ++i) {
    const OutputSpec& out = in.output(i);
    if (out.Umin == 0) continue;
    list.Proposed("D4" + std::to_string(i), OutputRectifierOf(s, i), "D4 " + std::to_string(i));
  }
  list.WriteEmpty(2);
}

void WriteOptoSection(const DesignState& s, ComponentListWriter& list) {
  const ComponentValues& c = s.components;
  const OptoRange range = RealOptoRange(c.U_ref, c.R60, c.R65, c.P60);
  list.WriteEmpty(2);
  list.Write({"      Control with opto coupler (no. 60 - 79)"});
  list.WriteEmpty(1);
  list.Write({"      Controlled voltage", zone, s.inputs.U_opto, "V"});
  list.WriteEmpty(1);
  list.Write({"      Adjustment range", zone, range.U1_low, "V -", range.U1_high, "V"});
  WritePartRows(kOptoParts, s.inputs, c, list);
}

}  // namespace

void WriteComponentList2(const DesignState& s, ComponentListWriter& list) {
  WriteSecondarySide(s, list);
  if (s.inputs.opto_reg) WriteOptoSection(s, list);
}

}  // namespace flyback
