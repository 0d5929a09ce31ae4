#pragma once

// Writes the lines of the one open report file. When a line cannot be written
// (disk full, device gone) the user is told on the window, the file is closed
// with what it holds, and ReportAborted ends the report: the dialogue goes on
// at the main menu with the design unchanged. Lines are buffered; they are
// written out at the latest before the next question.

#include "base/console/line.h"
#include "pages/dialogue/dialogue.h"

namespace flyback {

class ReportWriter {
 public:
  // Takes over the report that the dialogue has just opened.
  explicit ReportWriter(Dialogue& d) : d_(d) {}
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
  Dialogue& d_;
};

}  // namespace flyback
