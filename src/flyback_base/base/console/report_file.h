#pragma once

// A report file: ISO 8859-1 bytes, CRLF line ends, lines laid out in fixed
// pitch. Characters that ISO 8859-1 cannot hold are written as '?'.

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "base/console/line.h"

namespace flyback {

// UTF-8 to ISO 8859-1, one '?' per character outside it (or per stray byte).
std::string ToLatin1(std::string_view utf8);

class ReportFile {
 public:
  ReportFile() = default;
  ReportFile(const ReportFile&) = delete;
  ReportFile& operator=(const ReportFile&) = delete;
  ~ReportFile();

  // Creates (or replaces) the file. Returns the C library's reason on failure.
  std::optional<std::string> Open(const std::string& name);
  // Writes the report to `file`, a file a front-end has opened for writing.
  void Open(std::FILE* file);
  // Writes one line (buffered). Returns the reason when the write fails; the
  // file is then closed and later lines are dropped.
  std::optional<std::string> WriteLine(const Line& line);
  // Hands the buffered lines to the system. Returns the reason when they
  // cannot be written; the file is then closed.
  std::optional<std::string> Flush();
  // Closes the file, keeping what was written. Returns the reason when the
  // buffered lines could not be written.
  std::optional<std::string> Close();

  bool is_open() const { return file_ != nullptr; }

 private:
  static constexpr std::size_t kBufferSize = std::size_t{64} * 1024;

  // After a failed write: the reason (from errno), and the file closed.
  std::string Abandon();

  std::FILE* file_ = nullptr;
};

}  // namespace flyback
