#pragma once

// What must hold for any bytes given as a core data file: the reader either
// returns figures inside their ranges, whose loss budget for the
// three-output demonstration design is a finite figure, or refuses with one
// line of at most 200 characters. Any other exception escapes (a finding).

#include <string>
#include <string_view>

namespace flyback {

// The property `content` breaks, in words; empty where every one holds.
std::string CoreDataPropertyBroken(std::string_view content);

}  // namespace flyback
