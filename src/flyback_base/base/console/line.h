#pragma once

// A line of the window or of a report file: a sequence of items. A text item
// is written as it stands, a number item by the number rule, and a zone item
// moves the pen to the start of the next 14-column print zone (the ',' of the
// line notation; ';' simply puts two items side by side).

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace flyback {

struct ZoneAdvance {};
inline constexpr ZoneAdvance zone{};

class Item {
 public:
  enum class Kind { kText, kNumber, kZone };

  Item(const char* text) : kind_(Kind::kText), text_(text) {}             // NOLINT
  Item(std::string text) : kind_(Kind::kText), text_(std::move(text)) {}  // NOLINT
  Item(std::string_view text) : kind_(Kind::kText), text_(text) {}        // NOLINT
  Item(double number) : kind_(Kind::kNumber), number_(number) {}          // NOLINT
  Item(int number) : kind_(Kind::kNumber), number_(number) {}             // NOLINT
  Item(ZoneAdvance) : kind_(Kind::kZone) {}                               // NOLINT

  Kind kind() const { return kind_; }
  const std::string& text() const { return text_; }
  double number() const { return number_; }

 private:
  Kind kind_;
  std::string text_;
  double number_ = 0;
};

using Line = std::vector<Item>;

inline constexpr int kZoneWidth = 14;  // columns per print zone

// Column of the next print zone start strictly right of `column`.
inline int NextZoneStart(int column) {
  return (column / kZoneWidth + 1) * kZoneWidth;
}

// Lays a line out in fixed pitch (one column per character): the layout of
// report files, of the terminal and of the script transcript. UTF-8 in, UTF-8 out.
std::string LayoutFixedPitch(const Line& line);

// The text an item shows: texts as they stand, numbers by the number rule,
// nothing for a zone advance.
std::string ItemText(const Item& item);

// Number of characters (Unicode code points) of a UTF-8 text.
int CharacterCount(std::string_view utf8);

}  // namespace flyback
