#include "pages/dialogue/dialogue.h"

#include "base/console/answer_reading.h"

namespace flyback {

namespace {
DesignObserver nobody;
}  // namespace

Dialogue::Dialogue(Console& console, DesignState& design, AnswerLog* log, DesignObserver* observer)
    : parts_(design),
      console_(console),
      log_(log),
      observer_(observer != nullptr ? observer : &nobody) {}

void Dialogue::WriteEmptyLines(int count) {
  for (int i = 0; i < count; ++i) Write();
}

void Dialogue::WriteChoices(std::span<const Line> choices) {
  for (std::size_t i = 0; i < choices.size(); ++i) {
    if (i > 0) Write();
    Write(choices[i]);
  }
}

std::string Dialogue::Ask(const Question& question) {
  if (!report_name_.empty()) {
    if (const auto reason = console_.FlushReports()) AbortReport(*reason);
  }
  std::string answer = console_.Ask(question);
  if (answer.empty()) throw ProgramEnded{};
  if (log_ != nullptr) log_->Keep(answer);
  return answer;
}

std::string Dialogue::AskChecked(const Question& question, const Check& check) {
  Question asked = question;
  for (;;) {
    std::string answer = Ask(asked);
    const std::optional<std::string> problem = check(answer);
    if (!problem) return answer;
    asked.prompt = *problem;
  }
}

std::optional<std::string> Dialogue::NumberHint(double value, Accept accept) {
  if (!IsComputableMagnitude(value)) return hint::kComputableRange;
  if (accept == Accept::kPositive && value <= 0) return hint::kAboveZero;
  if (accept == Accept::kNonNegative && value < 0) return hint::kNotNegative;
  return std::nullopt;
}

double Dialogue::AskNumber(const Question& question, Accept accept) {
  const std::string answer = AskChecked(
      question, [accept](const std::string& text) { return NumberHint(ReadNumber(text), accept); });
  return ReadNumber(answer);
}

double Dialogue::AskWholeNumber(const Question& question, Accept accept) {
  const std::string answer =
      AskChecked(question, [accept](const std::string& text) -> std::optional<std::string> {
        const std::optional<double> value = ReadWholeAnswer(text);
        if (!value) return hint::kNumber;
        return NumberHint(*value, accept);
      });
  return *ReadWholeAnswer(answer);
}

ReportOpening Dialogue::OpenReport(const std::string& name) {
  using enum ReportOpening::Outcome;
  // A refused name never reaches the replace question.
  if (std::optional<std::string> refused = console_.RefusedReportName(name)) {
    return {kFailed, *refused};
  }
  if (!console_.ConfirmReplace(name)) return {kKeptExisting, ""};
  if (std::optional<std::string> reason = console_.OpenReport(name)) return {kFailed, *reason};
  report_name_ = name;
  return {kOpen, ""};
}

void Dialogue::WriteReportLine(const Line& line) {
  if (const auto reason = console_.WriteReportLine(line)) AbortReport(*reason);
}

void Dialogue::CloseReport() {
  const std::optional<std::string> reason = console_.CloseReports();
  if (reason) AbortReport(*reason);
  report_name_.clear();
}

// The failed write has already closed the file with what it holds.
void Dialogue::AbortReport(const std::string& reason) {
  const std::string name = report_name_;
  report_name_.clear();
  Write({" Cannot write the file \"" + name + "\": " + reason});
  throw ReportAborted{};
}

}  // namespace flyback
