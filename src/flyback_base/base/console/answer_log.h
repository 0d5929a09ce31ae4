#pragma once

// Where the answers of a session are kept. The dialogue hands every answer it
// takes (never the empty answer that ends the program) to the log, in the
// order taken, so that a session can be replayed or resumed from them. A
// front-end keeps them in files; a log that cannot keep an answer throws.

#include <string>

namespace flyback {

class AnswerLog {
 public:
  AnswerLog() = default;
  AnswerLog(const AnswerLog&) = delete;
  AnswerLog& operator=(const AnswerLog&) = delete;
  virtual ~AnswerLog() = default;

  virtual void Keep(const std::string& answer) = 0;
};

}  // namespace flyback
