#pragma once

#include <string>

namespace flyback {

// The number text: decimal notation with '.', at most 15 significant digits,
// no trailing zeros, a leading zero below 1 ("0.85"); exponent form ("1.5E+15",
// "2E-11") outside 1e-10 <= |x| < 1e15; "overflow" for a value that is not
// finite. The sign is not part of the text.
std::string NumberText(double magnitude);

// The number text with "-" before a negative value and nothing before any
// other: the figure as it stands in a table or a file, without blanks.
std::string SignedNumberText(double x);

// The number rule: a blank (zero or positive) or "-" (negative), the number
// text of the magnitude, and one trailing blank: " 89.4 ", "-3 ".
std::string FormatNumber(double x);

// The same, appended to `out`.
void AppendFormattedNumber(std::string& out, double x);

}  // namespace flyback
