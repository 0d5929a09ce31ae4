#include "pages/transformer/calculation.h"

#include "engine/transformer/calculation_stop_lines.h"

namespace flyback {

namespace {

void ShowDrainLimitPage(Dialogue& d, double& U_D_lim) {
  U_D_lim = AutomaticDrainLimit(d.design().inputs.U_mains_max);
  d.Clear();
  d.Write(
      {"The limit of drain voltage depends on the type of MOS FET. Normally a 600 V type is "
       "used."});
  d.Write();
  d.Write(
      {"In the automatical calculation the drain voltage inclusive overshoots is limited to "
       "600 V."});
  const std::string answer = d.Ask({"Limit of drain voltage (see note above)",
                                    "automatical calculated(Ret)    manually input (1)", ""});
  if (answer == "1") U_D_lim = d.AskNumber({"Limit of drain voltage", "600", ""});
}

void ShowDrainLimitTooLow(Dialogue& d) {
  d.Write();
  d.Write(DrainLimitTooLowLine(d.design().inputs.U_D_lim));
  d.Ask({"Limit of drain voltage too low !", "Ret", ""});
}

void ShowMagnetizationWarning(Dialogue& d) {
  d.Clear();
  d.Write();
  d.Write(MagnetizationTooHighLine(d.design().inputs, d.design().transformer));
  d.Write();
  d.Write({" This can be avoided by a higher airgap or a bigger core !"});
  d.Write();
  d.Write({" Continue with (Ret)"});
  d.Ask({"Warning: Too high magnetization ! (see note above)", "(Ret)", ""});
}

void ShowFrequencyUnreachable(Dialogue& d) {
  d.Write(FrequencyUnreachableLine());
  d.Ask({"Lowest SMPS frequency too high !", "Ret", ""});
}

// Runs the calculation to its end, showing the pages its stops call for.
CalculationResult Drive(Dialogue& d, const CalculationParts& parts,
                        TransformerCalculation& calculation, bool shows_warnings) {
  for (;;) {
    switch (calculation.Run(d.design().inputs, parts.transformer, parts.ask_drain_limit)) {
      case CalculationStop::kFinished:
        return CalculationResult::kFinished;
      case CalculationStop::kAskDrainLimit:
        ShowDrainLimitPage(d, parts.U_D_lim);
        parts.ask_drain_limit = false;
        break;
      case CalculationStop::kDrainLimitTooLow:
        // The limit page comes again when the calculation starts anew.
        parts.ask_drain_limit = true;
        ShowDrainLimitTooLow(d);
        break;
      case CalculationStop::kMagnetizationWarning:
        if (shows_warnings) ShowMagnetizationWarning(d);
        return CalculationResult::kFinished;
      case CalculationStop::kFrequencyUnreachable:
        if (shows_warnings) ShowFrequencyUnreachable(d);
        return CalculationResult::kFrequencyUnreachable;
    }
  }
}

}  // namespace

CalculationResult RunCalculation(Dialogue& d, const CalculationParts& parts, CalculationEntry entry,
                                 CalculationPurpose purpose) {
  TransformerCalculation calculation(entry, d.design().flow.manual_mode
                                                ? CalculationRules::kManual
                                                : CalculationRules::kEnforceLimits);
  const CalculationResult result =
      Drive(d, parts, calculation, /*shows_warnings=*/purpose == CalculationPurpose::kDesign);
  // Whatever the run ended with, the component list made before belongs to
  // another design.
  parts.component_list.reset();
  d.observer().CalculationRun(d.design(), calculation.passes());
  return result;
}

}  // namespace flyback
