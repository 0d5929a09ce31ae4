#include "advice_table.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "table_cells.h"

namespace flyback {

namespace {

// `text` as typed (a core's name, a reason that quotes it) with every
// control character, which would move or blank the terminal, as "?".
std::string Printable(std::string text) {
  for (char& c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) c = '?';
  }
  return text;
}

// A figure as the shortest text that reads back as it.
std::string Weight(double weight) {
  if (!std::isfinite(weight)) return "n/a";
  std::array<char, 32> digits{};
  return {digits.data(), std::to_chars(digits.data(), digits.data() + digits.size(), weight).ptr};
}

// The columns of a candidate's figures: efficiency (%), temperature rise
// (K), fit (%), Bmax (mT), fsntmin (kHz).
struct FigureColumn {
  const char* name;
  std::size_t width;
  int decimals;
};
constexpr std::array<FigureColumn, 5> kFigureColumns = {{{"eta/%", 6, 1},
                                                         {"rise/K", 6, 1},
                                                         {"fit/%", 6, 1},
                                                         {"Bmax/mT", 7, 0},
                                                         {"fsntmin/kHz", 11, 2}}};
constexpr std::size_t kScoreWidth = 6;

std::string Row(const RankedCandidate& ranked) {
  const CandidateAssessment& a = ranked.assessment;
  std::string row = Right(std::to_string(ranked.rank), 4) + " " +
                    Left(Printable(a.candidate.name), 20) + (a.present ? "*" : " ") +
                    Cell(a.candidate.g_mm, 5, 2);
  row += " " + Left(CandidateVerdictName(ranked.verdict), 10) + " " +
         Cell(ranked.score, kScoreWidth, 2);
  std::array<std::optional<double>, kFigureColumns.size()> figures{};
  if (const std::optional<CandidateFigures>& f = a.figures) {
    figures = {100 * f->efficiency, f->rise_K, 100 * f->cf_prod, f->Bmax_mT, f->fsntmin_kHz};
  }
  for (std::size_t i = 0; i < figures.size(); ++i) {
    row += " " + Cell(figures[i], kFigureColumns[i].width, kFigureColumns[i].decimals);
  }
  return row + "  " + Printable(ranked.reason) + "\n";
}

}  // namespace

std::string AdviceTableText(const CoreAdvice& advice) {
  const AdviserWeights& w = advice.weights;
  std::string text = "Alternatives (drain-voltage limit " + Weight(advice.U_D_lim_V) +
                     " V; score = " + Weight(w.efficiency_per_percent) + "*eta[%] - " +
                     Weight(w.rise_per_K) + "*rise[K] + " + Weight(w.fit_per_percent) +
                     "*fit[%] - " + Weight(w.volume_per_cm3) + "*Ve[cm3]):\n";
  text += "rank core                  g/mm verdict    " + Right("score", kScoreWidth);
  for (const FigureColumn& column : kFigureColumns) text += " " + Right(column.name, column.width);
  text += "  reason\n";
  for (const RankedCandidate& ranked : advice.ranking) text += Row(ranked);
  return text;
}

std::string AdviceTableOf(const DesignEvaluation& evaluation) {
  return evaluation.alternatives ? AdviceTableText(*evaluation.alternatives) : std::string();
}

}  // namespace flyback
