#include "table_cells.h"

#include <array>
#include <charconv>
#include <string_view>

#include "base/console/figure_in_width.h"

namespace flyback {

std::string Right(const std::string& text, std::size_t width) {
  return std::string(text.size() < width ? width - text.size() : 0, ' ') + text;
}

std::string Left(const std::string& text, std::size_t width) {
  return text + std::string(text.size() < width ? width - text.size() : 0, ' ');
}

std::string Cell(std::optional<double> value, std::size_t width, int decimals) {
  std::string text = "-";
  if (value) {
    std::array<char, 64> digits{};
    const auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(), *value,
                                            std::chars_format::fixed, decimals);
    // A figure too long for the buffer is far too long for the column.
    text = FigureInWidth(*value, error == std::errc() ? std::string_view(digits.data(), end) : "",
                         width);
  }
  return Right(text, width);
}

}  // namespace flyback
