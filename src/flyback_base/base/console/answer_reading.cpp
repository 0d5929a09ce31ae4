#include "base/console/answer_reading.h"

#include <charconv>
#include <cmath>
#include <limits>
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

// The decimal exponent of the first non-zero digit of a scanned number
// ("0.05" gives -2, "120e3" gives 5); only its sign matters below.
int LeadingDigitExponent(std::string_view c_notation) {
  const std::size_t e_position = c_notation.find('e');
  int exponent = 0;
  if (e_position != std::string_view::npos) {
    const std::string_view digits = c_notation.substr(e_position + 1);
    std::from_chars(digits.data() + (digits.front() == '+' ? 1 : 0), digits.data() + digits.size(),
                    exponent);
  }
  const std::string_view mantissa = c_notation.substr(0, e_position);
  const std::size_t point = mantissa.find('.');
  const std::size_t first = mantissa.find_first_not_of("+-0.");
  const std::size_t integer_end = point == std::string_view::npos ? mantissa.size() : point;
  if (first == std::string_view::npos) return exponent;
  return exponent + (first < integer_end ? static_cast<int>(integer_end - first) - 1
                                         : -static_cast<int>(first - point));
}

// The number in C notation, as in the C locale whatever the user's locale:
// "0.5" is one half on a German desktop too. A magnitude beyond the range of
// a double becomes infinite, one below it zero, as the C library has it.
double ToDouble(std::string_view c_notation) {
  const bool negative = c_notation.front() == '-';
  const std::string_view unsigned_part =
      c_notation.substr(negative || c_notation.front() == '+' ? 1 : 0);
  double value = 0;
  const auto [end, error] =
      std::from_chars(unsigned_part.data(), unsigned_part.data() + unsigned_part.size(), value);
  if (error == std::errc::result_out_of_range) {
    value = LeadingDigitExponent(unsigned_part) >= 0 ? std::numeric_limits<double>::infinity() : 0;
  }
  return negative ? -value : value;
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
