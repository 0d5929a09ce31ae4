#include "answer_file_writer.h"

#include <utility>

#include "file_replacement.h"

namespace flyback {

AnswerFileWriter::AnswerFileWriter(std::string path)
    : path_(std::move(path)), open_failure_(ReplaceFileContents(path_, "")) {}

std::optional<std::string> AnswerFileWriter::Keep(const std::string& answer) {
  const std::size_t length_before = answers_.size();
  answers_ += answer;
  answers_ += '\n';
  if (std::optional<std::string> reason = ReplaceFileContents(path_, answers_)) {
    answers_.resize(length_before);
    return reason;
  }
  length_before_last_ = length_before;
  return std::nullopt;
}

void AnswerFileWriter::TakeBackLast() {
  answers_.resize(length_before_last_);
  ReplaceFileContents(path_, answers_);
}

}  // namespace flyback
