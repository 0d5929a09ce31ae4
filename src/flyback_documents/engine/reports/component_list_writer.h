#pragma once

// Writes the component list: every part goes in as a row of plain fields and
// comes out as its printed line, so that the printed list and the parts list
// are made from the same rows. Headings and empty lines are printed lines
// only.

#include <string>
#include <utility>
#include <vector>

#include "base/console/line.h"
#include "engine/components/catalogue_lookup.h"
#include "state/design/component_row.h"

namespace flyback {

// Where the printed list words a part otherwise than its row fields say it;
// each empty member leaves the printing to the fields.
struct PrintedWords {
  std::string designator = {};  // "C4 1": the output number printed as a number
  std::string unit = {};        // " kOhm": the unit with a blank before it
  std::string third_zone = {};  // " 600 V,  PFC capacitor": in place of rating and remark
  Line value_zone = {};         // every item from the value zone on, in place of all fields
};

// The printed line of a part: the indented designator; in the second zone
// the value and its unit, or the part; in the third zone the rating and the
// remark.
Line PrintedLine(const ComponentRow& row, const PrintedWords& words = {});

class ComponentListWriter {
 public:
  // A heading, or an empty line.
  void Write(Line line = {}) { lines_.push_back(std::move(line)); }
  void WriteEmpty(int count);
  void Part(ComponentRow row, const PrintedWords& words = {});
  // A catalogue proposal, printed as the catalogue words it.
  void Proposed(std::string designator, const Proposal& proposal,
                std::string printed_designator = {});

  // The lines written since the last call.
  std::vector<Line> TakeLines() { return std::exchange(lines_, {}); }
  // Every row written, in the order of the list.
  std::vector<ComponentRow> TakeRows() { return std::exchange(rows_, {}); }

 private:
  std::vector<Line> lines_;
  std::vector<ComponentRow> rows_;
};

}  // namespace flyback
