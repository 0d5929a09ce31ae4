#include "table_cells.h"

#include <array>
#include <charconv>

#include "base/console/figure_in_width.h"

namespace flyback {

std::string Right(const std::string& text, std::size_t width) {
  return std::string(text.size() < width ? width - text.size() : 0, ' ') + text;
}

std::string Left(std::string_view text, std::size_t width) {
  return std::string(text) + std::string(text.size() < width ? width - text.size() : 0, ' ');
}

std::string Fixed(double value, int decimals) {
  std::array<char, 64> digits{};
  const auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(), value,
                                          std::chars_format::fixed, decimals);
  // A figure too long for the buffer is far too long for any column.
  return error == std::errc() ? std::string(digits.data(), end) : std::string();
}

std::string Cell(std::optional<double> value, std::size_t width, int decimals) {
  return Right(value ? FigureInWidth(*value, Fixed(*value, decimals), width) : "-", width);
}

}  // namespace flyback
