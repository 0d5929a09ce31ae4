#pragma once

// The reasons of a list of candidates with what every one of them has said
// once: in the adviser's ranking most cores share the design's own findings
// (the MOSFET's drain voltage, the clamp resistor's power), which would
// otherwise fill every row with the same sentence.

#include <string>
#include <vector>

namespace flyback {

struct SharedReasons {
  // The reasons every candidate gives, in the first candidate's order; a
  // figure that differs between the candidates reads "2.2 to 2.3".
  std::vector<std::string> shared;
  // For each candidate its other reasons, and of a shared reason whose
  // figures differ the words up to its own figure and that figure's unit
  // ("R06: power 2.27 W").
  std::vector<std::vector<std::string>> own;
};

// Two reasons are alike when their words agree and only their figures may
// differ; a figure is a number that does not stand in a word ("R06" is a
// name). A single candidate shares nothing.
SharedReasons ShareReasons(const std::vector<std::vector<std::string>>& reasons);

}  // namespace flyback
