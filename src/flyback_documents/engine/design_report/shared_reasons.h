#pragma once

// The reasons of a list of candidates with what several of them have said
// once: in the adviser's ranking most cores share the design's own findings
// (the MOSFET's drain voltage, the clamp resistor's power), and a handful
// share a finding of their own (an efficiency below the assumed one), which
// would otherwise fill their rows with the same sentence.

#include <cstddef>
#include <string>
#include <vector>

namespace flyback {

struct SharedReasons {
  // The reasons every candidate gives, in the first candidate's order; a
  // figure that differs between the candidates reads "2.2 to 2.3".
  std::vector<std::string> shared;
  // The reasons that several candidates but not all give, each once behind
  // its mark ("(a) the assumed efficiency ... 82.1 to 82.9 % ..."), in the
  // order of the first candidate that gives it; figures as in `shared`.
  std::vector<std::string> noted;
  // For each candidate its other reasons; of a shared reason whose figures
  // differ the words up to its own figure and that figure's unit ("R06:
  // power 2.27 W"); of a noted reason the note's mark and the candidate's
  // own figures where they differ, with their units ("(a) 82.9 %").
  std::vector<std::vector<std::string>> own;
};

// Two reasons are alike when their words agree and only their figures may
// differ; a figure is a number that does not stand in a word ("R06" is a
// name). A single candidate shares nothing.
SharedReasons ShareReasons(const std::vector<std::vector<std::string>>& reasons);

// The mark of the note at `index`: "(a)" to "(z)", then "(aa)", "(ab)", ...
std::string NoteMark(std::size_t index);

}  // namespace flyback
