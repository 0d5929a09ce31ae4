#pragma once

// Writes the lines of the one open report file. When a line cannot be written
// (disk full, device gone) the user is told on the window, the file is closed
// with what it holds, and ReportAborted ends the report: the dialogue goes on
// at the main menu with the design unchanged.

#include <string>

#include "console/line.h"
#include "dialogue/dialogue.h"

namespace flyback {

class ReportWriter {
 public:
  // Takes over the report that `name` was just opened under.
  ReportWriter(Dialogue& d, std::string name) : d_(d), name_(std::move(name)) {}
  ReportWriter(const ReportWriter&) = delete;
  ReportWriter& operator=(const ReportWriter&) = delete;
  ReportWriter(ReportWriter&&) = default;
  ReportWriter& operator=(ReportWriter&&) = delete;
  ~ReportWriter() = default;

  // One line by the line rules; throws ReportAborted when it cannot be written.
  void Write(const Line& line = {});
  void WriteEmptyLines(int count);
  // Closes the file; throws ReportAborted when its last bytes cannot be written.
  void Close();

 private:
  [[noreturn]] void Abort(const std::string& reason);

  Dialogue& d_;
  std::string name_;
};

}  // namespace flyback
