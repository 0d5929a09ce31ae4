#include "engine/design_report/svg_plot.h"

#include <cmath>
#include <utility>

#include "engine/design_report/html_text.h"

namespace flyback {

namespace {

constexpr double kTop_px = 12;
constexpr double kRight_px = 14;
constexpr double kBottom_px = 36;

}  // namespace

SvgPlot::SvgPlot(double width_px, double height_px, double left_px, AxisRange x, AxisRange y)
    : width_(width_px), height_(height_px), left_(left_px), x_(x), y_(y) {
  // A range without a span still gets a plot area: one unit around it.
  if (!(x_.max > x_.min)) x_ = {x_.min - 0.5, x_.min + 0.5};
  if (!(y_.max > y_.min)) y_ = {y_.min - 0.5, y_.min + 0.5};
}

double SvgPlot::X(double x) const {
  return left_ + (x - x_.min) / (x_.max - x_.min) * (width_ - left_ - kRight_px);
}

double SvgPlot::Y(double y) const {
  return height_ - kBottom_px - (y - y_.min) / (y_.max - y_.min) * (height_ - kTop_px - kBottom_px);
}

Html SvgPlot::Axes(std::string_view x_title, std::string_view y_title) const {
  return AxesWith(Ticks(x_, TickStep(x_.max - x_.min, 6)), false, x_title, y_title);
}

Html SvgPlot::DecadeAxes(std::string_view x_title, std::string_view y_title) const {
  return AxesWith(Ticks(x_, 1), true, x_title, y_title);
}

Html SvgPlot::AxesWith(const std::vector<double>& x_ticks, bool decades, std::string_view x_title,
                       std::string_view y_title) const {
  Html out;
  for (const double x : x_ticks) {
    const double px = X(x);
    out += "<line class=\"grid\" x1=\"" + Px(px) + "\" y1=\"" + Px(Y(y_.min)) + "\" x2=\"" +
           Px(px) + "\" y2=\"" + Px(Y(y_.max)) + "\"/>\n";
    out += SvgText(px, Y(y_.min) + 13, Significant(decades ? std::pow(10, x) : x, 4), "middle");
  }
  for (const double y : Ticks(y_, TickStep(y_.max - y_.min, 5))) {
    const double py = Y(y);
    out += "<line class=\"grid\" x1=\"" + Px(X(x_.min)) + "\" y1=\"" + Px(py) + "\" x2=\"" +
           Px(X(x_.max)) + "\" y2=\"" + Px(py) + "\"/>\n";
    out += SvgText(X(x_.min) - 4, py + 3.5, Significant(y, 4), "end");
  }
  out += "<rect class=\"frame\" x=\"" + Px(X(x_.min)) + "\" y=\"" + Px(Y(y_.max)) + "\" width=\"" +
         Px(X(x_.max) - X(x_.min)) + "\" height=\"" + Px(Y(y_.min) - Y(y_.max)) + "\"/>\n";
  out += SvgText((X(x_.min) + X(x_.max)) / 2, height_ - 6, x_title, "middle", "title");
  out += SvgText(X(x_.min), kTop_px - 3, y_title, "start", "title");
  return out;
}

Html SvgPlot::Polyline(const std::vector<std::pair<double, double>>& points,
                       std::string_view css_class) const {
  Html coordinates;
  bool first = true;
  for (const auto& [x, y] : points) {
    if (!std::exchange(first, false)) coordinates += " ";
    coordinates += Px(X(x)) + "," + Px(Y(y));
  }
  return "<polyline class=\"" + Html::Text(css_class) + "\" points=\"" + coordinates + "\"/>\n";
}

Html SvgPlot::Marker(double x, double y, double radius_px, std::string_view css_class) const {
  return "<circle class=\"" + Html::Text(css_class) + "\" cx=\"" + Px(X(x)) + "\" cy=\"" +
         Px(Y(y)) + "\" r=\"" + Px(radius_px) + "\"/>\n";
}

Html SvgPlot::VerticalLine(double x, std::string_view css_class) const {
  return "<line class=\"" + Html::Text(css_class) + "\" x1=\"" + Px(X(x)) + "\" y1=\"" +
         Px(Y(y_.min)) + "\" x2=\"" + Px(X(x)) + "\" y2=\"" + Px(Y(y_.max)) + "\"/>\n";
}

Html SvgPlot::Svg(std::string_view title, const Html& body) const {
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"chart\" viewBox=\"0 0 " + Px(width_) +
         " " + Px(height_) + "\" width=\"" + Px(width_) + "\" height=\"" + Px(height_) +
         "\" role=\"img\">\n" + Element("title", Html::Text(title)) + "\n" + body + "</svg>\n";
}

double TickStep(double span, int count) {
  if (!(span > 0) || !std::isfinite(span)) return 1;
  const double raw = span / count;
  const double power = std::pow(10, std::floor(std::log10(raw)));
  for (const double factor : {1.0, 2.0, 5.0}) {
    if (factor * power >= raw) return factor * power;
  }
  return 10 * power;
}

std::vector<double> Ticks(AxisRange range, double step) {
  // Whole multiples of the step, counted so that no rounding accumulates
  // and the tick at 0 is exactly 0.
  constexpr double kSlack = 1e-6;  // of a step: a range ending on a tick keeps it
  const auto first = static_cast<long>(std::ceil(range.min / step - kSlack));
  const auto last = static_cast<long>(std::floor(range.max / step + kSlack));
  std::vector<double> ticks;
  for (long k = first; k <= last; ++k) ticks.push_back(static_cast<double>(k) * step);
  return ticks;
}

Html Px(double px) {
  return Html::Text(Rounded(std::isfinite(px) ? px : 0, 1));
}

Html SvgText(double x_px, double y_px, std::string_view text, std::string_view anchor,
             std::string_view css_class) {
  const Html style = css_class.empty() ? Html() : " class=\"" + Html::Text(css_class) + "\"";
  return "<text x=\"" + Px(x_px) + "\" y=\"" + Px(y_px) + "\" text-anchor=\"" + Html::Text(anchor) +
         "\"" + style + ">" + Html::Text(text) + "</text>\n";
}

}  // namespace flyback
