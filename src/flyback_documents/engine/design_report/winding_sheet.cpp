#include "engine/design_report/winding_sheet.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "engine/design_report/enamelled_wire.h"
#include "engine/design_report/html_text.h"
#include "engine/design_report/insulation_distance.h"
#include "engine/losses/winding_loss.h"
#include "engine/transformer/result_figures.h"
#include "engine/transformer/winding_values.h"

namespace flyback {

namespace {

// nH/mm, the permeability of vacuum in the units of AL and Ae: an airgap of
// g mm under Ae mm² alone gives AL = μ0 · Ae / g.
constexpr double kMu0_nH_per_mm = 1.25663706;

// How the transformer is built: on the catalogue's chamber bobbin by its
// maker (slot type), or margin-wound in layers on an ordinary bobbin.
struct Construction {
  bool slot_type = false;
  std::optional<LossCore> core;
  // mm, margin tape on each side; none where the working voltage is beyond
  // the creepage table or the maker's chambers keep the distances.
  std::optional<double> margin_mm;
  double width_mm = 0;  // mm, what the layers are counted on
};

Construction ConstructionOf(const DesignInputs& in, const TransformerDesign& t,
                            const LossBudget& budget) {
  Construction c;
  c.slot_type = in.tr_kind == TransformerKind::kSlotTransformer;
  c.core = budget.core.core;
  if (!c.slot_type) c.margin_mm = ReinforcedMargin_mm(t.U_D_max);
  if (c.core) c.width_mm = c.core->geometry.bobbin_width_mm - 2 * c.margin_mm.value_or(0);
  return c;
}

// A winding's wire as the winder orders it: the standard size whose copper
// is not less than the calculation's, with its largest outer diameter.
struct WoundWire {
  std::optional<EnamelledWire> standard;
  double d_bare_mm = 0;   // mm, the calculation's diameter of one wire
  double d_outer_mm = 0;  // mm, what one wire takes across a layer
  int parallel_wires = 1;
};

WoundWire WoundWireOf(double d_bare_mm, int parallel_wires) {
  const std::optional<EnamelledWire> standard = StandardWireAtLeast(d_bare_mm);
  return {standard, d_bare_mm, standard ? standard->d_grade2_mm : WirePitch(d_bare_mm),
          parallel_wires};
}

std::string WireText(const WoundWire& wire) {
  if (!wire.standard) {
    return "Ø " + Rounded(wire.d_bare_mm, 2) + " mm bare, above the table: wind parallel wires";
  }
  const double d_mm = wire.standard->d_nominal_mm;
  if (wire.parallel_wires > 1) {
    return std::to_string(wire.parallel_wires) + " × Ø " + Significant(d_mm) + " mm";
  }
  return "Ø " + Significant(d_mm) + " mm";
}

// The layers of `turns` whole turns of `wire` on `width_mm` (mm), close
// wound: the turns of a layer from the wire's outer diameter, and a last
// layer that is not full said plainly ("2: 51 + 2, spread": its turns
// spread over the width, as the bobbin note says).
std::string LayersText(double turns, const WoundWire& wire, double width_mm) {
  const long n = std::lround(turns);
  const long per_layer =
      static_cast<long>(std::floor(width_mm / (wire.d_outer_mm * wire.parallel_wires) + 1e-9));
  if (per_layer < 1) return "does not fit " + Significant(width_mm, 3) + " mm";
  const long layers = (n + per_layer - 1) / per_layer;
  const long last = n - (layers - 1) * per_layer;
  const std::string full = std::to_string(per_layer);
  if (layers == 1) {
    return last == per_layer ? "1 full" : "1: " + std::to_string(n) + " of " + full + ", spread";
  }
  if (last == per_layer) return std::to_string(layers) + " full of " + full;
  std::string text = std::to_string(layers) + ": ";
  for (long i = 1; i < layers; ++i) text += full + " + ";
  return text + std::to_string(last) + ", spread";
}

std::string Layers(const Construction& c, double turns, const WoundWire& wire) {
  if (!c.core || c.width_mm <= 0) return "";
  const std::string layers = LayersText(turns, wire, c.width_mm);
  return c.core->estimated ? "≈ " + layers : layers;
}

// The tape layers over a winding, with what they are for: "1", "3 reinforced".
std::string Tape(int layers, const std::string& what) {
  return std::to_string(layers) + (what.empty() ? "" : " " + what);
}

std::string Bobbin(const Construction& c, const LossCoreChoice& choice) {
  if (!c.core) return "Layers not given: " + choice.reason + ".";
  const CoreGeometry& g = c.core->geometry;
  const std::string bobbin =
      std::string(g.shape) + " bobbin, winding width " + Significant(g.bobbin_width_mm) + " mm";
  std::string text;
  if (c.slot_type) {
    text =
        "Slot-type transformer: the winding is the maker's, on its chamber bobbin; order "
        "and check it by this sheet. The layers (≈) are an estimate on the " +
        bobbin + ", the shape nearest by Ae.";
  } else if (c.core->estimated) {
    text = "Estimate: the " + bobbin +
           ", the shape nearest by Ae (only AL and Ae are known); count the layers (≈) again "
           "on the bobbin used.";
  } else {
    text = "The " + bobbin + ".";
  }
  if (c.margin_mm) {
    text +=
        " Layers counted on the " + Significant(c.width_mm, 3) + " mm between the margin tapes.";
  }
  return text +
         " Close-wound, each winding in layers of its own; the turns of a last layer "
         "that is not full (\"spread\") spread evenly over the width.";
}

std::string Phasing() {
  return "Every winding in the same direction, each starting on the same side of the "
         "bobbin; • marks the start. The drain and the rectifiers' anodes are alike ends, so "
         "the rectifiers block while the MOSFET conducts (flyback phasing; in the schematic "
         "the primary's dot at the bus, the secondaries' at their returns: opposite sense).";
}

std::string WireNote(const WoundWire& primary) {
  std::string text =
      "Enamelled round copper wire, grade 2 (IEC 60317-0-1): the next nominal size with no "
      "less copper than the winding table asks; turns a layer from its largest outer "
      "diameter";
  if (primary.standard) {
    text += " (" + Significant(primary.standard->d_grade2_mm) + " mm for " +
            Significant(primary.standard->d_nominal_mm) + " mm)";
  }
  return text + ". The IC supply carries only the IC's current: Ø " +
         Significant(kIcSupplyWire_mm) + " mm, the thinnest easily wound by hand.";
}

std::string Insulation(const DesignInputs& in, const TransformerDesign& t, const Construction& c) {
  const double U_V = t.U_D_max;
  const std::optional<double> basic_mm = BasicCreepage_mm(U_V);
  std::string text = in.dc_input ? "Where the DC input of up to " + Significant(in.U_DC_max) +
                                       " V is not itself separated from the mains, reinforced"
                                 : "Reinforced";
  text +=
      " insulation between the primary side (primary, IC supply, core) and the "
      "secondaries for a working voltage of " +
      Rounded(U_V, 0) + " V (the drain's peak, taken as the rms value it bounds). ";
  if (!basic_mm) {
    return text +
           "That is beyond IEC 60664-1 Table F.4 (1000 V): the distances are the "
           "safety engineer's to set.";
  }
  text += "Creepage " + Rounded(2 * *basic_mm, 1) + " mm (twice the " + Significant(*basic_mm, 3) +
          " mm of basic insulation, IEC 60664-1 Table F.4 and IEC 62368-1 Table 17, pollution "
          "degree 2, material group III); clearance " +
          Rounded(kReinforcedClearance_mm, 1) +
          " mm (IEC 60664-1 Table F.2, 4 kV impulse, overvoltage category II). ";
  if (c.slot_type) {
    return text + "The maker's chamber walls keep them.";
  }
  return text + "Margin tape " + Rounded(*c.margin_mm, 1) +
         " mm wide at each end of every layer (the creepage path crosses two margins), " +
         std::to_string(kReinforcedTapeLayers) +
         " layers of polyester tape between primary side and secondaries and over the last "
         "winding; "
         "or triple-insulated wire for the secondaries (IEC 62368-1 Annex J), no margins.";
}

std::string Inductance(const DesignState& s) {
  const double L_uH = ShownResultFigures(s).primary_inductance_uH;
  return Rounded(L_uH, 0) + " µH ± " + Rounded(100 * kPrimaryInductanceTolerance, 0) + " % (" +
         Rounded(L_uH * (1 - kPrimaryInductanceTolerance), 0) + " µH to " +
         Rounded(L_uH * (1 + kPrimaryInductanceTolerance), 0) +
         " µH), measured across the primary with the other windings open.";
}

std::string Leakage(const LossBudget& budget) {
  const LeakageFigures& leakage = budget.leakage;
  double clamp_W_per_percent = 0;
  for (const OperatingPointLosses* point : budget.points()) {
    clamp_W_per_percent = std::max(clamp_W_per_percent, point->clamp_W_at_1_percent);
  }
  return "at most " + Significant(leakage.L_lk_uH, 3) + " µH (" +
         Significant(100 * leakage.share, 2) + " % of L_prim, " +
         (leakage.estimated ? "estimated from the winding" : "the share assumed") +
         "), as the clamp was dimensioned; measured across the primary with every "
         "secondary and the IC-supply winding shorted. Each 1 % of L_prim more costs the "
         "clamp about " +
         Significant(clamp_W_per_percent, 2) + " W.";
}

std::string Airgap(const DesignInputs& in) {
  double g_mm = in.g;
  std::string source = "as the core catalogue gives it";
  if (!in.airgap_shown) {
    g_mm = kMu0_nH_per_mm * in.Ae / in.AL;
    source = "about μ0 · Ae / AL = " + Significant(kMu0_nH_per_mm) + " nH/mm · " +
             Significant(in.Ae) + " mm² / " + Significant(in.AL) +
             " nH (core reluctance and fringing neglected; the maker's gap for AL = " +
             Significant(in.AL) + " nH governs)";
  }
  return Rounded(g_mm, 2) + " mm, " + source + ": ground into the centre leg alone, or a " +
         "spacer of " + Rounded(g_mm / 2, 2) +
         " mm in each outer leg (it opens the centre leg as much: two gaps of half).";
}

}  // namespace

WindingSheet MakeWindingSheet(const DesignState& s, const LossBudget& budget) {
  const DesignInputs& in = s.inputs;
  const TransformerDesign& t = s.transformer;
  const WindingValues values = ComputeWindingValues(in, t);
  const Construction c = ConstructionOf(in, t, budget);
  WindingSheet sheet;
  int step = 0;
  const auto next = [&step] { return std::to_string(++step); };
  const auto wound = [&](double cross_section_mm2) {
    const Copper copper = CopperOf(in, cross_section_mm2);
    return WoundWireOf(copper.d_wire_mm, copper.parallel_wires);
  };

  const double n_prim = std::round(t.n_prim);
  const WoundWire primary = wound(values.A_prim);
  sheet.rows.push_back({next(), "Primary", Rounded(n_prim, 0), WireText(primary),
                        Layers(c, n_prim, primary), "• drain → bus +",
                        Tape(kFunctionalTapeLayers, ""), Rounded(values.I_prim_rms, 2) + " A rms"});
  const WoundWire ic_supply = WoundWireOf(kIcSupplyWire_mm, 1);
  sheet.rows.push_back({next(), "IC supply", Significant(t.nic), WireText(ic_supply),
                        Layers(c, t.nic, ic_supply), "• anode → primary 0 V",
                        c.slot_type ? "chamber wall" : Tape(kReinforcedTapeLayers, "reinforced"),
                        Rounded(values.U_ic_act, 2) + " V"});

  // The output of the highest power lies next to the primary, where the
  // coupling is best.
  std::vector<int> outputs;
  for (int i = 1; i <= in.n_sec; ++i) outputs.push_back(i);
  const auto power = [&](int i) { return values.output(i).Uact * in.output(i).Imax; };
  std::stable_sort(outputs.begin(), outputs.end(),
                   [&](int a, int b) { return power(a) > power(b); });
  for (const int i : outputs) {
    const WoundWire wire = wound(values.output(i).A_sec);
    const bool outermost = i == outputs.back();
    sheet.rows.push_back(
        {next(), "Output " + std::to_string(i), Significant(t.n_out(i)), WireText(wire),
         Layers(c, t.n_out(i), wire), "• anode → return",
         outermost ? Tape(kReinforcedTapeLayers, "outer wrap") : Tape(kFunctionalTapeLayers, ""),
         Rounded(values.output(i).Uact, 2) + " V, " + Significant(in.output(i).Imax) + " A, " +
             Rounded(values.output(i).I_sec_rms, 2) + " A rms"});
  }
  sheet.bobbin = Bobbin(c, budget.core);
  sheet.phasing = Phasing();
  sheet.wire = WireNote(primary);
  sheet.insulation = Insulation(in, t, c);
  sheet.inductance = Inductance(s);
  sheet.leakage = Leakage(budget);
  sheet.airgap = Airgap(in);
  return sheet;
}

}  // namespace flyback
