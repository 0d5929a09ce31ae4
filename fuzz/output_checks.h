#pragma once

// Checks of the text the writers give, for the writers' fuzz target. Each
// returns what is wrong in one line, or an empty text where nothing is.

#include <string>
#include <string_view>
#include <vector>

namespace flyback {

// `text` in lower case (ASCII letters): the checks look for words in any case.
std::string Lowercase(std::string_view text);

// HTML: every tag closed in the order opened (void elements, "/>" and the
// style element's contents aside), every "&" a character reference, no
// control character but tab and line ends.
std::string HtmlError(std::string_view html);

// A netlist: no figure "inf", "nan" or "-0", comments included; `names` are
// the user's texts it echoes (the core, the MOSFET), which are left out.
std::string NetlistNumberError(std::string netlist, const std::vector<std::string>& names);

// A table for standard error: no byte below 0x20 but the line end, no
// "nan" or "inf".
std::string TableError(std::string_view table);

// CSV (RFC 4180, CRLF): every row has `fields` fields, quotes only around
// whole fields, doubled inside them.
std::string CsvError(std::string_view csv, std::size_t fields);

}  // namespace flyback
