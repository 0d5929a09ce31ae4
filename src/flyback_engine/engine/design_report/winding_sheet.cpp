#include "engine/design_report/winding_sheet.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "engine/design_report/html_text.h"
#include "engine/losses/winding_loss.h"
#include "engine/transformer/result_figures.h"
#include "engine/transformer/winding_values.h"

namespace flyback {

namespace {

// nH/mm, the permeability of vacuum in the units of AL and Ae: an airgap of
// g mm under Ae mm² alone gives AL = μ0 · Ae / g.
constexpr double kMu0_nH_per_mm = 1.25663706;

// The wire of a winding sized at `cross_section_mm2`: the bare diameter of
// one wire rounded up to 0.01 mm, so that the copper is not less.
std::string WireText(const Copper& copper, bool wires_mode) {
  const double d_mm = std::ceil(copper.d_wire_mm * 100 - 1e-9) / 100;
  if (wires_mode) {
    return std::to_string(copper.parallel_wires) + " × Ø " + Significant(copper.d_wire_mm) + " mm";
  }
  return "Ø " + Rounded(d_mm, 2) + " mm (" + Significant(copper.A_cu_mm2) + " mm²)";
}

std::string Layers(const std::optional<LossCore>& core, double turns, const Copper& copper) {
  if (!core) return "";
  return std::to_string(
      LayerCount(turns, copper.parallel_wires, copper.d_wire_mm, core->geometry.bobbin_width_mm));
}

std::string Bobbin(const LossCoreChoice& choice) {
  if (!choice.core) return "Layers not given: " + choice.reason + ".";
  const CoreGeometry& g = choice.core->geometry;
  std::string text = "Layers for a winding width of " + Significant(g.bobbin_width_mm) + " mm (" +
                     std::string(g.shape) + " bobbin";
  if (choice.core->estimated) text += ", estimated from Ae: only AL and Ae are known";
  return text + "), close-wound enamelled wire, each winding in layers of its own.";
}

std::string Insulation(const DesignInputs& in, const TransformerDesign& t) {
  const std::string source = in.dc_input
                                 ? "the DC input of up to " + Significant(in.U_DC_max) + " V"
                                 : "the mains of up to " + Significant(in.U_mains_max) + " V rms";
  return "Between the primary side (primary and IC-supply winding) and the secondaries: "
         "insulation as the safety standard of the equipment asks for " +
         source + " (reinforced insulation for mains, e.g. three layers of polyester tape or " +
         "triple-insulated wire for the secondaries, with margin tape for the creepage "
         "distance); working voltage up to " +
         Rounded(t.U_D_max, 0) + " V peak at the drain end of the primary.";
}

std::string Inductance(const DesignState& s) {
  const double L_uH = ShownResultFigures(s).primary_inductance_uH;
  return Rounded(L_uH, 0) + " µH ± " + Rounded(100 * kPrimaryInductanceTolerance, 0) + " % (" +
         Rounded(L_uH * (1 - kPrimaryInductanceTolerance), 0) + " µH to " +
         Rounded(L_uH * (1 + kPrimaryInductanceTolerance), 0) +
         " µH), measured across the primary with the other windings open.";
}

std::string Airgap(const DesignInputs& in) {
  if (in.tr_type == "1") return Significant(in.g) + " mm, as the core catalogue gives it.";
  return "about " + Rounded(kMu0_nH_per_mm * in.Ae / in.AL, 2) +
         " mm = μ0 · Ae / AL = " + Significant(kMu0_nH_per_mm) + " nH/mm · " + Significant(in.Ae) +
         " mm² / " + Significant(in.AL) +
         " nH (core reluctance and fringing neglected; the maker's gap " +
         "for AL = " + Significant(in.AL) + " nH governs).";
}

}  // namespace

WindingSheet MakeWindingSheet(const DesignState& s, const LossBudget& budget) {
  const DesignInputs& in = s.inputs;
  const TransformerDesign& t = s.transformer;
  const WindingValues values = ComputeWindingValues(in, t);
  const std::optional<LossCore>& core = budget.core.core;
  const bool wires_mode = WiresMode(in);
  WindingSheet sheet;
  int step = 0;
  const auto next = [&step] { return std::to_string(++step); };

  const double n_prim = std::round(t.n_prim);
  const Copper primary = CopperOf(in, values.A_prim);
  sheet.rows.push_back(
      {next(), "Primary", Rounded(n_prim, 0), WireText(primary, wires_mode),
       Layers(core, n_prim, primary),
       "drain end first (innermost, shielded by the rest), bus at the outer end; " +
           Rounded(values.I_prim_rms, 2) + " A rms"});
  sheet.rows.push_back({next(), "IC supply", Significant(t.nic), "thinnest practical wire", "",
                        Rounded(values.U_ic_act, 2) + " V, supply current of the IC only"});
  sheet.rows.push_back(
      {next(), "Insulation", "", "", "", "primary side to secondaries, see below"});

  // The output of the highest power lies next to the primary, where the
  // coupling is best.
  std::vector<int> outputs;
  for (int i = 1; i <= in.n_sec; ++i) outputs.push_back(i);
  const auto power = [&](int i) { return values.output(i).Uact * in.output(i).Imax; };
  std::stable_sort(outputs.begin(), outputs.end(),
                   [&](int a, int b) { return power(a) > power(b); });
  for (const int i : outputs) {
    const Copper copper = CopperOf(in, values.output(i).A_sec);
    sheet.rows.push_back({next(), "Output " + std::to_string(i), Significant(t.n_out(i)),
                          WireText(copper, wires_mode), Layers(core, t.n_out(i), copper),
                          Rounded(values.output(i).Uact, 2) + " V, " +
                              Significant(in.output(i).Imax) + " A, " +
                              Rounded(values.output(i).I_sec_rms, 2) + " A rms"});
  }
  sheet.bobbin = Bobbin(budget.core);
  sheet.insulation = Insulation(in, t);
  sheet.inductance = Inductance(s);
  sheet.airgap = Airgap(in);
  return sheet;
}

}  // namespace flyback
