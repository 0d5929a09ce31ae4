#include "one_line_text.h"

#include <vector>

namespace flyback {

namespace {

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0U) == 0x80U;
}

// Bytes of the UTF-8 sequence that starts at text[at], 0 where none does
// (a stray continuation byte, an overlong or surrogate form, a cut sequence).
std::size_t SequenceLength(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = 0;
  unsigned char second_lowest = 0x80;
  unsigned char second_highest = 0xBF;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) second_lowest = 0xA0;   // no overlong form
    if (lead == 0xED) second_highest = 0x9F;  // no surrogate
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) second_lowest = 0x90;   // no overlong form
    if (lead == 0xF4) second_highest = 0x8F;  // nothing above U+10FFFF
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  const auto second = static_cast<unsigned char>(text[at + 1]);
  if (second < second_lowest || second > second_highest) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (!IsContinuation(static_cast<unsigned char>(text[at + i]))) return 0;
  }
  return length;
}

}  // namespace

std::string OneLineText(std::string_view text, std::size_t max_chars) {
  // The characters as they will be written, until one more than fits.
  std::vector<std::string_view> chars;
  for (std::size_t at = 0; at < text.size() && chars.size() <= max_chars;) {
    const std::size_t length = SequenceLength(text, at);
    const auto byte = static_cast<unsigned char>(text[at]);
    if (length == 0 || byte < 0x20 || byte == 0x7F) {
      chars.emplace_back("?");
      ++at;
    } else {
      chars.push_back(text.substr(at, length));
      at += length;
    }
  }
  const bool cut = chars.size() > max_chars;
  if (cut) chars.resize(max_chars == 0 ? 0 : max_chars - 1);
  std::string line;
  for (const std::string_view c : chars) line += c;
  if (cut && max_chars > 0) line += "…";
  return line;
}

}  // namespace flyback
