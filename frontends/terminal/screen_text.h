#pragma once

// Text on the terminal: the program's texts are UTF-8, the terminal library
// takes wide characters (Unicode code points), and the screen is measured in
// display columns. Most characters take one column ("µ", "²"), East Asian wide
// characters two and combining marks none.

#include <string>
#include <string_view>

namespace flyback {

// UTF-8 to code points. A byte that begins no valid sequence becomes U+FFFD.
std::wstring DecodeUtf8(std::string_view utf8);
// Code points to UTF-8.
std::string EncodeUtf8(std::wstring_view text);

// The character drawn for `c`: itself, or '?' where the terminal's character
// set cannot show it (control characters included).
wchar_t DrawableCharacter(wchar_t c);
// Display columns of the text as drawn.
int TextColumns(std::wstring_view text);
// The text as drawn, cut at the right so that it covers at most `columns`
// columns: never wrapped, and no wide character is split.
std::wstring CutToColumns(std::wstring_view text, int columns);

// Makes the wide-character functions follow the user's character set, and
// UTF-8 where the environment names none (the "C" locale), as terminals of
// today expect. Only the character type is changed: numbers are never
// converted through the locale.
void UseTerminalCharacterSet();

}  // namespace flyback
