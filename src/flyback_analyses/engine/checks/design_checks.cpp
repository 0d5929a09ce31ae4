#include "engine/checks/design_checks.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "base/console/number_text.h"
#include "engine/inputs/power_budget.h"
#include "engine/transformer/magnetics.h"
#include "engine/transformer/result_figures.h"
#include "engine/transformer/turns.h"
#include "engine/transformer/voltage_window.h"
#include "engine/transformer/winding_values.h"

namespace flyback {

namespace {

class Checks {
 public:
  explicit Checks(const DesignState& s)
      : in_(s.inputs), t_(s.transformer), shown_(ShownResultFigures(s)) {}

  std::vector<Finding> Run() {
    CheckDegenerateResults();
    CheckOutputWindows();
    CheckIcSupply();
    CheckLimits();
    return std::move(findings_);
  }

 private:
  void Add(Severity severity, std::string_view code, CheckedQuantity quantity, double value,
           double bound, std::string message) {
    findings_.push_back({severity, std::string(code), quantity, value, bound, std::move(message)});
  }

  // A figure that must be above 0 (and finite) to mean anything.
  void RequirePositive(std::string_view code, CheckedQuantity quantity, double value,
                       const std::string& what, std::string_view unit) {
    if (value > 0 && std::isfinite(value)) return;
    Add(Severity::kError, code, quantity, value, 0,
        what + " is " + SignedNumberText(value) + std::string(unit) + ": the design cannot work.");
  }

  void CheckDegenerateResults() {
    if (!(t_.D_max > 0 && t_.D_max < 1)) {
      Add(Severity::kError, "duty-cycle-out-of-range", {Quantity::kDutyCycle}, t_.D_max,
          t_.D_max > 0 ? 1 : 0,
          "The duty cycle " + SignedNumberText(t_.D_max) +
              " lies outside 0 to 1: the design cannot work.");
    }
    RequirePositive("frequency-not-positive", {Quantity::kFrequency}, t_.fsntmin,
                    "The lowest switching frequency", " kHz");
    RequirePositive("inductance-not-positive", {Quantity::kPrimaryInductance},
                    shown_.primary_inductance_uH, "The primary inductance", " µH");
    RequirePositive("primary-turns-not-positive", {Quantity::kPrimaryTurns}, shown_.primary_turns,
                    "The number of primary turns", "");
    RequirePositive("ic-turns-not-positive", {Quantity::kIcTurns}, t_.nic,
                    "The number of turns of the IC supply", "");
    for (int i = 1; i <= in_.n_sec; ++i) {
      const std::string output = std::to_string(i);
      RequirePositive("output-turns-not-positive", {Quantity::kOutputTurns, i}, t_.n_out(i),
                      "The number of turns of output " + output, "");
      RequirePositive("output-voltage-not-positive", {Quantity::kOutputVoltage, i},
                      OutputVoltage(in_, t_, i), "The actual voltage of output " + output, " V");
    }
  }

  // Every output with a voltage at all against its window, as the winding
  // table shows the voltage (to 0.01 V). A window whose minimum lies above its
  // maximum gives both findings.
  void CheckOutputWindows() {
    for (int i = 1; i <= in_.n_sec; ++i) {
      const VoltageWindow window = OutputWindow(in_, i);
      const double Uact = OutputVoltage(in_, t_, i);
      if (!(Uact > 0) || InWindow(Uact, window)) continue;
      const CheckedQuantity quantity{Quantity::kOutputVoltage, i};
      const std::string output = std::to_string(i);
      if (Uact < window.lowest) {
        Add(Severity::kWarning, "output-voltage-low", quantity, Uact, window.lowest,
            "Output " + output + " gives " + SignedNumberText(Uact) + " V, below its minimum of " +
                SignedNumberText(window.lowest) + " V.");
      }
      if (Uact > window.highest) {
        Add(Severity::kWarning, "output-voltage-high", quantity, Uact, window.highest,
            "Output " + output + " gives " + SignedNumberText(Uact) + " V, above its maximum of " +
                SignedNumberText(window.highest) + " V.");
      }
    }
  }

  // The IC supply against the window the control IC needs.
  void CheckIcSupply() {
    if (!(t_.nic > 0)) return;
    const double U_ic_act = IcSupplyVoltage(in_, t_);
    const VoltageWindow window = IcSupplyWindowOf(in_, t_);
    if (InWindow(U_ic_act, window)) return;
    if (U_ic_act < window.lowest) {
      Add(Severity::kWarning, "ic-supply-low", {Quantity::kIcSupplyVoltage}, U_ic_act,
          window.lowest,
          "The IC supply gives " + SignedNumberText(U_ic_act) + " V, below the " +
              SignedNumberText(window.lowest) + " V the control IC needs.");
    }
    if (U_ic_act > window.highest) {
      Add(Severity::kWarning, "ic-supply-high", {Quantity::kIcSupplyVoltage}, U_ic_act,
          window.highest,
          "The IC supply gives " + SignedNumberText(U_ic_act) + " V, more than a turn above its " +
              SignedNumberText(IcSupplyTarget(in_.ic_type)) + " V.");
    }
  }

  void CheckLimits() {
    if (t_.Bmax > in_.Bmaxlim) {
      Add(Severity::kWarning, "magnetization-above-limit", {Quantity::kBmax}, t_.Bmax, in_.Bmaxlim,
          "The magnetization of " + SignedNumberText(shown_.Bmax_mT) +
              " mT lies above the limit of " + SignedNumberText(in_.Bmaxlim) + " mT.");
    }
    // The rule of the warning page of the calculation: not below the limit.
    if (FixedFrequencyMagnetizationTooHigh(in_, t_)) {
      Add(Severity::kWarning, "fixed-frequency-magnetization-above-limit",
          {Quantity::kBmaxAtFixedFrequency}, MagnetizationAtFixedFrequency(in_, t_), in_.Bmaxlim,
          "At the minimum fixed frequency the magnetization of " +
              SignedNumberText(shown_.Bmax_at_f_fix_min_mT) + " mT is not below the limit of " +
              SignedNumberText(in_.Bmaxlim) + " mT.");
    }
    if (t_.U_D_max > in_.U_D_lim) {
      Add(Severity::kWarning, "drain-voltage-above-limit", {Quantity::kDrainVoltage}, t_.U_D_max,
          in_.U_D_lim,
          "The drain voltage of " + SignedNumberText(shown_.U_D_max_V) +
              " V lies above the limit of " + SignedNumberText(in_.U_D_lim) + " V.");
    }
    if (t_.fsntmin < in_.f_low_lim) {
      Add(Severity::kWarning, "frequency-below-limit", {Quantity::kFrequency}, t_.fsntmin,
          in_.f_low_lim,
          "The lowest switching frequency of " + SignedNumberText(shown_.fsntmin_kHz) +
              " kHz lies below the limit of " + SignedNumberText(in_.f_low_lim) + " kHz.");
    }
    // At a fixed frequency the free-running frequency must stay above the
    // fixed range, or the oscillator cannot set the frequency.
    if (in_.fixed_freq && t_.fsntmin < in_.f_fix_max) {
      Add(Severity::kWarning, "frequency-below-fixed-range", {Quantity::kFrequency}, t_.fsntmin,
          in_.f_fix_max,
          "The free-running frequency of " + SignedNumberText(shown_.fsntmin_kHz) +
              " kHz lies below the top of the fixed range, " + SignedNumberText(in_.f_fix_max) +
              " kHz.");
    }
    // The losses the efficiency allows.
    const double loss_budget = LossBudget(in_);
    if (shown_.conduction_loss_W > loss_budget) {
      Add(Severity::kWarning, "conduction-loss-above-budget", {Quantity::kConductionLoss},
          shown_.conduction_loss_W, loss_budget,
          "The MOSFET's conduction loss of " + SignedNumberText(shown_.conduction_loss_W) +
              " W exceeds the " + SignedNumberText(loss_budget) +
              " W of losses the efficiency allows.");
    }
  }

  const DesignInputs& in_;
  const TransformerDesign& t_;
  const ResultFigures shown_;
  std::vector<Finding> findings_;
};

}  // namespace

const char* SeverityName(Severity severity) {
  return severity == Severity::kError ? "error" : "warning";
}

std::vector<Finding> CheckDesign(const DesignState& design) {
  return Checks(design).Run();
}

Verdict VerdictOf(Severity severity) {
  return severity == Severity::kError ? Verdict::kError : Verdict::kWarning;
}

Verdict VerdictOn(const std::vector<Finding>& findings,
                  std::initializer_list<CheckedQuantity> quantities) {
  Verdict verdict = Verdict::kFine;
  for (const Finding& finding : findings) {
    if (std::find(quantities.begin(), quantities.end(), finding.quantity) == quantities.end()) {
      continue;
    }
    if (finding.severity == Severity::kError) return Verdict::kError;
    verdict = Verdict::kWarning;
  }
  return verdict;
}

}  // namespace flyback
