#include "loop_table.h"

#include <array>
#include <charconv>
#include <optional>
#include <string>
#include <string_view>

namespace flyback {

namespace {

// `value` with `decimals`, or "-" where there is none, right-aligned in
// `width`; written with std::to_chars, whatever the locale.
std::string Cell(std::optional<double> value, std::size_t width, int decimals) {
  std::string text = "-";
  if (value) {
    std::array<char, 64> digits{};
    const auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(), *value,
                                            std::chars_format::fixed, decimals);
    text = error == std::errc() ? std::string(digits.data(), end) : "#";
  }
  return std::string(text.size() < width ? width - text.size() : 0, ' ') + text;
}

std::string Left(std::string_view text, std::size_t width) {
  return std::string(text) + std::string(text.size() < width ? width - text.size() : 0, ' ');
}

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

}  // namespace

std::string LoopTableText(const LoopDesign& loop) {
  const OptoCompensator& p = loop.parts;
  std::string text = "Loop (R65 " + Cell(p.R_up_kOhm, 0, 1) + " kOhm, R_LED " +
                     Cell(p.R_LED_kOhm, 0, 1) + " kOhm, R_z " + Cell(p.R_z_kOhm, 0, 1) +
                     " kOhm, C_z " + Cell(p.C_z_nF, 0, 3) + " nF, C_pole " +
                     Cell(p.C_pole_nF, 0, 2) + " nF; designed for " +
                     Cell(loop.compensator.crossover_Hz, 0, 0) + " Hz):\n";
  text += "line          load%   CTR mode           f_sw/kHz  f_c/Hz PM/deg  GM/dB  warnings\n";
  for (const LoopCorner& c : loop.corners) text += Row(c);
  return text;
}

void LoopTable::DesignShown(const DesignState& /*design*/) {
  const std::optional<LoopDesign>& loop = evaluator_.evaluation()->loop;
  if (loop) out_ << LoopTableText(*loop) << std::flush;
}

}  // namespace flyback
