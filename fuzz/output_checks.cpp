#include "output_checks.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace flyback {

namespace {

constexpr std::array<std::string_view, 8> kVoidElements = {"meta",  "br",   "hr",  "img",
                                                           "input", "link", "col", "wbr"};

bool IsNameCharacter(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-' || c == ':';
}

// "&amp;", "&#39;": a name or a number, then ";".
bool IsReference(std::string_view rest) {
  std::size_t length = 1;
  if (length < rest.size() && rest[length] == '#') ++length;
  const std::size_t first = length;
  while (length < rest.size() && std::isalnum(static_cast<unsigned char>(rest[length])) != 0) {
    ++length;
  }
  return length > first && length < rest.size() && rest[length] == ';';
}

bool IsWordCharacter(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' || c == '.';
}

// Where `lower` holds a figure that is not one: "inf" or "nan", signed or
// not, and in a netlist also "-0" (a zero with a sign); npos where it holds
// none, else its place, with its `length`. A figure begins a word (after no
// letter, digit, "_" or ".") and ends it; in a netlist a scale letter may
// follow it ("infu"). "infeasible" is a word.
std::size_t BadFigure(const std::string& lower, bool netlist, std::size_t& length) {
  for (std::size_t at = 0; at < lower.size(); ++at) {
    if (at > 0 && IsWordCharacter(lower[at - 1])) continue;
    const std::size_t sign = lower[at] == '-' ? 1 : 0;
    const std::string_view rest = std::string_view(lower).substr(at + sign);
    const auto ends_word = [&rest, netlist](std::size_t size) {
      if (rest.size() <= size) return true;
      const auto letter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; };
      const char next = rest[size];
      if (!netlist || std::string_view("fpnumkgt").find(next) == std::string_view::npos) {
        return !letter(next) && std::isdigit(static_cast<unsigned char>(next)) == 0 && next != '.';
      }
      return rest.size() == size + 1 || !letter(rest[size + 1]);
    };
    if ((rest.substr(0, 3) == "inf" || rest.substr(0, 3) == "nan") && ends_word(3)) {
      length = sign + 3;
      return at;
    }
    if (netlist && sign == 1 && rest.substr(0, 1) == "0" && ends_word(1) &&
        (rest.size() < 2 || rest[1] != 'e')) {
      length = 2;
      return at;
    }
  }
  return std::string::npos;
}

}  // namespace

std::string Lowercase(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

std::string HtmlError(std::string_view html) {
  std::vector<std::string> open;
  for (std::size_t at = 0; at < html.size();) {
    const char c = html[at];
    if (static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\r' && c != '\t') {
      return "a control character at byte " + std::to_string(at);
    }
    if (c == '&' && !IsReference(html.substr(at))) {
      return "a bare & at byte " + std::to_string(at);
    }
    if (c != '<') {
      ++at;
      continue;
    }
    if (html.substr(at, 4) == "<!--" || html.substr(at, 2) == "<!") {
      const bool comment = html.substr(at, 4) == "<!--";
      const std::size_t end = html.find(comment ? "-->" : ">", at);
      if (end == std::string_view::npos) return "an unended <! at byte " + std::to_string(at);
      at = end + 1;
      continue;
    }
    const std::size_t end = html.find('>', at);
    if (end == std::string_view::npos) return "an unended tag at byte " + std::to_string(at);
    const bool closing = at + 1 < html.size() && html[at + 1] == '/';
    std::size_t name_end = at + (closing ? 2 : 1);
    while (name_end < end && IsNameCharacter(html[name_end])) ++name_end;
    const std::string name(html.substr(at + (closing ? 2 : 1), name_end - at - (closing ? 2 : 1)));
    if (name.empty()) return "a < that opens no tag at byte " + std::to_string(at);
    if (closing) {
      if (open.empty() || open.back() != name) {
        return "</" + name + "> closes " + (open.empty() ? "nothing" : "<" + open.back() + ">");
      }
      open.pop_back();
    } else if (name == "style") {
      const std::size_t close = html.find("</style>", end);
      if (close == std::string_view::npos) return "an unclosed <style>";
      at = close + 8;
      continue;
    } else if (html[end - 1] != '/' &&
               std::find(kVoidElements.begin(), kVoidElements.end(), name) == kVoidElements.end()) {
      open.push_back(name);
    }
    at = end + 1;
  }
  return open.empty() ? "" : "<" + open.back() + "> is never closed";
}

std::string NetlistNumberError(std::string netlist, const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    if (name.empty()) continue;
    for (std::size_t at = netlist.find(name); at != std::string::npos;
         at = netlist.find(name, at)) {
      netlist.replace(at, name.size(), name.size(), ' ');
    }
  }
  const std::string lower = Lowercase(netlist);
  std::size_t length = 0;
  const std::size_t at = BadFigure(lower, true, length);
  if (at == std::string::npos) return "";
  const std::size_t line_end = lower.find('\n', at);
  const std::size_t from =
      lower.rfind('\n', at) == std::string::npos ? 0 : lower.rfind('\n', at) + 1;
  return "the netlist line \"" + lower.substr(from, line_end - from) + "\" holds \"" +
         lower.substr(at, length) + "\"";
}

std::string TableError(std::string_view table) {
  for (std::size_t at = 0; at < table.size(); ++at) {
    if (static_cast<unsigned char>(table[at]) < 0x20 && table[at] != '\n') {
      return "byte " + std::to_string(static_cast<int>(table[at])) + " at " + std::to_string(at);
    }
  }
  const std::string lower = Lowercase(table);
  std::size_t length = 0;
  const std::size_t at = BadFigure(lower, false, length);
  if (at == std::string::npos) return "";
  return "\"" + lower.substr(at, length) + "\" in \"" + lower.substr(at > 20 ? at - 20 : 0, 60) +
         "\"";
}

std::string CsvError(std::string_view csv, std::size_t fields) {
  std::size_t row = 1;
  std::size_t field = 1;
  bool quoted = false;
  bool field_start = true;
  for (std::size_t at = 0; at < csv.size(); ++at) {
    const char c = csv[at];
    if (quoted) {
      if (c != '"') continue;
      if (at + 1 < csv.size() && csv[at + 1] == '"') {
        ++at;
      } else {
        quoted = false;
        if (at + 1 < csv.size() && csv[at + 1] != ',' && csv[at + 1] != '\r') {
          return "row " + std::to_string(row) + ": text after a closing quote";
        }
      }
      continue;
    }
    if (c == '"') {
      if (!field_start) return "row " + std::to_string(row) + ": a quote inside a field";
      quoted = true;
    } else if (c == ',') {
      ++field;
      field_start = true;
      continue;
    } else if (c == '\r') {
      if (at + 1 >= csv.size() || csv[at + 1] != '\n') {
        return "row " + std::to_string(row) + ": a CR without LF";
      }
      if (field != fields) {
        return "row " + std::to_string(row) + " has " + std::to_string(field) + " fields";
      }
      ++at;
      ++row;
      field = 1;
      field_start = true;
      continue;
    } else if (c == '\n') {
      return "row " + std::to_string(row) + ": a line feed without CR";
    }
    field_start = false;
  }
  if (quoted) return "an unclosed quote";
  if (!csv.empty() && csv.back() != '\n') return "the last row has no line end";
  return "";
}

}  // namespace flyback
