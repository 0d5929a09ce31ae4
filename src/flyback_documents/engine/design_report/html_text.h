#pragma once

// Pieces of HTML text for the design report: escaped text, figures written
// without the user's locale, and tables. The report is UTF-8; every number
// goes through the program's number text ("." as decimal point, no
// thousands separator), so a report reads the same on every desktop.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace flyback {

// `text` with &, <, >, " and ' written as character references, and each
// control character but tab and line ends as U+FFFD.
std::string EscapeHtml(std::string_view text);

// A piece of the report's HTML. It is made only of text escaped on the way
// in (Text), of markup written into the program as a string literal, and of
// pieces joined: a name the user typed cannot reach the page without being
// escaped, since a std::string does not become Html. The builders below and
// the charts' plot (svg_plot.h) put tags around such pieces.
class Html {
 public:
  Html() = default;
  // Markup written into the program ("<td>", "</p>\n"): a literal holds no
  // typed text. Implicit, so that markup and pieces join with +.
  template <std::size_t N>
  Html(const char (&markup)[N]) : text_(markup, N - 1) {}

  // `text` escaped (EscapeHtml).
  static Html Text(std::string_view text) { return Html(EscapeHtml(text)); }

  Html& operator+=(const Html& more) {
    text_ += more.text_;
    return *this;
  }
  friend Html operator+(Html left, const Html& right) { return left += right; }

  const std::string& str() const { return text_; }

 private:
  explicit Html(std::string html) : text_(std::move(html)) {}
  friend Html KeepUnitsWithValues(const Html& html);

  std::string text_;
};

// Every figure the report writes passes here, the figures of the loss
// overview's texts included: one that is not finite is counted (on this
// thread), so that DesignReportHtml can name the section that holds it and
// the report is not written with "overflow" in place of a figure.
void NoteFigure(double x);

// The figures not finite noted on this thread so far.
long NonFiniteFiguresNoted();

// x to K decimals (RoundTo) in the number text: "4.19", "534".
std::string Rounded(double x, int decimals);

// x to `digits` significant digits, in fixed notation without trailing
// zeros: the intermediate values of a worked formula ("53.333", "0.8869",
// "540.44"). Large values keep every digit before the point.
std::string Significant(double x, int digits = 5);

// `html` with each space between a figure and its unit ("20.9 K",
// "0.27 mm²", "534 µH", "85 %") written as a non-breaking space, so that a
// narrow column never puts the unit on a line of its own. Markup is left as
// it is.
Html KeepUnitsWithValues(const Html& html);

// One table (every cell through KeepUnitsWithValues): a header row and body
// rows of cells. `css_class` goes on the table ("" none).
struct HtmlTable {
  std::string css_class;
  std::vector<Html> header;
  std::vector<std::vector<Html>> rows;
};

Html TableHtml(const HtmlTable& table);

// <`tag`>`content`</`tag`>; with a `css_class`, <`tag` class="...">.
Html Element(std::string_view tag, const Html& content, std::string_view css_class = "");

// A chart with its caption below, as a figure of its own line.
Html ChartFigure(const Html& chart, const Html& caption, std::string_view css_class = "");

}  // namespace flyback
