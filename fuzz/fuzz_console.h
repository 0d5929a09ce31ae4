#pragma once

// A console for random answer sequences: answers come from the fuzz input,
// one per line, with a budget of questions; report files stay in a private
// folder; every line is checked for numbers that are not numbers, and the
// calculation passes between two questions are counted.

#include <string>
#include <string_view>
#include <vector>

#include "base/console/console.h"
#include "pages/dialogue/design_observer.h"

namespace flyback {

class FuzzConsole : public Console, public DesignObserver {
 public:
  // `folder` receives the report files (always under one fixed name).
  FuzzConsole(std::string_view input, std::string folder, int question_budget);

  void ClearWindow() override {}
  void WriteLine(const Line& line) override;
  std::string Ask(const Question& question) override;

  std::optional<std::string> OpenReport(const std::string& name) override;
  std::optional<std::string> WriteReportLine(const Line& line) override;

  void CalculationRun(const DesignState& design, int passes) override;

 protected:
  void CloseWindow() override {}

 private:
  // Aborts (a finding) when the program's own words or numbers in a line say
  // "nan" or "inf"; the answers it echoes are the user's.
  void CheckLine(const Line& line) const;

  std::vector<std::string> answers_;
  std::vector<std::string> echoes_;  // the non-empty answers, lowercased as lines are checked
  std::size_t next_answer_ = 0;
  std::string folder_;
  int questions_left_;
  long long passes_since_last_question_ = 0;
};

// Runs the whole dialogue on one fuzz input; `also` (if given) watches the
// design beside the console. Returns 0.
int RunFuzzInput(const unsigned char* data, std::size_t size, DesignObserver* also = nullptr);

}  // namespace flyback
