// Number of outputs, the voltage window and current of each output, the
// efficiency and the power budget.

#include <array>
#include <cmath>
#include <string>

#include "base/console/answer_reading.h"
#include "engine/inputs/power_budget.h"
#include "pages/dialogue/pages.h"

namespace flyback {

namespace {

struct DefaultAnswers {
  const char* Umin;
  const char* Umax;
  const char* Imax;
};

// Set A: the 80 W three-output demonstration design.
constexpr std::array<DefaultAnswers, 3> kSetA = {{
    {"99", "101", "0.5"},
    {"15.5", "16.5", "1"},
    {"8", "9", "1"},
}};

// Set B: the 200 W four-output demonstration design.
constexpr std::array<DefaultAnswers, 4> kSetB = {{
    {"134", "136", "0.75"},
    {"29", "31", "1.2"},
    {"14", "16", "0.5"},
    {"6.5", "7.5", "1.2"},
}};

DefaultAnswers DefaultsFor(int n_sec, int output) {
  const auto index = static_cast<std::size_t>(output - 1);
  if (n_sec <= 3 && index < kSetA.size()) return kSetA.at(index);
  if (n_sec > 3 && index < kSetB.size()) return kSetB.at(index);
  return {"", "", ""};  // outputs 5 and 6: the field starts empty
}

int AskOutputCount(Dialogue& d) {
  const std::string answer =
      d.AskChecked({"Number of secondary outputs", "3", ""},
                   [](const std::string& text) -> std::optional<std::string> {
                     const std::optional<double> value = ReadWholeAnswer(text);
                     if (!value) return hint::kOutputCount;
                     if (!IsComputableMagnitude(*value)) return hint::kComputableRange;
                     if (*value == 0) return std::nullopt;
                     if (*value != std::floor(*value) || *value < 1 || *value > kMaxOutputs) {
                       return hint::kOutputCount;
                     }
                     return std::nullopt;
                   });
  const double value = *ReadWholeAnswer(answer);
  return value == 0 ? 3 : static_cast<int>(value);
}

void AskOutputs(Dialogue& d, DesignInputs& s) {
  std::string first_prompt;
  for (;;) {
    for (int i = 1; i <= s.n_sec; ++i) {
      const DefaultAnswers defaults = DefaultsFor(s.n_sec, i);
      const std::string digit = std::to_string(i);
      OutputSpec& out = s.output(i);
      d.Clear();
      out.Umin = d.AskNumber({"Minimum output voltage V" + digit + " in V ?", defaults.Umin,
                              i == 1 ? first_prompt : ""});
      out.Umax = d.AskNumber({"Maximum output voltage V" + digit + " in V ?", defaults.Umax, ""});
      out.Imax = d.AskNumber({"Maximum output current I" + digit + " in A ?", defaults.Imax, ""});
    }
    s.P_out_max = OutputPower(s);
    if (s.P_out_max > 0) return;
    first_prompt = hint::kOutputPower;
  }
}

// Efficiency in %, read by the whole-answer rule; 0 stands for 80 %.
double AskEfficiency(Dialogue& d, const std::string& prompt) {
  const double efficiency =
      d.AskWholeNumber({"efficiency in % (see note above)", "85", prompt}, Accept::kNonNegative);
  return efficiency == 0 ? 80 : efficiency;
}

}  // namespace

Page OutputsPage(Dialogue& d) {
  DesignInputs& s = d.parts().inputs(InputPagesKey{});
  d.Clear();
  s.n_sec = AskOutputCount(d);
  for (int i = 1; i <= s.n_sec; ++i) s.output(i) = OutputSpec{};
  s.k_ic = 1;

  d.Clear();
  d.Write({"Please use '.' and not ',' for all inputs, e.g. 99.5 instead of 99,5"});
  d.Ask({"Please use '.' and not ',' for all numerical inputs, e.g. 99.5 instead of 99,5",
         "Please use '.' and not ',' for all inputs, e.g. 99.5 instead of 99,5", ""});

  AskOutputs(d, s);

  d.Clear();
  d.Write(
      {" The efficiency is the quotient output power / input power. Normally the efficiency "
       "lies between 80 % and 90 %."});
  std::string prompt;
  for (;;) {
    s.eta = AskEfficiency(d, prompt) / 100;
    s.P_in_max = InputPower(s.P_out_max, s.eta);
    if (s.P_in_max > 0) break;
    prompt = hint::kInputPower;
  }
  s.J = CurrentDensity(s.P_in_max);
  return Page::kCircuitOptions;
}

}  // namespace flyback
