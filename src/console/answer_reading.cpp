#include "console/answer_reading.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace flyback {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsExponentLetter(char c) {
  return c == 'E' || c == 'e' || c == 'D' || c == 'd';
}

// Scans the longest number at the start of `text`. Returns the number of
// characters it covers (0 when there is no digit in the mantissa) and the
// number in C notation in `c_notation`.
std::size_t ScanNumber(std::string_view text, std::string& c_notation) {
  std::size_t pos = 0;
  c_notation.clear();
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) c_notation += text[pos++];
  bool any_digit = false;
  bool seen_point = false;
  while (pos < text.size()) {
    const char c = text[pos];
    if (IsDigit(c)) {
      any_digit = true;
    } else if (c == '.' && !seen_point) {
      seen_point = true;
    } else {
      break;
    }
    c_notation += c;
    ++pos;
  }
  if (!any_digit) return 0;
  if (pos < text.size() && IsExponentLetter(text[pos])) {
    std::size_t exp_pos = pos + 1;
    std::string exponent = "e";
    if (exp_pos < text.size() && (text[exp_pos] == '+' || text[exp_pos] == '-')) {
      exponent += text[exp_pos++];
    }
    if (exp_pos < text.size() && IsDigit(text[exp_pos])) {
      while (exp_pos < text.size() && IsDigit(text[exp_pos])) exponent += text[exp_pos++];
      c_notation += exponent;
      pos = exp_pos;
    }
  }
  return pos;
}

double ToDouble(const std::string& c_notation) {
  return std::strtod(c_notation.c_str(), nullptr);
}

}  // namespace

double ReadNumber(std::string_view answer) {
  std::string compact;
  for (char c : answer) {
    if (c != ' ' && c != '\t' && c != '\n') compact += c;
  }
  std::string c_notation;
  if (ScanNumber(compact, c_notation) == 0) return 0;
  return ToDouble(c_notation);
}

std::optional<double> ReadWholeAnswer(std::string_view answer) {
  const std::size_t first = answer.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  const std::size_t last = answer.find_last_not_of(' ');
  const std::string_view core = answer.substr(first, last - first + 1);
  std::string c_notation;
  if (ScanNumber(core, c_notation) != core.size()) return std::nullopt;
  return ToDouble(c_notation);
}

bool IsComputableMagnitude(double value) {
  const double magnitude = std::fabs(value);
  return value == 0 || (magnitude >= 1e-30 && magnitude <= 1e30);
}

}  // namespace flyback
