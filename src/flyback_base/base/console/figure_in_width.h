#pragma once

// A figure in a table column of fixed width: side tables on standard error
// (the adviser's ranking, the simulation beside the calculation) keep their
// columns whatever the figures, even where a design gives 1e61 or no figure
// at all.

#include <cstddef>
#include <string>
#include <string_view>

namespace flyback {

// `text`, the figure `x` as the table writes it (empty where it could not
// be written), where it has 1 to `width` characters; else `x` in exponent
// form with as many digits as fit ("1.2e+61"), or `width` "#" where not
// even that fits (as a spreadsheet marks a figure wider than its column).
// "n/a" for an `x` that is not finite.
std::string FigureInWidth(double x, std::string_view text, std::size_t width);

}  // namespace flyback
