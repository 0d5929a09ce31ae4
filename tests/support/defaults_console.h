#pragma once

// A console that answers the questions named in `answers` (by title) as given
// and takes the default of every other question, until the one titled `last`,
// which it cancels. It lays out every line as the text front-ends do and
// keeps the count of questions and the lines written.

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "base/console/console.h"

namespace flyback {

class DefaultsConsole : public Console {
 public:
  explicit DefaultsConsole(std::string last, std::map<std::string, std::string> answers = {})
      : last_(std::move(last)), answers_(std::move(answers)) {}

  void ClearWindow() override { lines_.clear(); }
  void WriteLine(const Line& line) override { lines_.push_back(LayoutFixedPitch(line)); }
  std::string Ask(const Question& question) override {
    ++questions_;
    if (question.title == last_) return {};
    const auto answer = answers_.find(question.title);
    return answer == answers_.end() ? question.default_answer : answer->second;
  }

  // The lines written since the window was last cleared.
  const std::vector<std::string>& lines() const { return lines_; }
  int questions() const { return questions_; }

 protected:
  void CloseWindow() override {}

 private:
  std::string last_;
  std::map<std::string, std::string> answers_;
  std::vector<std::string> lines_;
  int questions_ = 0;
};

}  // namespace flyback
