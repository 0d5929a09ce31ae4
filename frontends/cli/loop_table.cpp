#include "loop_table.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "table_cells.h"

namespace flyback {

namespace {

std::string Row(const LoopCorner& c) {
  constexpr double kPercent = 100;
  constexpr double kHertzPerKilohertz = 1000;
  std::string row = Left(c.line, 14) + Cell(kPercent * c.load_share, 5, 0) + Cell(c.CTR, 6, 2) +
                    " " + Left(SwitchingModeName(c.plant.mode), 14) +
                    Cell(c.plant.f_sw_Hz / kHertzPerKilohertz, 8, 1) +
                    Cell(c.margins.crossover_Hz, 9, 0) + Cell(c.margins.phase_margin_deg, 7, 1) +
                    Cell(c.margins.gain_margin_dB, 7, 1);
  std::string_view separator = "  ";
  for (LoopWarning w : c.warnings) {
    row += std::string(separator) + std::string(LoopWarningText(w));
    separator = "; ";
  }
  return row + "\n";
}

std::string PartsText(const OptoCompensator& p) {
  return "R65 " + Fixed(p.R_up_kOhm, 1) + " kOhm, R_LED " + Fixed(p.R_LED_kOhm, 1) + " kOhm, R_z " +
         Fixed(p.R_z_kOhm, 1) + " kOhm, C_z " + Fixed(p.C_z_nF, 3) + " nF, C_p " +
         Fixed(p.C_p_nF, 3) + " nF, C_pole " + Fixed(p.C_pole_nF, 2) + " nF";
}

std::string CornersText(const std::string& title, const std::vector<LoopCorner>& corners) {
  std::string text = title;
  text += "line          load%   CTR mode           f_sw/kHz  f_c/Hz PM/deg  GM/dB  warnings\n";
  for (const LoopCorner& c : corners) text += Row(c);
  return text;
}

}  // namespace

std::string LoopTableText(const LoopDesign& loop) {
  return CornersText("Loop (" + PartsText(loop.parts) + "):\n", loop.corners) +
         CornersText("Proposed compensator (" + PartsText(loop.compensator.rounded) +
                         "; designed for " + Fixed(loop.compensator.crossover_Hz, 0) + " Hz):\n",
                     loop.proposed_corners);
}

std::string LoopTableOf(const DesignEvaluation& evaluation) {
  if (evaluation.loop) return LoopTableText(*evaluation.loop);
  return "Loop: " + std::string(LoopNotModelledReason(evaluation.design)) + "\n";
}

}  // namespace flyback
