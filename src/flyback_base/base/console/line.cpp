#include "base/console/line.h"

#include "base/console/number_text.h"

namespace flyback {

int CharacterCount(std::string_view utf8) {
  int count = 0;
  for (char c : utf8) {
    // Continuation bytes 10xxxxxx belong to the character before them.
    if ((static_cast<unsigned char>(c) & 0xC0U) != 0x80U) ++count;
  }
  return count;
}

std::string ItemText(const Item& item) {
  switch (item.kind()) {
    case Item::Kind::kText:
      return item.text();
    case Item::Kind::kNumber:
      return FormatNumber(item.number());
    case Item::Kind::kZone:
      break;
  }
  return {};
}

std::string LayoutFixedPitch(const Line& line) {
  std::string out;
  int column = 0;
  for (const Item& item : line) {
    switch (item.kind()) {
      case Item::Kind::kZone: {
        const int target = NextZoneStart(column);
        out.append(static_cast<std::size_t>(target - column), ' ');
        column = target;
        break;
      }
      case Item::Kind::kText:
        out += item.text();
        column += CharacterCount(item.text());
        break;
      case Item::Kind::kNumber: {
        const std::size_t before = out.size();
        AppendFormattedNumber(out, item.number());
        column += static_cast<int>(out.size() - before);  // number texts are ASCII
        break;
      }
    }
  }
  return out;
}

}  // namespace flyback
