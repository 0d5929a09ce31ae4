#pragma once

// A netlist's text as it is built. Num is the one place it writes a figure;
// a figure that is not finite is noted there, and the line it lands on is
// kept to name it, so that no "inf" or "nan" is handed on as a value.

#include <charconv>
#include <cmath>
#include <string>

namespace flyback {

class NetlistText {
 public:
  // Six significant digits, locale-free; a zero has no sign.
  std::string Num(double x) {
    if (!std::isfinite(x)) non_finite_pending_ = true;
    if (x == 0) return "0";
    char figure[32];
    const auto result =
        std::to_chars(figure, figure + sizeof figure, x, std::chars_format::general, 6);
    return {figure, result.ptr};
  }

  NetlistText& operator+=(const std::string& part) {
    if (non_finite_pending_ && non_finite_line.empty()) {
      non_finite_line = part.substr(0, part.find('\n'));
    }
    non_finite_pending_ = false;
    text += part;
    return *this;
  }

  std::string text;
  std::string non_finite_line;  // the first line with a figure that is not finite

 private:
  bool non_finite_pending_ = false;  // a figure not finite since the last part
};

}  // namespace flyback
