#pragma once

// The section writers of the design report, in report order. Each gives its
// section, or none where the design has nothing for it.

#include <optional>

#include "engine/design_report/design_report.h"

namespace flyback {

// What was entered: the outputs, the power budget, the circuit options, the
// core and the operating conditions.
std::optional<ReportSection> InputsSection(const DesignReportInput& input);
// The key figures with their limits and verdicts, and every finding.
std::optional<ReportSection> KeyFiguresSection(const DesignReportInput& input);
// Every figure of the result screen and the winding table with its formula
// and its values.
std::optional<ReportSection> DerivationsSection(const DesignReportInput& input);
// The construction sheet for the winder.
std::optional<ReportSection> WindingSheetSection(const DesignReportInput& input);
// The voltage window of every output with its actual voltage.
std::optional<ReportSection> OutputWindowsSection(const DesignReportInput& input);
// The currents over one switching period.
std::optional<ReportSection> CurrentsSection(const DesignReportInput& input);
// The loss budget at both ends of the input range and the temperature rise.
std::optional<ReportSection> LossesSection(const DesignReportInput& input);
// The efficiency over line and load against the rules for external power
// supplies.
std::optional<ReportSection> EfficiencySection(const DesignReportInput& input);
// The feedback loop's compensator and its margins at every corner, where the
// design is regulated through the opto-coupler.
std::optional<ReportSection> LoopSection(const DesignReportInput& input);
// The component list, once it is made.
std::optional<ReportSection> PartsListSection(const DesignReportInput& input);
// The last optimization's sweep, once one ran.
std::optional<ReportSection> OptimizationSection(const DesignReportInput& input);
// The stage simulated in ngspice beside the calculation, once simulated.
std::optional<ReportSection> SimulationSection(const DesignReportInput& input);
// The core adviser's ranking, once it ran.
std::optional<ReportSection> AlternativesSection(const DesignReportInput& input);

}  // namespace flyback
