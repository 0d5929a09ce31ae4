#include "base/console/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace flyback {

namespace {

constexpr int kSignificantDigits = 15;
constexpr int kLowestPlainExponent = -10;  // 1e-10 is still written plainly
constexpr int kFirstExponentForm = 15;     // 1e15 is written as 1E+15

}  // namespace

namespace {

// The significant digits of a positive finite value rounded to 15 digits,
// without trailing zeros, and the decimal exponent of the first digit.
struct Digits {
  std::array<char, 24> buffer{};
  std::size_t count = 0;
  int exponent = 0;

  std::string_view view() const { return {buffer.data(), count}; }
};

// Fills `digits` from a scientific text "d.ddde+XX".
void ParseScientific(std::string_view formatted, Digits& digits) {
  const std::size_t e_position = formatted.find('e');
  const std::size_t sign = e_position + 1;
  std::from_chars(formatted.data() + sign + (formatted[sign] == '+' ? 1 : 0),
                  formatted.data() + formatted.size(), digits.exponent);
  digits.count = 0;
  for (char c : formatted.substr(0, e_position)) {
    if (c != '.') digits.buffer[digits.count++] = c;
  }
  while (digits.count > 1 && digits.buffer[digits.count - 1] == '0') --digits.count;
}

Digits SignificantDigits(double magnitude) {
  Digits digits;
  std::array<char, 40> text{};
  char* const first = text.data();
  char* const last = text.data() + text.size();
  // The shortest text that reads back as the same double: when it has at most
  // 15 digits it is also the value rounded to 15 digits, and much faster.
  const char* end = std::to_chars(first, last, magnitude, std::chars_format::scientific).ptr;
  ParseScientific({first, static_cast<std::size_t>(end - first)}, digits);
  if (digits.count <= kSignificantDigits) return digits;
  end = std::to_chars(first, last, magnitude, std::chars_format::scientific, kSignificantDigits - 1)
            .ptr;
  ParseScientific({first, static_cast<std::size_t>(end - first)}, digits);
  return digits;
}

void AppendNumberText(std::string& out, double magnitude) {
  if (!std::isfinite(magnitude)) {
    out += "overflow";
    return;
  }
  magnitude = std::fabs(magnitude);
  // Most values are whole or rounded to a few decimals. When m / 10^k gives
  // back exactly this double for a whole m below 1e15, the value is the double
  // nearest to the decimal m·10^-k, which has at most 15 digits and so is
  // also its rounding to 15 digits: it is written from m directly.
  static constexpr std::array<double, 7> kScale = {1, 10, 100, 1000, 1e4, 1e5, 1e6};
  for (std::size_t decimals = 0; decimals < kScale.size(); ++decimals) {
    const double m = std::nearbyint(magnitude * kScale[decimals]);
    if (m >= 1e15) break;
    if (m / kScale[decimals] != magnitude) continue;
    std::array<char, 24> text{};
    const char* end =
        std::to_chars(text.data(), text.data() + text.size(), static_cast<long long>(m)).ptr;
    std::string_view whole(text.data(), static_cast<std::size_t>(end - text.data()));
    if (decimals == 0) {
      out.append(whole);
      return;
    }
    if (whole.size() <= decimals) {  // below 1: leading zeros after the point
      out.append("0.").append(decimals - whole.size(), '0');
    } else {
      out.append(whole.substr(0, whole.size() - decimals)).append(".");
    }
    std::string_view fraction = whole.substr(whole.size() > decimals ? whole.size() - decimals : 0);
    while (!fraction.empty() && fraction.back() == '0') fraction.remove_suffix(1);
    out.append(fraction);
    return;
  }
  const Digits digits = SignificantDigits(magnitude);
  const std::string_view d = digits.view();
  const int exponent = digits.exponent;
  if (exponent < kLowestPlainExponent || exponent >= kFirstExponentForm) {
    out += d[0];
    if (d.size() > 1) out.append(".").append(d.substr(1));
    out += exponent < 0 ? "E-" : "E+";
    const int shown = std::abs(exponent);
    if (shown < 10) out += '0';
    out += std::to_string(shown);
    return;
  }
  if (exponent < 0) {
    out.append("0.").append(static_cast<std::size_t>(-exponent) - 1, '0').append(d);
    return;
  }
  const std::size_t integer_digits = static_cast<std::size_t>(exponent) + 1;
  if (d.size() <= integer_digits) {
    out.append(d).append(integer_digits - d.size(), '0');
    return;
  }
  out.append(d.substr(0, integer_digits)).append(".").append(d.substr(integer_digits));
}

}  // namespace

std::string NumberText(double magnitude) {
  std::string text;
  AppendNumberText(text, magnitude);
  return text;
}

void AppendFormattedNumber(std::string& out, double x) {
  out += x < 0 ? '-' : ' ';
  AppendNumberText(out, x);
  out += ' ';
}

std::string SignedNumberText(double x) {
  std::string text = x < 0 ? "-" : "";
  AppendNumberText(text, x);
  return text;
}

std::string FormatNumber(double x) {
  std::string text;
  AppendFormattedNumber(text, x);
  return text;
}

}  // namespace flyback
