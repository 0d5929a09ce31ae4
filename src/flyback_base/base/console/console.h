#pragma once

// The one way the design core talks to its user. A front-end (window,
// terminal, script) implements the window operations; report files are
// written the same way by every front-end.

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/console/line.h"
#include "base/console/report_file.h"

namespace flyback {

struct Question {
  std::string title;
  std::string default_answer;  // empty: the input field starts empty
  std::string prompt;          // empty: nothing shown above the field
};

class Console {
 public:
  Console() = default;
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;
  virtual ~Console() = default;

  // The text area becomes empty; the pen goes to the first line.
  virtual void ClearWindow() = 0;
  // Writes one line at the pen by the line rules; the pen goes to the next line.
  virtual void WriteLine(const Line& line) = 0;
  // Shows the question and waits. Returns the answer; the empty text is cancel.
  virtual std::string Ask(const Question& question) = 0;
  // Closes every open report file (keeping what was written) and the window.
  void EndProgram() {
    CloseReports();
    CloseWindow();
  }

  // Report files: at most one is open at a time. Each returns the reason of
  // a failure. Every front-end writes them alike; a test harness may keep them
  // in a sandbox.
  virtual std::optional<std::string> OpenReport(const std::string& name) {
    return report_.Open(name);
  }
  // Writes the report to `file`, which the front-end opened for writing
  // (under a name it checked in its own way).
  void OpenReportOn(std::FILE* file) { report_.Open(file); }
  // Asked before a report file is created under `name`: false keeps an
  // existing file of that name, and the file question comes again. The
  // interactive front-ends ask the user when the file exists; by default an
  // existing file is replaced.
  virtual bool ConfirmReplace(const std::string& /*name*/) { return true; }

  // Tells whether a report created under a name would be one file that holds
  // this session's answers. The front-end compares the files themselves, so
  // that every path, link or descriptor name (/dev/stdin) leading there counts.
  using FileTest = std::function<bool(const std::string& name)>;
  // The files this session reads its answers from or keeps them in (standard
  // input or the answer file, record, resume and session files): a report is
  // never written over one of them.
  void ProtectFile(FileTest leads_to_it) { protected_files_.push_back(std::move(leads_to_it)); }
  // Why no report may be created under `name`, if so: it is one of the
  // protected files, or it holds a control character.
  std::optional<std::string> RefusedReportName(const std::string& name) const;
  virtual std::optional<std::string> WriteReportLine(const Line& line) {
    return report_.WriteLine(line);
  }
  virtual std::optional<std::string> FlushReports() { return report_.Flush(); }
  virtual std::optional<std::string> CloseReports() { return report_.Close(); }

 protected:
  // The front-end's part of EndProgram.
  virtual void CloseWindow() = 0;

 private:
  ReportFile report_;
  std::vector<FileTest> protected_files_;
};

// Whether a report under `name` would replace an existing regular file. A
// folder, a FIFO or a device of that name is none: creating the report fails
// with its reason, so the interactive front-ends ask "Replace it?" only for a
// file.
bool ReplacesExistingFile(const std::string& name);

}  // namespace flyback
