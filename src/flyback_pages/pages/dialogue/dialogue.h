#pragma once

// What every page works with: the console, the design state and the rules
// shared by all questions (an empty answer ends the program; a value that
// would make a later formula undefined is asked again with a hint).

#include <functional>
#include <optional>
#include <span>
#include <string>

#include "base/console/answer_log.h"
#include "base/console/console.h"
#include "pages/dialogue/design_observer.h"
#include "pages/dialogue/design_parts.h"
#include "state/design/design_state.h"

namespace flyback {

// Thrown when the user gives the empty answer: the program ends at once from
// any depth of the dialogue. The driver catches it and calls EndProgram.
struct ProgramEnded {};

// Thrown when a report file cannot be written any more: the user has been told
// on the window, the file is closed, and the main menu follows.
struct ReportAborted {};

// How an attempt to open a report file under a name ended.
struct ReportOpening {
  enum class Outcome {
    kOpen,          // the file is open for the report
    kKeptExisting,  // the user chose not to replace an existing file
    kFailed,        // refused or not creatable, for `reason`
  };
  Outcome outcome;
  std::string reason;  // kFailed: why, to show after the name
};

// Hint texts of questions that are asked again.
namespace hint {
inline constexpr const char* kNumber = "Please enter a number.";
inline constexpr const char* kOutputCount = "Please enter a whole number from 1 to 6.";
inline constexpr const char* kAboveZero = "Please enter a value above 0.";
// A negative value where 0 is taken too (0 often stands for a default): the
// users know the hint of the values that must be positive, so it is the same.
inline constexpr const char* kNotNegative = kAboveZero;
inline constexpr const char* kComputableRange = "Please enter a value between 1E-30 and 1E+30.";
inline constexpr const char* kOutputPower = "The total output power must be above 0 W.";
inline constexpr const char* kInputPower = "The input power must be above 0 W.";
inline constexpr const char* kMagnetizationFloor = "The magnetization cannot be lowered further.";
inline constexpr const char* kTurnsRange =
    "Please enter a number of turns above 0 and at most 100000.";
inline constexpr const char* kAnotherFileName = "Please enter another file name.";
inline constexpr const char* kDifferentFromU1rmin = "Please enter a value different from U1rmin.";
}  // namespace hint

// Which values a numeric question accepts beyond the computable range.
enum class Accept { kAny, kNonNegative, kPositive };

class Dialogue {
 public:
  // `log`, when given, keeps every answer taken; `observer`, when given, is
  // told what happens to the design.
  Dialogue(Console& console, DesignState& design, AnswerLog* log = nullptr,
           DesignObserver* observer = nullptr);

  // The whole design, to read.
  const DesignState& design() const { return parts_.design(); }
  // The parts of the design, to write for the pages that own them.
  DesignParts& parts() { return parts_; }

  // Never null: without an observer of its own the dialogue tells nobody.
  DesignObserver& observer() { return *observer_; }

  void Clear() { console_.ClearWindow(); }
  void Write(const Line& line = {}) { console_.WriteLine(line); }
  void WriteEmptyLines(int count);
  // The lines of a menu, an empty line between two of them.
  void WriteChoices(std::span<const Line> choices);

  // Asks once. The empty answer ends the program. The lines of an open
  // report are written out first, so that a full disk shows before the user
  // answers anything more.
  std::string Ask(const Question& question);

  // Asks until `check` accepts the answer (returns no hint). While a question
  // is asked again, the hint replaces its prompt.
  using Check = std::function<std::optional<std::string>(const std::string& answer)>;
  std::string AskChecked(const Question& question, const Check& check);

  // Asks a number read by the leading-number rule.
  double AskNumber(const Question& question, Accept accept = Accept::kAny);
  // Asks a number that must be one as a whole (whole-answer rule); any other
  // answer is asked again with "Please enter a number.".
  double AskWholeNumber(const Question& question, Accept accept = Accept::kAny);

  // Hint for a number outside what `accept` allows (or outside the
  // computable range), if any.
  static std::optional<std::string> NumberHint(double value, Accept accept);

  // The one report file: created under `name`, written line by line, closed.
  // A line or a close that cannot be written is told on the window, the file
  // is closed with what it holds, and ReportAborted ends the report.
  ReportOpening OpenReport(const std::string& name);
  void WriteReportLine(const Line& line);
  void CloseReport();

 private:
  [[noreturn]] void AbortReport(const std::string& reason);

  DesignParts parts_;
  Console& console_;
  AnswerLog* log_;
  DesignObserver* observer_;
  std::string report_name_;  // of the open report; empty when none is open
};

}  // namespace flyback
