#include "answer_file_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace flyback {

AnswerFileWriter::AnswerFileWriter(std::string path) : path_(std::move(path)) {
  descriptor_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (descriptor_ < 0) open_failure_ = errno;
}

AnswerFileWriter::~AnswerFileWriter() {
  if (descriptor_ >= 0) ::close(descriptor_);
}

std::optional<int> AnswerFileWriter::Keep(const std::string& answer) {
  const std::string line = answer + '\n';
  std::size_t written = 0;
  while (written < line.size()) {
    const ssize_t count = ::write(descriptor_, line.data() + written, line.size() - written);
    if (count < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    written += static_cast<std::size_t>(count);
  }
  length_before_last_ = length_;
  length_ += static_cast<off_t>(line.size());
  return std::nullopt;
}

void AnswerFileWriter::TakeBackLast() {
  if (::ftruncate(descriptor_, length_before_last_) != 0) return;
  if (::lseek(descriptor_, length_before_last_, SEEK_SET) < 0) return;
  length_ = length_before_last_;
}

}  // namespace flyback
