#pragma once

// A plot area in an SVG chart: data coordinates mapped to pixels, axes with
// ticks at round steps, and the SVG elements the charts are drawn of. Every
// number goes through the program's number text; no locale, no scripts.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/design_report/html_text.h"

namespace flyback {

struct AxisRange {
  double min = 0;
  double max = 1;
};

class SvgPlot {
 public:
  // A chart of width × height px whose plot area leaves `left` px for the
  // y-axis labels and fixed margins on the other sides.
  SvgPlot(double width_px, double height_px, double left_px, AxisRange x, AxisRange y);

  double X(double x) const;  // px of data x
  double Y(double y) const;  // px of data y

  // Both axes with ticks at round steps, grid lines and the axis titles.
  Html Axes(std::string_view x_title, std::string_view y_title) const;
  // As Axes, for x the decimal logarithm of the quantity: a tick at every
  // whole decade, labelled with the quantity ("10", "100", "1000").
  Html DecadeAxes(std::string_view x_title, std::string_view y_title) const;
  // A line through data points; `css_class` styles it.
  Html Polyline(const std::vector<std::pair<double, double>>& points,
                std::string_view css_class) const;
  Html Marker(double x, double y, double radius_px, std::string_view css_class) const;
  Html VerticalLine(double x, std::string_view css_class) const;

  // The whole chart: the <svg> element around `body`, with a title for
  // readers of the source and screen readers.
  Html Svg(std::string_view title, const Html& body) const;

 private:
  Html AxesWith(const std::vector<double>& x_ticks, bool decades, std::string_view x_title,
                std::string_view y_title) const;

  double width_, height_, left_;
  AxisRange x_, y_;
};

// A round step (1, 2 or 5 times a power of ten) that divides `span` into
// about `count` intervals.
double TickStep(double span, int count);

// The multiples of `step` within `range`, ascending.
std::vector<double> Ticks(AxisRange range, double step);

// A pixel coordinate: one decimal is enough for a print.
Html Px(double px);

// An SVG text element at (x, y) px; `anchor` "start", "middle" or "end".
Html SvgText(double x_px, double y_px, std::string_view text, std::string_view anchor,
             std::string_view css_class = "");

}  // namespace flyback
