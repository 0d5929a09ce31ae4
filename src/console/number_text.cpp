#include "console/number_text.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace flyback {

namespace {

constexpr int kSignificantDigits = 15;
constexpr int kLowestPlainExponent = -10;  // 1e-10 is still written plainly
constexpr int kFirstExponentForm = 15;     // 1e15 is written as 1E+15

}  // namespace

std::string NumberText(double magnitude) {
  if (!std::isfinite(magnitude)) return "overflow";
  magnitude = std::fabs(magnitude);
  if (magnitude == 0) return "0";

  // "%.14e" rounds to 15 significant digits: d.dddddddddddddde+XX
  std::array<char, 40> buffer{};
  std::snprintf(buffer.data(), buffer.size(), "%.*e", kSignificantDigits - 1, magnitude);
  const std::string_view formatted(buffer.data());
  const std::size_t e_position = formatted.find('e');
  std::string digits;
  for (char c : formatted.substr(0, e_position)) {
    if (c != '.') digits += c;
  }
  const int exponent = std::atoi(buffer.data() + e_position + 1);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  if (exponent < kLowestPlainExponent || exponent >= kFirstExponentForm) {
    std::string text(1, digits[0]);
    if (digits.size() > 1) text.append(".").append(digits, 1);
    std::array<char, 16> exponent_text{};
    std::snprintf(exponent_text.data(), exponent_text.size(), "E%c%02d",
                  exponent < 0 ? '-' : '+', std::abs(exponent));
    return text + exponent_text.data();
  }
  std::string text;
  if (exponent < 0) {
    text.append("0.").append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
    return text;
  }
  const auto integer_digits = static_cast<std::size_t>(exponent + 1);
  if (digits.size() <= integer_digits) {
    text.append(digits).append(integer_digits - digits.size(), '0');
    return text;
  }
  text.append(digits, 0, integer_digits).append(".").append(digits, integer_digits);
  return text;
}

std::string FormatNumber(double x) {
  std::string text(1, x < 0 ? '-' : ' ');
  text += NumberText(x);
  text += ' ';
  return text;
}

double RoundTo(double x, int decimals) {
  static constexpr std::array<double, 4> kScale = {1, 10, 100, 1000};
  const double scale = kScale.at(static_cast<std::size_t>(decimals));
  // nearbyint rounds half-to-even in the default rounding mode.
  return std::nearbyint(x * scale) / scale;
}

}  // namespace flyback
