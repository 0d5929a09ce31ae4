#pragma once

// Where the answers of a session go as the dialogue takes them: to the record
// file named with --record, and to the session file of the state folder that
// the window and the terminal keep. The user relies on the record file, so a
// failed write there ends the session; the session file is a safety net, so a
// failed write there is said once and the dialogue goes on without it.

#include <functional>
#include <memory>
#include <string>

#include "answer_file_writer.h"
#include "base/console/answer_log.h"

namespace flyback {

class SessionLog : public AnswerLog {
 public:
  using Notice = std::function<void(const std::string& line)>;

  // Either file may be missing (null). `notice` says a line on standard error.
  SessionLog(std::unique_ptr<AnswerFileWriter> record,
             std::unique_ptr<AnswerFileWriter> session_file, Notice notice);

  // Throws SessionFailure when the record file cannot be written.
  void Keep(const std::string& answer) override;
  // Takes back the answer kept last, in both files.
  void TakeBackLast();

  // The file that holds this session's answers (the session file, else the
  // record file); empty when none does.
  std::string kept_in() const;

 private:
  std::unique_ptr<AnswerFileWriter> record_;
  std::unique_ptr<AnswerFileWriter> session_file_;
  Notice notice_;
};

}  // namespace flyback
