#include "transformer/calculation.h"

#include "console/number_text.h"

namespace flyback {

namespace {

void ShowDrainLimitPage(Dialogue& d) {
  DesignState& s = d.state;
  s.U_D_lim = AutomaticDrainLimit(s.U_mains_max);
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
  if (answer == "1") s.U_D_lim = d.AskNumber({"Limit of drain voltage", "600", ""});
}

void ShowDrainLimitTooLow(Dialogue& d) {
  d.Write();
  d.Write({"Limit of drain voltage", d.state.U_D_lim, "V too low !"});
  d.Ask({"Limit of drain voltage too low !", "Ret", ""});
}

void ShowMagnetizationWarning(Dialogue& d) {
  const DesignState& s = d.state;
  d.Clear();
  d.Write();
  d.Write({" Bmax at min. fixed freq.(", RoundTo(MagnetizationAtFixedFrequency(s), 0),
           "mT) is higher than Bmaxlim (", s.Bmaxlim, "mT )!"});
  d.Write();
  d.Write({" This can be avoided by a higher airgap or a bigger core !"});
  d.Write();
  d.Write({" Continue with (Ret)"});
  d.Ask({"Warning: Too high magnetization ! (see note above)", "(Ret)", ""});
}

void ShowFrequencyUnreachable(Dialogue& d) {
  d.Write({" The lowest SMPS frequency cannot be reached with this transformer."});
  d.Ask({"Lowest SMPS frequency too high !", "Ret", ""});
}

}  // namespace

CalculationResult RunCalculation(Dialogue& d, CalculationEntry entry) {
  TransformerCalculation calculation(entry);
  for (;;) {
    switch (calculation.Run(d.state)) {
      case CalculationStop::kFinished:
        return CalculationResult::kFinished;
      case CalculationStop::kAskDrainLimit:
        ShowDrainLimitPage(d);
        break;
      case CalculationStop::kDrainLimitTooLow:
        ShowDrainLimitTooLow(d);
        break;
      case CalculationStop::kMagnetizationWarning:
        ShowMagnetizationWarning(d);
        return CalculationResult::kFinished;
      case CalculationStop::kFrequencyUnreachable:
        if (!d.state.optim_running) ShowFrequencyUnreachable(d);
        return CalculationResult::kFrequencyUnreachable;
    }
  }
}

}  // namespace flyback
