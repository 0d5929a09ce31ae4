#pragma once

// Cells of the side tables on standard error (the adviser's ranking, the
// loop's corners): figures written with std::to_chars, whatever the locale,
// and aligned in columns of fixed width.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace flyback {

// `text` right-aligned in `width` columns.
std::string Right(const std::string& text, std::size_t width);

// `text` left-aligned in `width` columns.
std::string Left(std::string_view text, std::size_t width);

// `value` with `decimals`; empty where it cannot be written.
std::string Fixed(double value, int decimals);

// A figure with `decimals`, or "-" where there is none, right-aligned in
// `width` (FigureInWidth where it is wider). The caller puts the blank or
// the mark that parts it from the column before.
std::string Cell(std::optional<double> value, std::size_t width, int decimals);

}  // namespace flyback
