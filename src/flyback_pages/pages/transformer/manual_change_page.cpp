// Manual change of a finished design: all output voltages up or down through
// the magnetization, the turns of one winding, or the primary turns. After
// every change the calculation runs again and the winding table shows the
// result, until "Go Back (b)".

#include <cmath>
#include <optional>
#include <string>

#include "base/console/answer_reading.h"
#include "base/console/number_text.h"
#include "base/numbers/rounding.h"
#include "engine/transformer/manual_change.h"
#include "pages/dialogue/pages.h"

namespace flyback {

namespace {

constexpr double kMostTurns = 100000;

// Return repeats a "+" or "-" step; after anything else it means "Go Back".
std::string DefaultKey(const std::string& last_key) {
  return last_key == "+" || last_key == "-" ? last_key : "b";
}

std::optional<std::string> TurnsHint(const std::string& answer) {
  const double turns = ReadNumber(answer);
  if (!IsComputableMagnitude(turns)) return hint::kComputableRange;
  if (turns <= 0 || turns > kMostTurns) return hint::kTurnsRange;
  return std::nullopt;
}

double AskTurns(Dialogue& d, const Question& question) {
  return ReadNumber(d.AskChecked(question, TurnsHint));
}

// Winding 0 is the IC supply, 1 to n_sec the outputs.
int AskWindingNumber(Dialogue& d, std::string& answer) {
  const int n_sec = d.design().inputs.n_sec;
  answer = d.AskChecked(
      {"Changing the number of turns manually", "IC(0) n1(1) n2(2) ...",
       "Which winding has to be changed?"},
      [n_sec](const std::string& text) -> std::optional<std::string> {
        const std::optional<double> winding = ReadWholeAnswer(text);
        if (winding && *winding == std::floor(*winding) && *winding >= 0 && *winding <= n_sec) {
          return std::nullopt;
        }
        return "Please enter a winding number from 0 to " + std::to_string(n_sec) + ".";
      });
  return static_cast<int>(*ReadWholeAnswer(answer));
}

void ChangeTurns(Dialogue& d, TransformerDesign& t) {
  std::string answer;
  const int winding = AskWindingNumber(d, answer);
  d.Clear();
  if (winding == 0) {
    d.Write({"Old value nic = ", t.nic});
  } else {
    d.Write({"Old value n", answer, "= ", t.n_out(winding)});
  }
  d.Write();
  d.Write({"New value ?"});
  // Not rounded: half turns are possible.
  const double turns = AskTurns(d, {"New value?", "", ""});
  if (winding == 0) {
    t.nic = turns;
  } else {
    t.n_out(winding) = turns;
  }
}

void ChangePrimaryTurns(Dialogue& d, TransformerDesign& t) {
  d.Write();
  d.Write({"Old number of primary turns:", RoundTo(t.n_prim, 0)});
  d.Write();
  d.Write({"New number of primary turns ?"});
  SetPrimaryTurns(d.design().inputs, t, AskTurns(d, {"New number of primary turns?", "", ""}));
}

}  // namespace

Page ManualChangePage(Dialogue& d) {
  const TransformerPagesKey key{};
  TransformerDesign& t = d.parts().transformer(key);
  double& Bmax = t.Bmax;
  // Both outlive this page: the calculation and the winding table follow the
  // mode, and the next visit offers the last answer again.
  bool& manual_mode = d.parts().manual_mode(key);
  std::string& last_manual_key = d.parts().last_manual_key(key);
  manual_mode = true;
  d.Write();
  d.Write({"Outp. Volt. higher (+)"});
  d.Write();
  d.Write({"Outp. Volt. lower (-)"});
  d.Write();
  d.Write({"Change turns (t)"});
  d.Write();
  d.Write({"Change number of primary turns (p)"});
  d.Write();
  d.Write({"Go Back (b)"});
  std::string prompt;
  for (;;) {
    const std::string answer = d.Ask({"Manually Change", DefaultKey(last_manual_key), prompt});
    last_manual_key = answer;
    prompt.clear();
    // Less magnetization means fewer primary turns and a higher voltage per
    // turn: "+" raises every output voltage, "-" lowers it.
    if (answer == "+") {
      if (Bmax - kManualMagnetizationStep <= 0) {
        prompt = hint::kMagnetizationFloor;
        continue;
      }
      Bmax -= kManualMagnetizationStep;
      return Page::kCalculateSameDutyCycle;
    }
    if (answer == "-") {
      Bmax += kManualMagnetizationStep;
      return Page::kCalculateSameDutyCycle;
    }
    if (answer == "t") {
      ChangeTurns(d, t);
      return Page::kCalculateSameDutyCycle;
    }
    if (answer == "p") {
      ChangePrimaryTurns(d, t);
      return Page::kCalculateFromDrainVoltage;
    }
    if (answer == "b") {
      manual_mode = false;
      return Page::kWindingTableOnly;
    }
  }
}

}  // namespace flyback
