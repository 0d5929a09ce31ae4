#include "session_log.h"

#include <optional>
#include <utility>

#include "session_failure.h"

namespace flyback {

SessionLog::SessionLog(std::unique_ptr<AnswerFileWriter> record,
                       std::unique_ptr<AnswerFileWriter> session_file, Notice notice)
    : record_(std::move(record)),
      session_file_(std::move(session_file)),
      notice_(std::move(notice)) {}

void SessionLog::Keep(const std::string& answer) {
  if (record_ != nullptr) {
    if (const std::optional<std::string> error = record_->Keep(answer)) {
      throw SessionFailure(FailureLine("write the record file \"" + record_->path() + "\"", *error),
                           kInputOutputFailure);
    }
  }
  if (session_file_ != nullptr) {
    if (const std::optional<std::string> error = session_file_->Keep(answer)) {
      notice_(FailureLine("write the session file \"" + session_file_->path() + "\"", *error) +
              "; the answers are no longer kept there");
      session_file_.reset();
    }
  }
}

void SessionLog::TakeBackLast() {
  if (record_ != nullptr) record_->TakeBackLast();
  if (session_file_ != nullptr) session_file_->TakeBackLast();
}

std::string SessionLog::kept_in() const {
  if (session_file_ != nullptr) return session_file_->path();
  if (record_ != nullptr) return record_->path();
  return {};
}

}  // namespace flyback
