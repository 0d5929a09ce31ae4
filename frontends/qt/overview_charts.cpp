#include "overview_charts.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>
#include <QScatterSeries>
#include <QTableWidget>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <string>

#include "base/console/number_text.h"
#include "engine/transformer/optimization_rating.h"

namespace flyback {

namespace {

const QColor kErrorColour(200, 30, 30);
const QColor kWarningColour(215, 130, 0);
const QColor kFineColour(40, 140, 60);
const QColor kWindowColour(150, 175, 205);

// A number in the system's number text, with its sign.
QString Number(double value) {
  return QString::fromStdString(SignedNumberText(value));
}

QChart* NewChart(const QString& title, bool legend) {
  auto* chart = new QChart;
  chart->setTitle(title);
  chart->setMargins(QMargins(4, 4, 4, 4));
  chart->legend()->setVisible(legend);
  chart->legend()->setAlignment(Qt::AlignBottom);
  return chart;
}

// A value axis over `from` .. `to`, widened to round tick values.
QValueAxis* ValueAxis(QChart& chart, Qt::Alignment alignment, const QString& title, double from,
                      double to) {
  auto* axis = new QValueAxis;
  axis->setTitleText(title);
  axis->setRange(from, to);
  axis->applyNiceNumbers();
  axis->setLabelFormat(QStringLiteral("%g"));
  chart.addAxis(axis, alignment);
  return axis;
}

void Attach(QChart& chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y) {
  chart.addSeries(series);
  series->attachAxis(x);
  series->attachAxis(y);
}

QLineSeries* Line(const QString& name, const QColor& colour, double width) {
  auto* series = new QLineSeries;
  series->setName(name);
  QPen pen(colour);
  pen.setWidthF(width);
  pen.setCapStyle(Qt::FlatCap);
  series->setPen(pen);
  return series;
}

QScatterSeries* Markers(const QString& name, const QColor& colour, double size) {
  auto* series = new QScatterSeries;
  series->setName(name);
  series->setColor(colour);
  series->setBorderColor(colour);
  series->setMarkerSize(size);
  return series;
}

}  // namespace

QColor VerdictColour(Verdict verdict) {
  switch (verdict) {
    case Verdict::kError:
      return kErrorColour;
    case Verdict::kWarning:
      return kWarningColour;
    case Verdict::kFine:
      break;
  }
  return kFineColour;
}

QString VerdictText(Verdict verdict) {
  switch (verdict) {
    case Verdict::kError:
      return QStringLiteral("✖ error");
    case Verdict::kWarning:
      return QStringLiteral("⚠ warning");
    case Verdict::kFine:
      break;
  }
  return QStringLiteral("✔ fine");
}

void ShowKeyFigures(QTableWidget& table, const std::vector<KeyFigure>& figures) {
  table.clearContents();
  table.setRowCount(static_cast<int>(figures.size()));
  for (std::size_t i = 0; i < figures.size(); ++i) {
    const KeyFigure& figure = figures[i];
    const int row = static_cast<int>(i);
    table.setItem(row, 0, new QTableWidgetItem(QString::fromStdString(figure.name)));
    table.setItem(row, 1, new QTableWidgetItem(QString::fromStdString(figure.value)));
    table.setItem(row, 2, new QTableWidgetItem(QString::fromStdString(figure.limit)));
    if (!figure.verdict) continue;
    auto* verdict = new QTableWidgetItem(VerdictText(*figure.verdict));
    verdict->setForeground(VerdictColour(*figure.verdict));
    table.setItem(row, 3, verdict);
  }
  table.resizeColumnsToContents();
}

QChart* EmptyChart(const QString& title) {
  return NewChart(title + QStringLiteral(": no design yet"), false);
}

QChart* OutputWindowsChart(const std::vector<OutputBar>& bars) {
  QChart* chart = NewChart(QStringLiteral("Output voltages in their windows"), false);
  auto* x = new QValueAxis;
  x->setTitleText(QStringLiteral("place in the window (0: Umin, 1: Umax)"));
  x->setRange(-0.5, 1.5);
  x->setTickCount(5);
  x->setLabelFormat(QStringLiteral("%g"));
  chart->addAxis(x, Qt::AlignBottom);
  auto* y = new QCategoryAxis;
  y->setLabelsPosition(QCategoryAxis::AxisLabelsPositionCenter);
  const int count = static_cast<int>(bars.size());
  y->setRange(-0.5, count - 0.5);
  y->setStartValue(-0.5);
  // Categories go upwards; the first output stands on top.
  for (int row = 0; row < count; ++row) {
    y->append(QString::fromStdString(bars[static_cast<std::size_t>(count - 1 - row)].name),
              row + 0.5);
  }
  chart->addAxis(y, Qt::AlignLeft);
  for (int i = 0; i < count; ++i) {
    const OutputBar& bar = bars[static_cast<std::size_t>(i)];
    const double row = count - 1 - i;
    const QString window = Number(bar.Umin) + " – " + Number(bar.Umax) + " V";
    const bool fine = bar.verdict == Verdict::kFine;
    QLineSeries* span = Line(QString::fromStdString(bar.name) + ": " + window,
                             fine ? kWindowColour : VerdictColour(bar.verdict), 12);
    span->append(0, row);
    span->append(1, row);
    Attach(*chart, span, x, y);
    QScatterSeries* actual = Markers(QString::fromStdString(bar.name),
                                     fine ? QColor(Qt::black) : VerdictColour(bar.verdict), 11);
    actual->append(bar.position, row);
    actual->setPointLabelsVisible(true);
    actual->setPointLabelsClipping(false);
    QString label = Number(bar.Uact) + (bar.in_window ? " V in " : " V outside ") + window;
    if (!fine) label = VerdictText(bar.verdict) + ": " + label;
    actual->setPointLabelsFormat(label);
    Attach(*chart, actual, x, y);
  }
  return chart;
}

QChart* WaveformsChart(const CurrentWaveforms& waveforms) {
  QChart* chart = NewChart(
      QStringLiteral("Currents over one period at the lowest input voltage, full load"), true);
  double peak = 0;
  for (const WaveformPoint& point : waveforms.primary) peak = std::max(peak, point.I_A);
  QValueAxis* x = ValueAxis(*chart, Qt::AlignBottom, QStringLiteral("t / µs"), 0,
                            std::isfinite(waveforms.period_us) ? waveforms.period_us : 1);
  QValueAxis* y = ValueAxis(*chart, Qt::AlignLeft, QStringLiteral("I / A"), 0,
                            std::isfinite(peak) && peak > 0 ? peak : 1);
  const auto add = [&](const std::vector<WaveformPoint>& points, const QString& name,
                       const QColor& colour) {
    QLineSeries* series = Line(name, colour, 2);
    for (const WaveformPoint& point : points) series->append(point.t_us, point.I_A);
    Attach(*chart, series, x, y);
  };
  add(waveforms.primary, "drain current, rms " + Number(waveforms.I_prim_rms_A) + " A",
      QColor(30, 90, 180));
  add(waveforms.secondary, "secondary, reflected, rms " + Number(waveforms.I_sec_rms_A) + " A",
      QColor(200, 110, 20));
  return chart;
}

QChart* SweepChart(const std::optional<OptimizationRecord>& record) {
  if (!record || record->steps.empty()) {
    return NewChart(QStringLiteral("Optimization of the output voltages: none yet"), false);
  }
  QChart* chart = NewChart(QStringLiteral("Optimization of the output voltages"), true);
  double lowest = record->steps.front().Bmax;
  double highest = lowest;
  for (const SweepPoint& step : record->steps) {
    lowest = std::min(lowest, step.Bmax);
    highest = std::max(highest, step.Bmax);
  }
  if (record->chosen_Bmax) {
    lowest = std::min(lowest, *record->chosen_Bmax);
    highest = std::max(highest, *record->chosen_Bmax);
  }
  QValueAxis* x = ValueAxis(*chart, Qt::AlignBottom, QStringLiteral("Bmax / mT"), lowest,
                            highest > lowest ? highest : lowest + 1);
  QValueAxis* y = ValueAxis(*chart, Qt::AlignLeft, QStringLiteral("cfmax"), 0, 1);
  QLineSeries* steps = Line(QStringLiteral("every step"), QColor(120, 120, 120), 1);
  for (const SweepPoint& step : record->steps) {
    steps->append(step.Bmax, DisplayedCfmax(step.cf_prod));
  }
  Attach(*chart, steps, x, y);
  QScatterSeries* rows = Markers(QStringLiteral("listed maxima"), QColor(30, 90, 180), 8);
  for (const SweepPoint& row : record->rows) rows->append(row.Bmax, DisplayedCfmax(row.cf_prod));
  Attach(*chart, rows, x, y);
  if (record->best) {
    QScatterSeries* best = Markers("best " + Number(record->best->Bmax) + " mT", kFineColour, 14);
    best->append(record->best->Bmax, DisplayedCfmax(record->best->cf_prod));
    Attach(*chart, best, x, y);
  }
  if (record->chosen_Bmax) {
    QLineSeries* chosen = Line("chosen " + Number(*record->chosen_Bmax) + " mT", kWarningColour, 2);
    chosen->append(*record->chosen_Bmax, 0);
    chosen->append(*record->chosen_Bmax, 1);
    Attach(*chart, chosen, x, y);
  }
  return chart;
}

}  // namespace flyback
