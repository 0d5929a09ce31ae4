// List 1 of the component list: mains filtering and power components
// (designators 0 - 19) and the control components (20 - 39).

#include <array>

#include "engine/components/selection_rules.h"
#include "engine/inputs/mains.h"
#include "engine/reports/component_list_lines.h"
#include "engine/reports/component_list_rows.h"

namespace flyback {

namespace {

using C = ListCondition;
using V = ComponentValues;

// Control components of the PWX 40218-2 / PWX 40219 family.
constexpr auto kPwxBlock = std::to_array<PartRow>({
    DimensionedPart(C::kAlways, "      C22", &V::C22, "pF", " 63 V"),
    FixedPart(C::kAlways, "      C24", " 1 nF", " 63 V"),
    FixedPart(C::kNoOpto, "      C25", " 10 nF", " 63 V"),
    FixedPart(C::kOpto, "      C25", " 3.3 nF", " 63 V"),
    FixedPart(C::kAlways, "      C26", " 22 µF", " 25 V"),
    FixedPart(C::kAlways, "      C27", " 100 nF", " 63 V"),
    FixedPart(C::kOpto, "      C28", " 1 nF", " 63 V"),
    FixedPart(C::kAlways, "      C29", " 56 pF", ""),
    DimensionedPart(C::kAlways, "      C30", &V::C30, "nF", " 63 V", 1, "pF"),
    DimensionedPart(C::kFixedFrequency, "      C31", &V::C31, "pF", " 63 V"),
    DimensionedPart(C::kThp, "      C36", &V::C36, "µF", " 25 V"),
    DimensionedPart(C::kThp, "      C38", &V::C38, "pF", " 63 V"),
    EmptyRow(),
    FixedPart(C::kAlways, "      D26", " 1N4148", " 100 V, 150 mA, 8 ns"),
    EmptyRow(),
    FixedPart(C::kNoThp, "      IC01", " PWX 40218-2", " Norvalis control IC"),
    FixedPart(C::kThp, "      IC01", " PWX 40219", " Norvalis control IC"),
    EmptyRow(C::kNoOpto),
    DimensionedPart(C::kNoOpto, "      P10", &V::P10, " kOhm", " poti"),
    EmptyRow(),
    // Above 150 V the two start-up resistors are in MOhm and must stand the voltage.
    DimensionedPart(C::kMainsAbove150V, "      R22", &V::R22, "MOhm", " voltage proof", 1000),
    DimensionedPart(C::kMainsAtMost150V, "      R22", &V::R22, "kOhm", ""),
    DimensionedPart(C::kMainsAbove150V, "      R23", &V::R23, "MOhm", " voltage proof", 1000),
    DimensionedPart(C::kMainsAtMost150V, "      R23", &V::R23, "kOhm", ""),
    DimensionedPart(C::kAlways, "      R24", &V::R24, "kOhm", " 1/4 W"),
    DimensionedPart(C::kAlways, "      R29", &V::R29, "kOhm", " 1/4 W"),
    DimensionedPart(C::kAlways, "      R30", &V::R30, "kOhm", " 1/4 W"),
    DimensionedPart(C::kFixedFrequency, "      R31", &V::R31, "kOhm", " 1/4 W"),
    DimensionedPart(C::kThp, "      R36", &V::R36, "MOhm", " 1/4 W"),
    DimensionedPart(C::kAlways, "      R35", &V::R35, "Ohm", " 1/4 W"),
    FixedPart(C::kAlways, "      R37", " 33 Ohm", " 1/4 W"),
    DimensionedPart(C::kAlways, "      R38", &V::R38, "kOhm", " 1/4 W"),
    DimensionedPart(C::kThp, "      R39", &V::R39, "kOhm", " 1/4 W"),
});

// Control components of the QRM1X305 (its P10 is a "Poti", the other a "poti").
constexpr auto kQrmBlock = std::to_array<PartRow>({
    FixedPart(C::kAlways, "      IC01", " QRM1X305", " Norvalis control IC"),
    EmptyRow(),
    DimensionedPart(C::kAlways, "      C22", &V::C22, "pF", " 63 V"),
    FixedPart(C::kAlways, "      C26", " 33 µF", " 25 V"),
    FixedPart(C::kAlways, "      C27", " 100 nF", " 63 V"),
    FixedPart(C::kOpto, "      C28", " 1.5 nF", " 63 V"),
    FixedPart(C::kNoOpto, "      C28", " 10 nF", " 63 V"),
    DimensionedPart(C::kAlways, "      C29", &V::C29, "pF", ""),
    EmptyRow(),
    FixedPart(C::kAlways, "      D26", " 1N4148", " 100 V, 150 mA, 8 ns"),
    EmptyRow(C::kNoOpto),
    DimensionedPart(C::kNoOpto, "      P10", &V::P10, " kOhm", " Poti"),
    EmptyRow(),
    DimensionedPart(C::kAlways, "      R22", &V::R22, " MOhm", ""),
    DimensionedPart(C::kAlways, "      R29", &V::R29, "kOhm", " 1/4 W"),
    DimensionedPart(C::kAlways, "      R35", &V::R35, "Ohm", " 1/4 W"),
    FixedPart(C::kAlways, "      R37", " 33 Ohm", " 1/4 W"),
    DimensionedPart(C::kAlways, "      R38", &V::R38, "kOhm", " 1/4 W"),
    EmptyRow(),
    EmptyRow(),
    EmptyRow(),
    EmptyRow(),
    EmptyRow(),
});

Line Part(std::string_view designator, Item value, std::string_view rating = {}) {
  Line line{designator, zone, std::move(value)};
  if (!rating.empty()) {
    line.emplace_back(zone);
    line.emplace_back(rating);
  }
  return line;
}

class List1 {
 public:
  explicit List1(const DesignState& s)
      : in_(s.inputs),
        t_(s.transformer),
        c_(s.components),
        dc_filter_(in_.filter == MainsFilter::kDcFilter) {}

  std::vector<Line> Lines() {
    Empty(2);
    Add({"      Mains filtering and power components (no. 0 - 19)"});
    Empty(1);
    AddCapacitors();
    Empty(1);
    AddRectifiers();
    Empty(1);
    Add({"      F01", zone, c_.F01, "AT", zone, " fuse"});
    Empty(1);
    AddChokes();
    Empty(1);
    AddResistors();
    Empty(1);
    Add(Part("      T01", c_.txt_T01));
    Empty(2);
    Add({"      Control components (no. 20 - 39)"});
    Empty(1);
    Add({"      IC-specific components:"});
    Empty(1);
    AppendPartLines(in_.ic_type == ControlIc::kPwx ? std::span<const PartRow>(kPwxBlock)
                                                   : std::span<const PartRow>(kQrmBlock),
                    in_, c_, lines_);
    Empty(8);
    return std::move(lines_);
  }

 private:
  void Add(Line line) { lines_.push_back(std::move(line)); }
  void Empty(int count) {
    for (int i = 0; i < count; ++i) Add({});
  }

  void AddCapacitors() {
    // The conventional filter of a PFC design needs larger X capacitors.
    const char* x_capacitor = in_.filter == MainsFilter::kConventional ? " 680 nF" : " 470 nF";
    Add(Part("      C01", x_capacitor, " X- capacitor"));
    Add(Part("      C02", x_capacitor, " X- capacitor"));
    if (in_.P_in_max > 75) {
      Add(Part("      C03", " 2.2 nF", " Y- capacitor"));
      Add(Part("      C04", " 2.2 nF", " Y- capacitor"));
    }
    if (dc_filter_) {
      const double U = select_capacitor(MainsPeak(in_.U_mains_max), 0).U_rating;
      Add({"      C05", zone, " 1 µF", zone, U, "V"});
    }
    if (in_.PFC) Add(Part("      C06", " 1 nF", " 1000 V"));
    Add({"      C07", zone, c_.C07, "µF", zone, c_.U_C07, "V"});
    if (in_.PFC) Add(Part("      C08", " 10 nF", " 600 V,  PFC capacitor"));
    Add(Part("      C09", " 220 pF", " 1000 V, 'Snubber'- capacitor"));
    Add(Part("      C10", " 2.2 nF", " Y- capacitor"));
    if (!in_.PFC) Add(Part("      C11", " 33 nF", " 630 V, Snubber- capacitor"));
  }

  void AddRectifiers() {
    if (!in_.dc_input) Add(Part("      D01-D04", c_.txt_D01_04));
    if (dc_filter_) Add(Part("      D05", select_D05(t_.I_in_avg)));
    if (in_.PFC) {
      Add(Part("      D08", c_.txt_D08));
      Add(Part("      D09", select_D09(t_.I_D_max)));
    } else {
      Add(Part("      D10", " MUR160       600 V, 1 A, 50 ns"));
    }
  }

  void AddChokes() {
    Add({c_.txt_L01});
    if (in_.PFC) Add({"      L08", zone, c_.L08, "mH,", c_.I_L08, "A", c_.txt_L08});
  }

  void AddResistors() {
    if (in_.PFC) {
      Add(Part("      R06", " 4.7 kOhm", " 2W"));
    } else {
      Add(Part("      R01", c_.txt_R01));
      Add({"      R11", zone, c_.R11, "kOhm", zone, " 2 W, voltage proof"});
    }
  }

  const DesignInputs& in_;
  const TransformerDesign& t_;
  const ComponentValues& c_;
  const bool dc_filter_;
  std::vector<Line> lines_;
};

}  // namespace

std::vector<Line> ComponentList1Lines(const DesignState& s) {
  return List1(s).Lines();
}

}  // namespace flyback
