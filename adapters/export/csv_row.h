#pragma once

// Rows of RFC 4180 CSV with CRLF line ends, as the parts list and the
// efficiency map write them.

#include <string>
#include <vector>

namespace flyback {

// A field quoted where it holds a comma, a quote or a line end.
inline void AppendField(std::string& csv, const std::string& field) {
  if (field.find_first_of(",\"\r\n") == std::string::npos) {
    csv += field;
    return;
  }
  csv += '"';
  for (char c : field) {
    if (c == '"') csv += '"';
    csv += c;
  }
  csv += '"';
}

inline void AppendRow(std::string& csv, const std::vector<std::string>& fields) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) csv += ',';
    AppendField(csv, fields[i]);
  }
  csv += "\r\n";
}

}  // namespace flyback
