#include "engine/design_report/html_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <utility>

#include "base/console/number_text.h"
#include "base/numbers/rounding.h"

namespace flyback {

std::string EscapeHtml(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        // HTML allows no control character but the white space, not even
        // as a reference: a typed one (a name with Ctrl-Z) becomes U+FFFD.
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') ||
            c == '\x7f') {
          out += "\xEF\xBF\xBD";
        } else {
          out += c;
        }
    }
  }
  return out;
}

namespace {

thread_local long non_finite_figures = 0;

}  // namespace

void NoteFigure(double x) {
  if (!std::isfinite(x)) ++non_finite_figures;
}

long NonFiniteFiguresNoted() {
  return non_finite_figures;
}

std::string Rounded(double x, int decimals) {
  NoteFigure(x);
  return SignedNumberText(RoundTo(x, decimals));
}

std::string Significant(double x, int digits) {
  NoteFigure(x);
  if (!std::isfinite(x) || x == 0) return SignedNumberText(x);
  const int magnitude = static_cast<int>(std::floor(std::log10(std::abs(x))));
  const int decimals = std::max(0, digits - 1 - magnitude);
  std::array<char, 64> buffer{};
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x,
                                          std::chars_format::fixed, decimals);
  if (error != std::errc{}) return SignedNumberText(x);
  std::string text(buffer.data(), end);
  if (text.find('.') != std::string::npos) {
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
  }
  return text == "-0" ? "0" : text;
}

namespace {

// Whether `text` begins with a unit: a letter, or µ, Ω, °, % (UTF-8).
bool StartsWithUnit(std::string_view text) {
  if (text.empty()) return false;
  const char c = text.front();
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '%') return true;
  for (const std::string_view unit : {"µ", "Ω", "°"}) {
    if (text.substr(0, unit.size()) == unit) return true;
  }
  return false;
}

}  // namespace

Html KeepUnitsWithValues(const Html& html) {
  const std::string_view text = html.str();
  std::string out;
  out.reserve(text.size());
  bool in_tag = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '<') in_tag = true;
    if (c == '>') in_tag = false;
    const bool after_digit = i > 0 && text[i - 1] >= '0' && text[i - 1] <= '9';
    if (c == ' ' && !in_tag && after_digit && StartsWithUnit(text.substr(i + 1))) {
      out += "&nbsp;";
    } else {
      out += c;
    }
  }
  return Html(std::move(out));
}

Html Element(std::string_view tag, const Html& content, std::string_view css_class) {
  const Html name = Html::Text(tag);
  const Html open = css_class.empty() ? "<" + name + ">"
                                      : "<" + name + " class=\"" + Html::Text(css_class) + "\">";
  return open + content + "</" + name + ">";
}

Html ChartFigure(const Html& chart, const Html& caption, std::string_view css_class) {
  return Element("figure", "\n" + chart + Element("figcaption", caption) + "\n", css_class) + "\n";
}

Html TableHtml(const HtmlTable& table) {
  Html inside = "\n";
  if (!table.header.empty()) {
    Html cells;
    for (const Html& cell : table.header) cells += Element("th", KeepUnitsWithValues(cell));
    inside += Element("thead", Element("tr", cells)) + "\n";
  }
  inside += "<tbody>\n";
  for (const std::vector<Html>& row : table.rows) {
    Html cells;
    for (const Html& cell : row) cells += Element("td", KeepUnitsWithValues(cell));
    inside += Element("tr", cells) + "\n";
  }
  inside += "</tbody>\n";
  return Element("table", inside, table.css_class) + "\n";
}

}  // namespace flyback
