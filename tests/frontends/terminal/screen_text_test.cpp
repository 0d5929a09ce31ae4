#include "screen_text.h"

#include <gtest/gtest.h>

namespace flyback {
namespace {

TEST(ScreenText, DecodesUtf8AndReplacesBrokenSequences) {
  struct Case {
    const char* utf8;
    std::wstring text;
  };
  const Case cases[] = {
      {"Lp/µH", L"Lp/\u00B5H"},
      {"Ae/mm²", L"Ae/mm\u00B2"},
      {"20 €", L"20 \u20AC"},
      {"\xF0\x9F\x94\x8C", L"\U0001F50C"},                // a four-byte sequence
      {"a\x80z", L"a\uFFFDz"},                            // a lone continuation byte
      {"a\xC3", L"a\uFFFD"},                              // cut short at the end
      {"\xC0\xAF", L"\uFFFD\uFFFD"},                      // overlong '/'
      {"\xED\xA0\x80", L"\uFFFD\uFFFD\uFFFD"},            // a surrogate
      {"\xF5\x80\x80\x80", L"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
      {"\xB5", L"\uFFFD"},                                // ISO 8859-1 "µ" is no UTF-8
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeUtf8(c.utf8), c.text) << c.utf8;
}

TEST(ScreenText, EncodesWhatItDecodes) {
  for (const char* utf8 : {"", "Name0001.doc", "µ²", "20 €", "\xF0\x9F\x94\x8C"}) {
    EXPECT_EQ(EncodeUtf8(DecodeUtf8(utf8)), utf8);
  }
}

TEST(ScreenText, CutsAtDisplayColumnsNeverInsideAWideCharacter) {
  struct Case {
    std::wstring text;
    int columns;
    std::wstring drawn;
  };
  const Case cases[] = {
      {L"Primary inductivity    534  \u00B5H", 30, L"Primary inductivity    534  \u00B5H"},
      {L"Ae = 125 mm\u00B2 x", 12, L"Ae = 125 mm\u00B2"},  // "²" takes one column
      {L"\u6F22\u5B57ab", 3, L"\u6F22"},                   // wide characters take two
      {L"\u6F22\u5B57ab", 4, L"\u6F22\u5B57"},
      {L"e\u0301t", 2, L"e\u0301t"},  // a combining mark takes none
      {L"a\x1B[2Jb", 80, L"a?[2Jb"},  // control characters are drawn as '?'
      {L"abc", 0, L""},
  };
  for (const Case& c : cases) {
    const std::wstring drawn = CutToColumns(c.text, c.columns);
    EXPECT_EQ(drawn, c.drawn);
    EXPECT_LE(TextColumns(drawn), c.columns);
  }
}

}  // namespace
}  // namespace flyback
