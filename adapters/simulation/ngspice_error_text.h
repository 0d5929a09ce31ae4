#pragma once

// ngspice tells of an error over several lines of standard error: where
// ("Error on line 59 or its substitute:", "Netlist line no. 12:"), the line
// it read, then why ("unknown parameter (infn)", "Formula() error."). The
// user needs them all, so the first error is kept with the line that says
// where and the lines that follow, up to the next place named, as one line.

#include <string>
#include <string_view>

namespace flyback {

class NgspiceErrorText {
 public:
  // One line that ngspice wrote to its standard error, without its line end.
  void Take(std::string_view line);
  // The first error and the lines around it, joined by blanks; empty where
  // ngspice named no error.
  const std::string& Text() const { return text_; }

 private:
  std::string previous_;  // the line before, which may say where
  std::string where_;     // the place of the error kept, where ngspice named it
  std::string text_;
  int lines_ = 0;       // lines of the error kept so far
  bool ended_ = false;  // the next error has begun
};

}  // namespace flyback
