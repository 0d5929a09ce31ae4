#pragma once

// A file that keeps the answers of a session as they are taken, one a line,
// in the format that script mode reads. Every answer goes to the system with
// one write of its own, so the file holds it even when the program is ended
// by a signal or crashes right after.

#include <sys/types.h>

#include <optional>
#include <string>

namespace flyback {

class AnswerFileWriter {
 public:
  // Creates (or empties) the file. Check `open_failure()`.
  explicit AnswerFileWriter(std::string path);
  AnswerFileWriter(const AnswerFileWriter&) = delete;
  AnswerFileWriter& operator=(const AnswerFileWriter&) = delete;
  ~AnswerFileWriter();

  // The error number of the failed creation, if it failed.
  std::optional<int> open_failure() const { return open_failure_; }
  const std::string& path() const { return path_; }

  // Appends the answer. Returns the error number of a failed write.
  std::optional<int> Keep(const std::string& answer);
  // Takes back the answer kept last (a report name the user then declined to
  // replace a file with): the file is cut back to its length before it.
  // Files that cannot be cut (a pipe, a terminal) keep it.
  void TakeBackLast();

 private:
  std::string path_;
  int descriptor_ = -1;
  std::optional<int> open_failure_;
  off_t length_ = 0;              // written so far (bytes)
  off_t length_before_last_ = 0;  // before the last answer (bytes)
};

}  // namespace flyback
