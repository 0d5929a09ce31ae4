#include "answer_file_reading.h"

#include <cerrno>
#include <fstream>

#include "session_failure.h"

namespace flyback {

bool ReadAnswerLine(std::istream& answers, std::string& answer) {
  if (!std::getline(answers, answer)) return false;
  if (!answer.empty() && answer.back() == '\r') answer.pop_back();
  return true;
}

std::vector<std::string> ReadAnswerFile(const std::string& path, const std::string& what) {
  std::ifstream file(path, std::ios::binary);
  std::vector<std::string> answers;
  for (std::string line; file && ReadAnswerLine(file, line);) answers.push_back(std::move(line));
  // A folder opens but cannot be read: the stream goes bad with its reason.
  if (!file.is_open() || file.bad()) {
    throw SessionFailure(FailureLine("read " + what + " \"" + path + "\"", errno), kUnusableStart);
  }
  return answers;
}

}  // namespace flyback
