#include "engine/design_report/efficiency_chart.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

#include "engine/design_report/html_text.h"
#include "engine/design_report/svg_plot.h"

namespace flyback {

namespace {

// Half the report's width: the chart stands beside the map's table.
constexpr double kWidth_px = 320;
constexpr double kHeight_px = 136;
constexpr double kLeft_px = 30;
constexpr double kPercent = 100;
constexpr int kRowStyles = 4;  // map-0 ... map-3, then again
constexpr double kAverageFrom = 0.25;
constexpr double kTenPercent = 0.10;
constexpr double kBarHalfWidth = 0.03;  // of full load, the 10 % limit's bar

std::string RowClass(std::size_t row) {
  return "map-" + std::to_string(row % kRowStyles);
}

// %: every efficiency of the map and every limit drawn, the lower end on a
// whole 5 % below them, the upper a point above them.
AxisRange EfficiencyRange(const EfficiencyMap& map, const RulesCheck& rules) {
  double lowest = kPercent;
  double highest = 0;
  const auto take = [&](double share) {
    lowest = std::min(lowest, kPercent * share);
    highest = std::max(highest, kPercent * share);
  };
  for (const MapRow& row : map.rows) {
    for (const MapPoint& point : row.loads) take(point.efficiency);
  }
  for (const RuleVerdict& v : rules.verdicts) {
    for (const std::optional<double>& limit : {v.limits.average_min, v.limits.ten_percent_min}) {
      if (limit) take(*limit);
    }
  }
  constexpr double kStep = 5;
  if (lowest > highest) return {0, kPercent};
  return {std::floor(lowest / kStep - 0.2) * kStep, std::min(kPercent, highest + 1)};
}

// Each limit's line, labelled with the rules that set it.
Html Limits(const SvgPlot& plot, const RulesCheck& rules) {
  Html out;
  for (const LimitLine& line : AverageLimitLines(rules.verdicts)) {
    const double eta = kPercent * line.efficiency;
    out += plot.Polyline({{kPercent * kAverageFrom, eta}, {kPercent, eta}}, "limit");
    out += SvgText(plot.X(kPercent) - 3, plot.Y(eta) - 2,
                   line.rules + ": average ≥ " + Rounded(eta, 1) + " %", "end", "limit-label");
  }
  for (const LimitLine& line : TenPercentLimitLines(rules.verdicts)) {
    const double eta = kPercent * line.efficiency;
    out += plot.Polyline({{kPercent * (kTenPercent - kBarHalfWidth), eta},
                          {kPercent * (kTenPercent + kBarHalfWidth), eta}},
                         "limit");
    out += SvgText(plot.X(kPercent * (kTenPercent + kBarHalfWidth)) + 2, plot.Y(eta) + 3,
                   line.rules + ": 10 % ≥ " + Rounded(eta, 1) + " %", "start", "limit-label");
  }
  return out;
}

}  // namespace

Html EfficiencySvg(const EfficiencyMap& map, const RulesCheck& rules) {
  const AxisRange eta = EfficiencyRange(map, rules);
  const SvgPlot plot(kWidth_px, kHeight_px, kLeft_px, {0, kPercent}, eta);
  Html body = plot.Axes("load in % of P_out_max", "efficiency in %");
  body += Limits(plot, rules);
  // The legend stands low on the right, where the efficiency at high load
  // leaves the plot empty: the input voltages, named in the map's table.
  constexpr double kLine_px = 9;
  const double legend_top = plot.Y(eta.min) - kLine_px * static_cast<double>(map.rows.size());
  for (std::size_t i = 0; i < map.rows.size(); ++i) {
    const MapRow& row = map.rows[i];
    std::vector<std::pair<double, double>> points;
    for (const MapPoint& point : row.loads) {
      NoteFigure(point.efficiency);
      points.emplace_back(kPercent * point.load, kPercent * point.efficiency);
    }
    body += plot.Polyline(points, RowClass(i));
    for (const auto& [load, efficiency] : points) {
      body += plot.Marker(load, efficiency, 2, RowClass(i) + "-point");
    }
    const double y = legend_top + kLine_px * static_cast<double>(i) + 2;
    body += "<line class=\"" + Html::Text(RowClass(i)) + "\" x1=\"" + Px(plot.X(kPercent) - 62) +
            "\" y1=\"" + Px(y - 3) + "\" x2=\"" + Px(plot.X(kPercent) - 44) + "\" y2=\"" +
            Px(y - 3) + "\"/>\n";
    body += SvgText(plot.X(kPercent) - 40, y, Significant(row.voltage.U_input_V) + " V", "start");
  }
  return plot.Svg("Efficiency against load at each input voltage", body);
}

}  // namespace flyback
