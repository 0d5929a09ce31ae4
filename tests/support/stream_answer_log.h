#pragma once

// Keeps the answers of a session in a stream, one per line, in the format
// that 'flyback --script' reads: each answer is handed on at once.

#include <ostream>
#include <string>

#include "base/console/answer_log.h"

namespace flyback {

class StreamAnswerLog : public AnswerLog {
 public:
  explicit StreamAnswerLog(std::ostream& out) : out_(out) {}

  void Keep(const std::string& answer) override { out_ << answer << '\n' << std::flush; }

 private:
  std::ostream& out_;
};

}  // namespace flyback
