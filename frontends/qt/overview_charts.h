#pragma once

// The charts and the table of the design overview, drawn from the data the
// core computes (overview/design_overview.h). They only draw: nothing here
// computes a figure of the design. Each chart is made anew (the caller takes
// it).

#include <QColor>
#include <QString>
#include <optional>
#include <vector>

#include "engine/adviser/core_ranking.h"
#include "engine/overview/design_overview.h"
#include "engine/overview/loss_overview.h"
#include "engine/transformer/optimization_record.h"

class QChart;
class QTableWidget;

namespace flyback {

// The colour of a verdict; a verdict is never shown by its colour alone.
QColor VerdictColour(Verdict verdict);
// The verdict as a symbol and a word: "✔ fine", "⚠ warning", "✖ error".
QString VerdictText(Verdict verdict);

// The key figures with their limits and verdicts, one row each.
void ShowKeyFigures(QTableWidget& table, const std::vector<KeyFigure>& figures);

// A chart that says what it will show: "TITLE: no design yet".
QChart* EmptyChart(const QString& title);

// One bar per output and the IC supply across its voltage window (the window
// from 0 to 1 on the horizontal axis), the actual voltage as a marker with
// its value; a bar the checks find fault with in the colour of their verdict,
// its label led by the verdict.
QChart* OutputWindowsChart(const std::vector<OutputBar>& bars);

// The drain current and the reflected secondary current over one period.
QChart* WaveformsChart(const CurrentWaveforms& waveforms);

// "Where the watts go": one bar per loss at the lowest input voltage and a
// thinner one at the highest, each with its value right of its end; the
// efficiency, the transformer's rise and the note on its core in the title.
QChart* LossesChart(const LossOverview& losses);

// cfmax of every step of the last optimization against Bmax, its listed
// maxima, the best row and the chosen Bmax.
QChart* SweepChart(const std::optional<OptimizationRecord>& record);

// The computed efficiency of every calculated candidate of the core adviser
// against its core volume, usable, marginal and rejected ones apart, the
// present transformer marked; none yet: a chart that says so.
QChart* AlternativesChart(const std::optional<CoreAdvice>& advice);

}  // namespace flyback
