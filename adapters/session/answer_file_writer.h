#pragma once

// A file that keeps the answers of a session as they are taken, one a line,
// in the format that script mode reads. At every answer the file is replaced
// with all answers so far (file_replacement.h), so the file holds it even
// when the program is ended by a signal or crashes right after, and a reader
// never finds half a line.

#include <optional>
#include <string>

namespace flyback {

class AnswerFileWriter {
 public:
  // Creates (or empties) the file. Check `open_failure()`.
  explicit AnswerFileWriter(std::string path);

  // Why the creation failed, if it failed.
  const std::optional<std::string>& open_failure() const { return open_failure_; }
  const std::string& path() const { return path_; }

  // Adds the answer. Returns why the file could not be written; it then
  // holds the answers before.
  std::optional<std::string> Keep(const std::string& answer);
  // Takes back the answer kept last (a report name the user then declined to
  // replace a file with). A failure shows at the next answer.
  void TakeBackLast();

 private:
  std::string path_;
  std::string answers_;                 // the file's contents, one answer a line
  std::size_t length_before_last_ = 0;  // of `answers_` before the last answer (bytes)
  std::optional<std::string> open_failure_;
};

}  // namespace flyback
