#include "console/number_text.h"

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

std::string NumberText(double magnitude) {
  if (!std::isfinite(magnitude)) return "overflow";
  magnitude = std::fabs(magnitude);
  if (magnitude == 0) return "0";

  // Rounded to 15 significant digits: d.dddddddddddddde+XX
  std::array<char, 32> buffer{};
  const std::to_chars_result written =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                    std::chars_format::scientific, kSignificantDigits - 1);
  const std::string_view formatted(buffer.data(),
                                   static_cast<std::size_t>(written.ptr - buffer.data()));
  const std::size_t e_position = formatted.find('e');
  int exponent = 0;
  std::from_chars(formatted.data() + e_position + (formatted[e_position + 1] == '+' ? 2 : 1),
                  formatted.data() + formatted.size(), exponent);

  // The significant digits without the point and without trailing zeros.
  std::array<char, kSignificantDigits> digit_buffer{};
  std::size_t digit_count = 0;
  for (char c : formatted.substr(0, e_position)) {
    if (c != '.') digit_buffer[digit_count++] = c;
  }
  while (digit_count > 1 && digit_buffer[digit_count - 1] == '0') --digit_count;
  const std::string_view digits(digit_buffer.data(), digit_count);

  std::string text;
  if (exponent < kLowestPlainExponent || exponent >= kFirstExponentForm) {
    text += digits[0];
    if (digits.size() > 1) text.append(".").append(digits.substr(1));
    text += exponent < 0 ? "E-" : "E+";
    const int shown = std::abs(exponent);
    if (shown < 10) text += '0';
    text += std::to_string(shown);
    return text;
  }
  if (exponent < 0) {
    text.append("0.").append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
    return text;
  }
  const auto integer_digits = static_cast<std::size_t>(exponent + 1);
  if (digits.size() <= integer_digits) {
    text.append(digits).append(integer_digits - digits.size(), '0');
    return text;
  }
  text.append(digits.substr(0, integer_digits)).append(".").append(digits.substr(integer_digits));
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
