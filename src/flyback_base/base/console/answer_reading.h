#pragma once

// The two ways an answer text becomes a number.

#include <optional>
#include <string_view>

namespace flyback {

// Leading-number rule: blanks, tabs and line feeds anywhere are ignored; then
// an optional sign, digits with at most one '.', and an optional exponent
// (E, e, D or d, optional sign, digits) are read as far as they go. An exponent
// letter without digits ends the number before the letter. No digit gives 0.
double ReadNumber(std::string_view answer);

// Whole-answer rule: apart from blanks at both ends the answer must be, as a
// whole, a number in the notation above. Anything else is no number.
std::optional<double> ReadWholeAnswer(std::string_view answer);

// Numbers the design computes with must lie within 1E-30 .. 1E+30 in
// magnitude, or be exactly 0.
bool IsComputableMagnitude(double value);

}  // namespace flyback
