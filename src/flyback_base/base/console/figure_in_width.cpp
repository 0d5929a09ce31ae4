#include "base/console/figure_in_width.h"

#include <array>
#include <charconv>
#include <cmath>

namespace flyback {

std::string FigureInWidth(double x, std::string_view text, std::size_t width) {
  if (!std::isfinite(x)) return "n/a";
  if (!text.empty() && text.size() <= width) return std::string(text);
  std::array<char, 32> digits{};
  char* const first = digits.data();
  char* const last = digits.data() + digits.size();
  const auto fits = [first, width](std::to_chars_result written) {
    return written.ec == std::errc() && static_cast<std::size_t>(written.ptr - first) <= width;
  };
  // The shortest exponent form that reads back as x, else fewer digits
  // until it fits.
  std::to_chars_result written = std::to_chars(first, last, x, std::chars_format::scientific);
  for (int precision = 15; !fits(written) && precision >= 0; --precision) {
    written = std::to_chars(first, last, x, std::chars_format::scientific, precision);
  }
  if (!fits(written)) return std::string(width, '#');
  return {first, written.ptr};
}

}  // namespace flyback
