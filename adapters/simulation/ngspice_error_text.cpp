#include "ngspice_error_text.h"

#include <array>

namespace flyback {

namespace {

// Lines of one error kept: the message and what ngspice read. ngspice goes
// on with the errors that follow from it (every use of an undefined
// parameter has its own), which say nothing new.
constexpr int kMostLines = 4;

// Words by which ngspice names an error or the end of an analysis.
constexpr std::array<std::string_view, 6> kErrorWords = {
    "rror", "abort", "too small", "Undefined parameter", "unknown parameter", "Cannot compute"};

bool NamesError(std::string_view line) {
  for (std::string_view word : kErrorWords) {
    if (line.find(word) != std::string_view::npos) return true;
  }
  return false;
}

// `line` without the blanks around it, control characters as blanks.
std::string Trimmed(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return "";
  line = line.substr(first, line.find_last_not_of(" \t\r") + 1 - first);
  std::string text(line);
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  }
  return text;
}

}  // namespace

void NgspiceErrorText::Take(std::string_view raw) {
  const std::string line = Trimmed(raw);
  if (line.empty() || ended_) return;
  const bool names_place = line.back() == ':';
  if (text_.empty()) {
    if (!NamesError(line)) {
      previous_ = line;
      return;
    }
    // "Netlist line no. 12:" before the error says where it is.
    where_ = names_place ? line : !previous_.empty() && previous_.back() == ':' ? previous_ : "";
    text_ = where_.empty() || where_ == line ? line : where_ + " " + line;
    lines_ = 1;
    return;
  }
  if (line == where_) return;  // named again before each message of the same place
  if (names_place || lines_ == kMostLines) {
    ended_ = true;  // the next error, or the same one at another place
    return;
  }
  text_ += ' ' + line;
  ++lines_;
}

}  // namespace flyback
