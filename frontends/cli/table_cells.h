#pragma once

// The cells of the tables on standard error in script mode: texts aligned
// in their columns and figures written with std::to_chars, whatever the
// locale.

#include <cstddef>
#include <optional>
#include <string>

namespace flyback {

// `text` right-aligned in `width` columns.
std::string Right(const std::string& text, std::size_t width);

// `text` left-aligned in `width` columns.
std::string Left(const std::string& text, std::size_t width);

// A figure with `decimals`, or "-" where there is none, right-aligned in
// `width`. The caller puts the blank or the mark that parts it from the
// column before.
std::string Cell(std::optional<double> value, std::size_t width, int decimals);

}  // namespace flyback
