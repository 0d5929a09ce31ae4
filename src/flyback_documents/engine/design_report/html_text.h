#pragma once

// Pieces of HTML text for the design report: escaped text, figures written
// without the user's locale, and tables. The report is UTF-8; every number
// goes through the program's number text ("." as decimal point, no
// thousands separator), so a report reads the same on every desktop.

#include <string>
#include <string_view>
#include <vector>

namespace flyback {

// `text` with &, <, >, " and ' written as character references, and each
// control character but tab and line ends as U+FFFD.
std::string EscapeHtml(std::string_view text);

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
std::string KeepUnitsWithValues(std::string_view html);

// One table (every cell through KeepUnitsWithValues): a header row and body rows of cells that are
// HTML already (escape text with EscapeHtml). `css_class` goes on the table ("" none).
struct HtmlTable {
  std::string css_class;
  std::vector<std::string> header;
  std::vector<std::vector<std::string>> rows;
};

std::string TableHtml(const HtmlTable& table);

}  // namespace flyback
