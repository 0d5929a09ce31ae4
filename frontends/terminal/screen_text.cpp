#include "screen_text.h"

#include <langinfo.h>

#include <clocale>
#include <cstring>
#include <cwchar>

// Wide characters are Unicode code points (glibc and every other libc this
// program is built with).
#ifndef __STDC_ISO_10646__
#error "wchar_t must hold Unicode code points"
#endif

namespace flyback {

namespace {

constexpr wchar_t kReplacement = 0xFFFD;

// Length of the UTF-8 sequence that begins with `lead`, 0 for a byte that
// begins none (a continuation byte, an overlong two-byte lead, beyond U+10FFFF).
std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80U) return 1;
  if (lead >= 0xC2U && lead <= 0xDFU) return 2;
  if (lead >= 0xE0U && lead <= 0xEFU) return 3;
  if (lead >= 0xF0U && lead <= 0xF4U) return 4;
  return 0;
}

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0U) == 0x80U;
}

}  // namespace

std::wstring DecodeUtf8(std::string_view utf8) {
  std::wstring text;
  text.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = SequenceLength(lead);
    bool valid = length != 0 && i + length <= utf8.size();
    char32_t code = length == 1 ? lead : lead & (0x7FU >> length);
    for (std::size_t k = 1; valid && k < length; ++k) {
      const auto byte = static_cast<unsigned char>(utf8[i + k]);
      valid = IsContinuation(byte);
      code = (code << 6U) | (byte & 0x3FU);
    }
    // Overlong three- and four-byte forms, surrogates, beyond U+10FFFF.
    if (valid && length == 3) valid = code >= 0x800 && (code < 0xD800 || code > 0xDFFF);
    if (valid && length == 4) valid = code >= 0x10000 && code <= 0x10FFFF;
    if (valid) {
      text.push_back(static_cast<wchar_t>(code));
      i += length;
    } else {
      text.push_back(kReplacement);
      ++i;
    }
  }
  return text;
}

std::string EncodeUtf8(std::wstring_view text) {
  std::string utf8;
  utf8.reserve(text.size());
  for (const wchar_t c : text) {
    const auto code = static_cast<char32_t>(c);
    if (code < 0x80) {
      utf8.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
      utf8.push_back(static_cast<char>(0xC0U | (code >> 6U)));
      utf8.push_back(static_cast<char>(0x80U | (code & 0x3FU)));
    } else if (code < 0x10000) {
      utf8.push_back(static_cast<char>(0xE0U | (code >> 12U)));
      utf8.push_back(static_cast<char>(0x80U | ((code >> 6U) & 0x3FU)));
      utf8.push_back(static_cast<char>(0x80U | (code & 0x3FU)));
    } else {
      utf8.push_back(static_cast<char>(0xF0U | (code >> 18U)));
      utf8.push_back(static_cast<char>(0x80U | ((code >> 12U) & 0x3FU)));
      utf8.push_back(static_cast<char>(0x80U | ((code >> 6U) & 0x3FU)));
      utf8.push_back(static_cast<char>(0x80U | (code & 0x3FU)));
    }
  }
  return utf8;
}

wchar_t DrawableCharacter(wchar_t c) {
  return wcwidth(c) < 0 ? L'?' : c;
}

int TextColumns(std::wstring_view text) {
  int columns = 0;
  for (const wchar_t c : text) columns += wcwidth(DrawableCharacter(c));
  return columns;
}

std::wstring CutToColumns(std::wstring_view text, int columns) {
  std::wstring drawn;
  drawn.reserve(text.size());
  int used = 0;
  for (const wchar_t c : text) {
    const wchar_t shown = DrawableCharacter(c);
    used += wcwidth(shown);
    if (used > columns) break;
    drawn.push_back(shown);
  }
  return drawn;
}

void UseTerminalCharacterSet() {
  std::setlocale(LC_CTYPE, "");
  // The "C" locale knows ASCII only: "µ" and "²" could not be shown.
  if (std::strcmp(nl_langinfo(CODESET), "ANSI_X3.4-1968") == 0) std::setlocale(LC_CTYPE, "C.UTF-8");
}

}  // namespace flyback
