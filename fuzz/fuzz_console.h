#pragma once

// A console for random answer sequences: answers come from the fuzz input,
// one per line, with a budget of questions; report files stay in a private
// folder; every line is checked for numbers that are not numbers.

#include <string>
#include <string_view>
#include <vector>

#include "console/console.h"
#include "design/design_state.h"

namespace flyback {

class FuzzConsole : public Console {
 public:
  // `folder` receives the report files (always under one fixed name);
  // `state` is the design the dialogue runs on, watched for endless work.
  FuzzConsole(std::string_view input, std::string folder, int question_budget,
              const DesignState& state);

  void ClearWindow() override {}
  void WriteLine(const Line& line) override;
  std::string Ask(const Question& question) override;

  std::optional<std::string> OpenReport(const std::string& name) override;
  std::optional<std::string> WriteReportLine(const Line& line) override;

 protected:
  void CloseWindow() override {}

 private:
  // Aborts (a finding) when a laid-out line shows "nan" or "inf" that the
  // user did not type.
  void CheckLine(const Line& line) const;

  std::string input_;
  std::vector<std::string> answers_;
  std::size_t next_answer_ = 0;
  std::string folder_;
  int questions_left_;
  const DesignState& state_;
  long long passes_at_last_question_ = 0;
};

// Runs the whole dialogue on one fuzz input. Returns 0.
int RunFuzzInput(const unsigned char* data, std::size_t size);

}  // namespace flyback
