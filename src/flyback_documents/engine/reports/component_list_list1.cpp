// List 1 of the component list: mains filtering and power components
// (designators 0 - 19) and the control components (20 - 39).

#include <array>

#include "base/console/number_text.h"
#include "engine/components/opto_feedback_parts.h"
#include "engine/components/selection_rules.h"
#include "engine/inputs/mains.h"
#include "engine/reports/component_list_rows.h"
#include "engine/reports/component_list_sections.h"

namespace flyback {

namespace {

using C = ListCondition;
using V = ComponentValues;

// Control components of the PWX 40218-2 / PWX 40219 family.
constexpr auto kPwxBlock = std::to_array<PartRow>({
    DimensionedPart(C::kAlways, "C22", &V::C22, "pF").Rated("63 V"),
    FixedValue(C::kAlways, "C24", 1, "nF").Rated("63 V"),
    FixedValue(C::kNoOpto, "C25", 10, "nF").Rated("63 V"),
    FixedValue(C::kOpto, "C25", 3.3, "nF").Rated("63 V"),
    FixedValue(C::kAlways, "C26", 22, "µF").Rated("25 V"),
    FixedValue(C::kAlways, "C27", 100, "nF").Rated("63 V"),
    FixedValue(C::kOpto, "C28", kC28PwxOpto_nF, "nF").Rated("63 V"),
    FixedValue(C::kAlways, "C29", 56, "pF"),
    DimensionedPart(C::kAlways, "C30", &V::C30, "nF").Rated("63 V").Scaled(1, "pF"),
    DimensionedPart(C::kFixedFrequency, "C31", &V::C31, "pF").Rated("63 V"),
    DimensionedPart(C::kThp, "C36", &V::C36, "µF").Rated("25 V"),
    DimensionedPart(C::kThp, "C38", &V::C38, "pF").Rated("63 V"),
    EmptyRow(),
    TypePart(C::kAlways, "D26", "1N4148").Rated("100 V, 150 mA, 8 ns"),
    EmptyRow(),
    TypePart(C::kNoThp, "IC01", "PWX 40218-2").Remarked("Norvalis control IC"),
    TypePart(C::kThp, "IC01", "PWX 40219").Remarked("Norvalis control IC"),
    EmptyRow(C::kNoOpto),
    DimensionedPart(C::kNoOpto, "P10", &V::P10, "kOhm")
        .Remarked("potentiometer")
        .PrintedAs(" kOhm", " poti"),
    EmptyRow(),
    // Above 150 V the two start-up resistors are in MOhm and must stand the voltage.
    DimensionedPart(C::kMainsAbove150V, "R22", &V::R22, "MOhm")
        .Remarked("voltage proof")
        .Scaled(1000),
    DimensionedPart(C::kMainsAtMost150V, "R22", &V::R22, "kOhm"),
    DimensionedPart(C::kMainsAbove150V, "R23", &V::R23, "MOhm")
        .Remarked("voltage proof")
        .Scaled(1000),
    DimensionedPart(C::kMainsAtMost150V, "R23", &V::R23, "kOhm"),
    DimensionedPart(C::kAlways, "R24", &V::R24, "kOhm").Rated("1/4 W"),
    DimensionedPart(C::kAlways, "R29", &V::R29, "kOhm").Rated("1/4 W"),
    DimensionedPart(C::kAlways, "R30", &V::R30, "kOhm").Rated("1/4 W"),
    DimensionedPart(C::kFixedFrequency, "R31", &V::R31, "kOhm").Rated("1/4 W"),
    DimensionedPart(C::kThp, "R36", &V::R36, "MOhm").Rated("1/4 W"),
    DimensionedPart(C::kAlways, "R35", &V::R35, "Ohm").Rated("1/4 W"),
    FixedValue(C::kAlways, "R37", 33, "Ohm").Rated("1/4 W"),
    DimensionedPart(C::kAlways, "R38", &V::R38, "kOhm").Rated("1/4 W"),
    DimensionedPart(C::kThp, "R39", &V::R39, "kOhm").Rated("1/4 W"),
});

// Control components of the QRM1X305 (its P10 is a "Poti", the other a "poti").
constexpr auto kQrmBlock = std::to_array<PartRow>({
    TypePart(C::kAlways, "IC01", "QRM1X305").Remarked("Norvalis control IC"),
    EmptyRow(),
    DimensionedPart(C::kAlways, "C22", &V::C22, "pF").Rated("63 V"),
    FixedValue(C::kAlways, "C26", 33, "µF").Rated("25 V"),
    FixedValue(C::kAlways, "C27", 100, "nF").Rated("63 V"),
    FixedValue(C::kOpto, "C28", kC28QrmOpto_nF, "nF").Rated("63 V"),
    FixedValue(C::kNoOpto, "C28", 10, "nF").Rated("63 V"),
    DimensionedPart(C::kAlways, "C29", &V::C29, "pF"),
    EmptyRow(),
    TypePart(C::kAlways, "D26", "1N4148").Rated("100 V, 150 mA, 8 ns"),
    EmptyRow(C::kNoOpto),
    DimensionedPart(C::kNoOpto, "P10", &V::P10, "kOhm")
        .Remarked("potentiometer")
        .PrintedAs(" kOhm", " Poti"),
    EmptyRow(),
    DimensionedPart(C::kAlways, "R22", &V::R22, "MOhm").PrintedAs(" MOhm", ""),
    DimensionedPart(C::kAlways, "R29", &V::R29, "kOhm").Rated("1/4 W"),
    DimensionedPart(C::kAlways, "R35", &V::R35, "Ohm").Rated("1/4 W"),
    FixedValue(C::kAlways, "R37", 33, "Ohm").Rated("1/4 W"),
    DimensionedPart(C::kAlways, "R38", &V::R38, "kOhm").Rated("1/4 W"),
    EmptyRow(),
    EmptyRow(),
    EmptyRow(),
    EmptyRow(),
    EmptyRow(),
});

// D10 of the designs without PFC, printed without the blank in its type.
constexpr Proposal kD10 = {" MUR160       600 V, 1 A, 50 ns", "MUR160", "600 V, 1 A, 50 ns"};

// A voltage rating as the list writes a computed one: "450 V".
std::string Volts(double U) {
  return NumberText(U) + " V";
}

class List1 {
 public:
  List1(const DesignState& s, ComponentListWriter& list)
      : in_(s.inputs),
        t_(s.transformer),
        c_(s.components),
        dc_filter_(in_.filter == MainsFilter::kDcFilter),
        list_(list) {}

  void Write() {
    list_.WriteEmpty(2);
    list_.Write({"      Mains filtering and power components (no. 0 - 19)"});
    list_.WriteEmpty(1);
    WriteCapacitors();
    list_.WriteEmpty(1);
    WriteRectifiers();
    list_.WriteEmpty(1);
    list_.Part({.designator = "F01", .value = c_.F01, .unit = "AT", .remark = "fuse"});
    list_.WriteEmpty(1);
    WriteChokes();
    list_.WriteEmpty(1);
    WriteResistors();
    list_.WriteEmpty(1);
    list_.Proposed("T01", select_mosfet(in_.U_D_lim, t_.I_D_max_fix).proposal);
    list_.WriteEmpty(2);
    list_.Write({"      Control components (no. 20 - 39)"});
    list_.WriteEmpty(1);
    list_.Write({"      IC-specific components:"});
    list_.WriteEmpty(1);
    WritePartRows(in_.ic_type == ControlIc::kPwx ? std::span<const PartRow>(kPwxBlock)
                                                 : std::span<const PartRow>(kQrmBlock),
                  in_, c_, list_);
    list_.WriteEmpty(8);
  }

 private:
  void WriteCapacitors() {
    // The conventional filter of a PFC design needs larger X capacitors.
    const double x_capacitor = in_.filter == MainsFilter::kConventional ? 680 : 470;  // nF
    for (const char* designator : {"C01", "C02"}) {
      list_.Part(
          {.designator = designator, .value = x_capacitor, .unit = "nF", .remark = "X- capacitor"});
    }
    if (in_.P_in_max > 75) {
      for (const char* designator : {"C03", "C04"}) {
        list_.Part(
            {.designator = designator, .value = 2.2, .unit = "nF", .remark = "Y- capacitor"});
      }
    }
    if (dc_filter_) {
      const double U = select_capacitor(MainsPeak(in_.U_mains_max), 0).U_rating;
      list_.Part({.designator = "C05", .value = 1, .unit = "µF", .rating = Volts(U)});
    }
    if (in_.PFC) list_.Part({.designator = "C06", .value = 1, .unit = "nF", .rating = "1000 V"});
    list_.Part({.designator = "C07", .value = c_.C07, .unit = "µF", .rating = Volts(c_.U_C07)});
    if (in_.PFC) {
      list_.Part({.designator = "C08",
                  .value = 10,
                  .unit = "nF",
                  .rating = "600 V",
                  .remark = "PFC capacitor"},
                 {.third_zone = " 600 V,  PFC capacitor"});
    }
    list_.Part({.designator = "C09",
                .value = 220,
                .unit = "pF",
                .rating = "1000 V",
                .remark = "'Snubber'- capacitor"});
    list_.Part({.designator = "C10", .value = 2.2, .unit = "nF", .remark = "Y- capacitor"});
    if (!in_.PFC) {
      list_.Part({.designator = "C11",
                  .value = 33,
                  .unit = "nF",
                  .rating = "630 V",
                  .remark = "Snubber- capacitor"});
    }
  }

  void WriteRectifiers() {
    if (!in_.dc_input) list_.Proposed("D01-D04", select_bridge(in_.PFC, in_.filter, t_.I_in_avg));
    if (dc_filter_) list_.Proposed("D05", select_D05(t_.I_in_avg));
    if (in_.PFC) {
      list_.Proposed("D08", select_pfc_diode(t_.I_D_max));
      list_.Proposed("D09", select_D09(t_.I_D_max));
    } else {
      list_.Proposed("D10", kD10);
    }
  }

  void WriteChokes() {
    list_.Proposed("L01", select_filter_choke(c_.I_filter));
    if (!in_.PFC) return;
    // The choke's value and current stand before the proposal, in one zone.
    const Proposal& choke = select_pfc_choke(t_.L_prim, t_.I_mains_max).proposal;
    list_.Part({.designator = "L08",
                .value = c_.L08,
                .unit = "mH",
                .part = std::string(choke.part),
                .rating = NumberText(c_.I_L08) + " A",
                .remark = std::string(choke.remark)},
               {.value_zone = {c_.L08, "mH,", c_.I_L08, "A", choke.printed}});
  }

  void WriteResistors() {
    if (in_.PFC) {
      list_.Part({.designator = "R06", .value = 4.7, .unit = "kOhm", .rating = "2 W"},
                 {.third_zone = " 2W"});
    } else {
      list_.Proposed("R01", select_ntc(c_.I_ntc));
      list_.Part({.designator = "R11",
                  .value = c_.R11,
                  .unit = "kOhm",
                  .rating = "2 W",
                  .remark = "voltage proof"});
    }
  }

  const DesignInputs& in_;
  const TransformerDesign& t_;
  const ComponentValues& c_;
  const bool dc_filter_;
  ComponentListWriter& list_;
};

}  // namespace

void WriteComponentList1(const DesignState& s, ComponentListWriter& list) {
  List1(s, list).Write();
}

}  // namespace flyback
