// The sections on what checked the design beside its calculation: the
// stage simulated in ngspice, and the core adviser's ranking.

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "engine/design_report/html_text.h"
#include "engine/design_report/report_sections.h"
#include "engine/design_report/shared_reasons.h"
#include "engine/design_report/svg_plot.h"
#include "engine/overview/design_overview.h"
#include "engine/simulation/comparison_table.h"

namespace flyback {

namespace {

constexpr double kChartWidth_px = 640;
// Rows of the ranking the report lists; the design file holds all.
constexpr std::size_t kListedCandidates = 15;

std::vector<std::pair<double, double>> Series(const std::vector<double>& t_us,
                                              const std::vector<double>& y) {
  std::vector<std::pair<double, double>> points;
  points.reserve(t_us.size());
  for (std::size_t i = 0; i < t_us.size(); ++i) points.emplace_back(t_us[i], y[i]);
  return points;
}

std::vector<std::pair<double, double>> Series(const std::vector<WaveformPoint>& waveform) {
  std::vector<std::pair<double, double>> points;
  points.reserve(waveform.size());
  for (const WaveformPoint& p : waveform) points.emplace_back(p.t_us, p.I_A);
  return points;
}

// The simulated currents of `point` over its last periods, the calculated
// ones of one period dashed from the first turn-on.
Html SimulatedCurrentsSvg(const SimulatedPoint& point, const CurrentWaveforms& calculated) {
  const WaveformExcerpt& e = point.figures.excerpt;
  double I_max = 0;
  double I_min = 0;
  for (const double I : e.primary_A) I_min = std::min(I_min, I);
  for (const std::vector<double>* values : {&e.primary_A, &e.reflected_A}) {
    for (const double I : *values) I_max = std::max(I_max, I);
  }
  for (const WaveformPoint& p : calculated.primary) I_max = std::max(I_max, p.I_A);
  const double span_us = e.time_us.empty() ? 1 : e.time_us.back();
  const SvgPlot plot(kChartWidth_px, 220, 44, {0, span_us}, {I_min, 1.1 * I_max});
  Html body = plot.Axes("t in µs", "I in A");
  body += plot.Polyline(Series(e.time_us, e.primary_A), "simulated-primary");
  body += plot.Polyline(Series(e.time_us, e.reflected_A), "simulated-secondary");
  body += plot.Polyline(Series(calculated.primary), "calculated");
  body += plot.Polyline(Series(calculated.secondary), "calculated");
  return plot.Svg("Simulated currents at the " + point.name, body);
}

// A figure of the ranking, "–" where the candidate has none.
Html Cell(std::optional<double> x, int decimals, const char* unit) {
  return x ? Html::Text(Rounded(*x, decimals) + unit) : Html("–");
}

}  // namespace

std::optional<ReportSection> SimulationSection(const DesignReportInput& input) {
  if (input.simulation == nullptr) return std::nullopt;
  const SimulationComparison& c = *input.simulation;
  HtmlTable table{"simulation", {}, {}};
  for (const char* column : kComparisonColumns) table.header.push_back(Html::Text(column));
  Html ran = "ngspice, leakage " + Html::Text(Rounded(100 * c.leakage_share, 2)) + " % of L_prim. ";
  for (const SimulatedPoint& p : c.points) {
    ran += Html::Text(p.name) + ": bus " + Html::Text(Rounded(p.figures.U_bus_V, 1)) + " V, " +
           Html::Text(std::to_string(p.figures.periods)) + " periods measured. ";
  }
  ran +=
      "The peak drain current and the frequency are compared from both sides with the loss "
      "budget's operating point at the same bus voltage, and from one side with the "
      "calculation's worst-case bounds I_D_max and fsntmin.";
  Html body = Element("p", ran) + "\n";
  for (const ComparedFigure& row : c.figures) {
    std::vector<Html> cells;
    for (const std::string& cell : ComparisonCells(row)) cells.push_back(Html::Text(cell));
    if (row.Outside()) cells.back() = Element("span", cells.back(), "outside");
    table.rows.push_back(std::move(cells));
  }
  body += TableHtml(table);
  if (!c.points.empty()) {
    body += ChartFigure(SimulatedCurrentsSvg(c.points.front(), Waveforms(input.design)),
                        "The drain current (blue) and the secondary currents referred to the "
                        "primary (orange) over the last simulated periods at the " +
                            Html::Text(c.points.front().name) +
                            ", and the calculated currents of one period (grey, dashed).");
  }
  return ReportSection{"simulation", "Simulation beside the calculation", false, body};
}

std::optional<ReportSection> AlternativesSection(const DesignReportInput& input) {
  if (input.alternatives == nullptr) return std::nullopt;
  const CoreAdvice& advice = *input.alternatives;
  const AdviserWeights& w = advice.weights;
  HtmlTable table{
      "ranking",
      {"Rank", "Core", "Airgap", "Verdict", "Efficiency", "Rise", "Bmax", "fsntmin", "Reasons"},
      {}};
  const std::size_t listed = std::min(kListedCandidates, advice.ranking.size());
  std::vector<std::vector<std::string>> listed_reasons;
  for (std::size_t i = 0; i < listed; ++i) listed_reasons.push_back(advice.ranking[i].reasons);
  // The design's own findings most cores share, and the findings a few
  // share, are said once above the ranking; each row keeps what is its own.
  const SharedReasons reasons = ShareReasons(listed_reasons);
  for (std::size_t i = 0; i < listed; ++i) {
    const RankedCandidate& ranked = advice.ranking[i];
    const CandidateAssessment& a = ranked.assessment;
    const std::optional<CandidateFigures>& f = a.figures;
    table.rows.push_back({Html::Text(std::to_string(ranked.rank)),
                          Html::Text(a.candidate.name) + (a.present ? Html(" *") : Html()),
                          Cell(a.candidate.g_mm, 2, " mm"),
                          Html::Text(CandidateVerdictName(ranked.verdict)),
                          Cell(f ? std::optional(100 * f->efficiency) : std::nullopt, 1, " %"),
                          Cell(f ? f->rise_K : std::nullopt, 1, " K"),
                          Cell(f ? std::optional(f->Bmax_mT) : std::nullopt, 0, " mT"),
                          Cell(f ? std::optional(f->fsntmin_kHz) : std::nullopt, 1, " kHz"),
                          Html::Text(JoinedReasons(reasons.own[i]))});
  }
  Html ranked =
      "Every core of the catalogues calculated for these outputs and ranked: "
      "usable first by score, then marginal ones by the weighted severity of their warnings, "
      "then rejected ones (a hard limit broken: hot spot, saturation, window fill, "
      "frequency); within each by the score " +
      Html::Text(Rounded(w.efficiency_per_percent, 2) + "·η[%] − " + Rounded(w.rise_per_K, 2) +
                 "·ΔT[K] + " + Rounded(w.fit_per_percent, 2) + "·fit[%] − " +
                 Rounded(w.volume_per_cm3, 2) + "·V_e[cm³]") +
      ". * marks the present design.";
  if (listed < advice.ranking.size()) {
    ranked +=
        Html::Text(" The first " + std::to_string(listed) + " of " +
                   std::to_string(advice.ranking.size()) + "; the design file lists every one.");
  }
  Html body = Element("p", ranked) + "\n";
  if (!reasons.shared.empty()) {
    const std::string shared = JoinedReasons(reasons.shared);
    body += Element("p",
                    "Every candidate: " + KeepUnitsWithValues(Html::Text(shared)) +
                        (shared.ends_with('.') ? Html() : Html(".")),
                    "notes") +
            "\n";
  }
  if (!reasons.noted.empty()) {
    const std::string noted = JoinedReasons(reasons.noted);
    body += Element("p",
                    "Several candidates, their rows with the mark and their own figures: " +
                        KeepUnitsWithValues(Html::Text(noted)) +
                        (noted.ends_with('.') ? Html() : Html(".")),
                    "notes") +
            "\n";
  }
  return ReportSection{"alternatives", "Alternative cores", false, body + TableHtml(table)};
}

}  // namespace flyback
