// Optimization of the output voltages: Bmax is swept downwards
// (magnetization_sweep.h), the local maxima of the rating are listed, and
// the user picks the Bmax of the final calculation.

#include <optional>

#include "base/console/answer_reading.h"
#include "base/console/number_text.h"
#include "base/numbers/rounding.h"
#include "engine/transformer/magnetization_sweep.h"
#include "engine/transformer/optimization_rating.h"
#include "pages/dialogue/pages.h"
#include "pages/reports/report_header.h"
#include "pages/transformer/calculation.h"

namespace flyback {

namespace {

constexpr int kRowsBeforeAsking = 15;  // "Continue?" from this listed row on

void ShowExplanation(Dialogue& d) {
  d.Clear();
  d.Write();
  d.Write();
  for (const char* text :
       {"OPTIMIZATION OF THE OUTPUT VOLTAGES",
        " This is a program, with which the voltage per turn of the transformer is optimized in "
        "this way that the output voltages",
        " lie as good as possible within the tolerances. The accuracy of the output voltages is "
        "shown as a factor cfmax.",
        " This factor lies in the range 0 < cfmax < 1. 1 is the best value and indicates that the "
        "output voltages lie exact in the middle of the tolerances.",
        " A list is created from which one of the values Bmax can be chosen for the last "
        "calculation.",
        " The following values are listed:"}) {
    d.Write({text});
    d.Write();
  }
  d.Write({" cfmax", zone, "Factor which shows the accuracy of the output voltages."});
  d.Write();
  d.Write({" Bmax", zone, " Maximum transformer magnetization."});
  d.Write();
  d.Write({" fsntmin", zone, " Minimum SMPS frequency."});
  d.Write();
  d.Write({" V_ts", zone, " Voltage per turn of the transformer."});
  d.Write();
}

// mT; 0 stands for the magnetization limit.
double AskStartValue(Dialogue& d) {
  const double value =
      d.AskWholeNumber({"Starting value for magnetization in mT", "300", ""}, Accept::kNonNegative);
  return value == 0 ? d.design().inputs.Bmaxlim : value;
}

// The columns of a row: cfmax, Bmax (unrounded), fsntmin, U_ts.
Line RowItems(const SweepPoint& row) {
  return {DisplayedCfmax(row.cf_prod), zone, row.Bmax, zone, RoundTo(row.fsntmin, 1), zone,
          RoundTo(row.U_ts, 2)};
}

// The same row in the file: one zone to the right.
Line FileRow(const SweepPoint& row) {
  Line line{zone};
  const Line items = RowItems(row);
  line.insert(line.end(), items.begin(), items.end());
  return line;
}

// The list, on the window and (when printed) in the file.
class OptimizationList {
 public:
  OptimizationList(Dialogue& d, std::optional<ReportWriter>& report) : d_(d), report_(report) {}

  void WriteColumns() {
    d_.Clear();
    d_.Write({"Finish list with (1)        Continue list with (Ret)"});
    d_.Write();
    d_.Write({"cfmax", zone, "Bmax", zone, "fsntmin", zone, "U_ts", zone, "graph cfmax"});
    d_.Write();
    if (report_) {
      report_->Write({zone, "cfmax", zone, "Bmax", zone, "fsntmin", zone, "U_ts"});
      report_->Write();
    }
  }

  void WriteRow(const SweepPoint& row) {
    Line line = RowItems(row);
    line.emplace_back(zone);
    line.emplace_back(AsteriskGraph(DisplayedCfmax(row.cf_prod)));
    d_.Write(line);
    if (report_) report_->Write(FileRow(row));
  }

  void WriteAbsoluteMaximum(const SweepPoint& best) {
    d_.Write();
    d_.Write({"Absolute maximum:"});
    d_.Write(RowItems(best));
    d_.Write();
    if (report_) {
      report_->Write();
      report_->Write({zone, "Absolute maximum:"});
      report_->Write(FileRow(best));
      report_->Write();
    }
  }

 private:
  Dialogue& d_;
  std::optional<ReportWriter>& report_;
};

bool UserFinishesList(Dialogue& d) {
  return ReadWholeAnswer(d.Ask({"Continue?", "yes(Ret) no(1)", ""})) == 1.0;
}

// Sweeps Bmax downwards from its present value until the list ends.
void Sweep(Dialogue& d, const CalculationParts& parts, OptimizationSweep& sweep,
           OptimizationList& list) {
  const DesignState& s = d.design();
  SweepHooks hooks;
  hooks.calculate = [&d, &parts] {
    return RunCalculation(d, parts, CalculationEntry::kSameDutyCycleAndCurrent,
                          CalculationPurpose::kOptimizationStep) !=
           CalculationResult::kFrequencyUnreachable;
  };
  hooks.step_rated = [&d](const SweepPoint& step) { d.observer().SweepStepRated(step); };
  hooks.row_listed = [&d, &list](const OptimizationSweep& listing) {
    d.observer().SweepRowListed(listing.listed_row());
    list.WriteRow(listing.listed_row());
    return !(listing.rows_listed() >= kRowsBeforeAsking && UserFinishesList(d));
  };
  SweepMagnetization(s.inputs, parts.transformer, s.flow.turns_kept, sweep, hooks);
}

}  // namespace

Page OptimizationPage(Dialogue& d) {
  const TransformerPagesKey key{};
  const CalculationParts parts = d.parts().calculation(key);
  TransformerDesign& t = parts.transformer;
  ShowExplanation(d);
  // Every step changes the voltage per turn, so every step determines the
  // turns anew.
  d.parts().DetermineTurnsAnew(key);
  t.Bmax = AskStartValue(d);
  d.Write();

  std::optional<ReportWriter> report;
  if (d.Ask({"Print optimization?", "no(Ret) yes(1)", ""}) == "1") {
    report.emplace(
        OpenReportWithHeader(d, d.parts().report_header(ReportPagesKey{}), kOptimizationReport));
    report->Write();
    report->Write({zone, "Transformer ", d.design().inputs.tr_name});
    report->WriteEmptyLines(2);
  }

  // Bmax holds the start value, fsntmin and U_ts those of the design so far.
  OptimizationSweep sweep({0, t.Bmax, t.fsntmin, t.U_ts});
  d.observer().OptimizationStarted(t.Bmax);
  OptimizationList list(d, report);
  list.WriteColumns();
  Sweep(d, parts, sweep, list);
  list.WriteAbsoluteMaximum(sweep.best());

  d.Write({"Please enter Bmax ! (The greater cfmax (0 < cfmax < 1), the better"});
  d.Write({"are the output voltages in the middle of the tolerances !)"});
  t.Bmax = d.AskNumber({"Magnetization", "300", "Enter Bmax in mT"}, Accept::kPositive);
  d.observer().OptimizationFinished(sweep.best(), t.Bmax);
  if (report) report->Close();

  // The final calculation with the chosen Bmax, as a normal one.
  if (RunCalculation(d, parts, CalculationEntry::kSameDutyCycleAndCurrent) ==
      CalculationResult::kFrequencyUnreachable) {
    return Page::kFrequencyLimits;
  }
  return Page::kResultScreen;
}

}  // namespace flyback
