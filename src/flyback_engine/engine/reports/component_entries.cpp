#include "engine/reports/component_entries.h"

#include <array>
#include <string_view>

#include "base/console/answer_reading.h"
#include "base/console/number_text.h"
#include "engine/reports/component_list_lines.h"

namespace flyback {

namespace {

// The units the list writes values and ratings in.
constexpr std::array<std::string_view, 13> kUnits = {"pF", "nF", "µF", "mH", "Ohm", "kOhm", "MOhm",
                                                     "V",  "A",  "mA", "W",  "AT",  "ns"};

bool IsUnit(std::string_view text) {
  for (std::string_view unit : kUnits) {
    if (text == unit) return true;
  }
  return false;
}

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// A quantity at the start of a text: digits with an optional ".digits" or
// "/digits", an optional blank and a unit, ended by the end of the text, a
// comma or blanks. Returns its length, or 0.
std::size_t QuantityLength(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && IsDigit(text[pos])) ++pos;
  if (pos == 0) return 0;
  if (pos + 1 < text.size() && (text[pos] == '.' || text[pos] == '/') && IsDigit(text[pos + 1])) {
    ++pos;
    while (pos < text.size() && IsDigit(text[pos])) ++pos;
  }
  if (pos < text.size() && text[pos] == ' ') ++pos;
  const std::size_t unit_start = pos;
  while (pos < text.size() && text[pos] != ' ' && text[pos] != ',') ++pos;
  return IsUnit(text.substr(unit_start, pos - unit_start)) ? pos : 0;
}

// A text item of the value zone, such as " 470 nF" or " 5 Ohm   S235, NTC-
// Resistor": a value with its unit where it begins with one, the rest the
// part proposal or type.
void ReadValueText(std::string_view text, ComponentEntry& entry) {
  text = Trimmed(text);
  const std::size_t length = QuantityLength(text);
  if (length == 0) {
    entry.part = std::string(text);
    return;
  }
  const std::string_view quantity = text.substr(0, length);
  std::size_t digits = 0;
  while (digits < quantity.size() && (IsDigit(quantity[digits]) || quantity[digits] == '.')) {
    ++digits;
  }
  entry.value = ReadNumber(quantity.substr(0, digits));
  entry.unit = std::string(Trimmed(quantity.substr(digits)));
  entry.part = std::string(Trimmed(text.substr(length)));
}

// The third zone: the quantities it begins with (separated by commas) are
// the rating, the rest a remark: " 2 W, voltage proof", " 100 V, 150 mA, 8 ns".
void ReadRatingText(std::string_view text, ComponentEntry& entry) {
  text = Trimmed(text);
  std::size_t rating_end = 0;
  for (std::size_t pos = 0;;) {
    const std::size_t length = QuantityLength(text.substr(pos));
    if (length == 0) break;
    rating_end = pos + length;
    if (rating_end >= text.size() || text[rating_end] != ',') break;
    pos = text.find_first_not_of(' ', rating_end + 1);
    if (pos == std::string_view::npos) break;
  }
  entry.rating = std::string(text.substr(0, rating_end));
  std::string_view rest = text.substr(rating_end);
  if (!rest.empty() && rest.front() == ',') rest.remove_prefix(1);
  entry.remark = std::string(Trimmed(rest));
}

// The text of items as the list writes them, numbers by the number rule.
std::string Joined(const Line& items) {
  std::string text;
  for (const Item& item : items) text += ItemText(item);
  return text;
}

// Designators are capital letters and digits, "D01-D04" a range of them.
bool IsDesignator(std::string_view text) {
  bool letters = false;
  bool digits = false;
  for (char c : text) {
    if (c >= 'A' && c <= 'Z') {
      letters = true;
    } else if (IsDigit(c)) {
      digits = true;
    } else if (c != '-') {
      return false;
    }
  }
  return letters && digits;
}

// The value zone: a number with its unit, or a text (see ReadValueText). The
// PFC choke's zone also holds its current rating and its proposal.
void ReadValueItems(const Line& items, ComponentEntry& entry) {
  if (items.empty()) return;
  if (items.front().kind() != Item::Kind::kNumber) {
    ReadValueText(Joined(items), entry);
    return;
  }
  entry.value = items.front().number();
  std::size_t next = 1;
  if (next < items.size() && items[next].kind() == Item::Kind::kText) {
    std::string_view unit = Trimmed(items[next++].text());
    if (!unit.empty() && unit.back() == ',') unit.remove_suffix(1);
    entry.unit = std::string(unit);
  }
  if (next + 1 < items.size() && items[next].kind() == Item::Kind::kNumber) {
    entry.rating =
        NumberText(items[next].number()) + " " + std::string(Trimmed(items[next + 1].text()));
    next += 2;
  }
  entry.part =
      std::string(Trimmed(Joined(Line(items.begin() + static_cast<long>(next), items.end()))));
}

// One line of the list as an entry, if it names a part.
std::optional<ComponentEntry> EntryOf(const Line& line) {
  std::vector<Line> zones(1);
  for (const Item& item : line) {
    if (item.kind() == Item::Kind::kZone) {
      zones.emplace_back();
    } else {
      zones.back().push_back(item);
    }
  }
  ComponentEntry entry;
  const std::string first = Joined(zones.front());
  // A line written as one text ("      L01      2*33 mH,1 A   Filter- Choke, ...")
  // holds the designator and the proposal.
  const std::string_view head = Trimmed(first);
  const std::size_t gap = head.find("  ");
  std::string designator(head.substr(0, gap));
  std::erase(designator, ' ');
  if (!IsDesignator(designator)) return std::nullopt;
  entry.designator = designator;
  if (gap != std::string_view::npos) entry.part = std::string(Trimmed(head.substr(gap)));
  if (zones.size() > 1) ReadValueItems(zones[1], entry);
  if (zones.size() > 2) {
    const Line& rating = zones[2];
    if (!rating.empty() && rating.front().kind() == Item::Kind::kNumber) {
      entry.rating = std::string(Trimmed(Joined(rating)));
    } else {
      ReadRatingText(Joined(rating), entry);
    }
  }
  return entry;
}

}  // namespace

std::vector<ComponentEntry> ComponentEntries(const DesignState& s) {
  std::vector<ComponentEntry> entries;
  for (const std::vector<Line>& lines : {ComponentList1Lines(s), ComponentList2Lines(s)}) {
    for (const Line& line : lines) {
      if (std::optional<ComponentEntry> entry = EntryOf(line)) entries.push_back(*entry);
    }
  }
  return entries;
}

}  // namespace flyback
