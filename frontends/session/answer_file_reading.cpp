#include "answer_file_reading.h"

#include <cerrno>
#include <fstream>

#include "session_failure.h"

namespace flyback {

std::vector<std::string> ReadAnswerFile(const std::string& path, const std::string& what) {
  std::ifstream file(path, std::ios::binary);
  std::vector<std::string> answers;
  for (std::string line; file && std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    answers.push_back(std::move(line));
  }
  // A folder opens but cannot be read: the stream goes bad with its reason.
  if (!file.is_open() || file.bad()) {
    throw SessionFailure(FailureLine("read " + what + " \"" + path + "\"", errno), kUnusableStart);
  }
  return answers;
}

}  // namespace flyback
