#include "overview_charts.h"

#include <QCategoryAxis>
#include <QChart>
#include <QFont>
#include <QFontMetricsF>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QTableWidget>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/console/number_text.h"
#include "chart_parts.h"
#include "engine/transformer/optimization_rating.h"

namespace flyback {

namespace {

// A text written right of a point: Qt centres a point label above its
// point, so the carrier of the label (an invisible marker) is moved by half
// the text's width and height whenever the plot area changes.
struct SideLabel {
  QScatterSeries* carrier;
  QPointF point;  // in the axes' values
};

QScatterSeries* SideLabelCarrier(const QString& name, const QString& text) {
  QScatterSeries* carrier = Markers(name, Qt::transparent, 1);
  carrier->setPointLabelsVisible(true);
  carrier->setPointLabelsClipping(false);
  carrier->setPointLabelsFormat(text);
  QFont font = carrier->pointLabelsFont();
  font.setPointSizeF(font.pointSizeF() * 0.9);
  carrier->setPointLabelsFont(font);
  return carrier;
}

void KeepLabelsBeside(QChart& chart, const QValueAxis& x, const QCategoryAxis& y,
                      std::vector<SideLabel> labels) {
  QObject::connect(&chart, &QChart::plotAreaChanged, &chart,
                   [&x, &y, labels = std::move(labels)](const QRectF& area) {
                     if (area.width() <= 0 || area.height() <= 0) return;
                     const double x_per_px = (x.max() - x.min()) / area.width();
                     const double y_per_px = (y.max() - y.min()) / area.height();
                     constexpr double kGap_px = 4;
                     for (const SideLabel& label : labels) {
                       const QFontMetricsF metrics(label.carrier->pointLabelsFont());
                       const double width =
                           metrics.horizontalAdvance(label.carrier->pointLabelsFormat());
                       // Qt writes the baseline this far above the point.
                       const double lift = label.carrier->markerSize() / 2 + 3;
                       const double drop = lift + (metrics.ascent() - metrics.descent()) / 2;
                       label.carrier->replace(0, label.point.x() + (width / 2 + kGap_px) * x_per_px,
                                              label.point.y() - drop * y_per_px);
                     }
                   });
}

// A label centred above its point, as Qt writes a point's label, but moved
// sideways as far as it must to stay within the plot area: the marker of an
// output far outside its window stands at an end of the axis, and its label
// would reach over the axis or out of the chart. The carrier has the size
// of the marker, so that the label stands as high above it.
QScatterSeries* AboveLabelCarrier(const QString& name, const QString& text, double marker_size) {
  QScatterSeries* carrier = Markers(name, Qt::transparent, marker_size);
  carrier->setBorderColor(Qt::transparent);
  carrier->setPointLabelsVisible(true);
  carrier->setPointLabelsClipping(false);
  carrier->setPointLabelsFormat(text);
  return carrier;
}

void KeepLabelsInside(QChart& chart, const QValueAxis& x, std::vector<SideLabel> labels) {
  QObject::connect(&chart, &QChart::plotAreaChanged, &chart,
                   [&x, labels = std::move(labels)](const QRectF& area) {
                     if (area.width() <= 0) return;
                     const double x_per_px = (x.max() - x.min()) / area.width();
                     for (const SideLabel& label : labels) {
                       const QFontMetricsF metrics(label.carrier->pointLabelsFont());
                       const double half_width =
                           metrics.horizontalAdvance(label.carrier->pointLabelsFormat()) / 2;
                       const double point_px = area.left() + (label.point.x() - x.min()) / x_per_px;
                       // Where the plot is narrower than the label, it starts at the left.
                       const double centre_px = std::max(
                           area.left() + half_width, std::min(point_px, area.right() - half_width));
                       label.carrier->replace(0, x.min() + (centre_px - area.left()) * x_per_px,
                                              label.point.y());
                     }
                   });
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
  table.resizeRowsToContents();
}

QChart* EmptyChart(const QString& title) {
  return NewChart(title + QStringLiteral(": no design yet"), false);
}

QChart* OutputWindowsChart(const std::vector<OutputBar>& bars) {
  QChart* chart = NewChart(QStringLiteral("Output voltages in their windows"), false);
  auto* x = new QValueAxis;
  x->setTitleText(QStringLiteral("0: Umin, 1: Umax"));
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
  constexpr double kMarkerSize_px = 11;
  std::vector<SideLabel> labels;
  for (int i = 0; i < count; ++i) {
    const OutputBar& bar = bars[static_cast<std::size_t>(i)];
    const double row = count - 1 - i;
    const QString name = QString::fromStdString(bar.name);
    const QString window = Number(bar.Umin) + " – " + Number(bar.Umax) + " V";
    const bool fine = bar.verdict == Verdict::kFine;
    QLineSeries* span =
        Line(name + ": " + window, fine ? kWindowColour : VerdictColour(bar.verdict), 12);
    span->append(0, row);
    span->append(1, row);
    Attach(*chart, span, x, y);
    QScatterSeries* actual =
        Markers(name, fine ? QColor(Qt::black) : VerdictColour(bar.verdict), kMarkerSize_px);
    actual->append(bar.position, row);
    Attach(*chart, actual, x, y);
    QString text = Number(bar.Uact) + (bar.in_window ? " V in " : " V outside ") + window;
    if (!fine) text = VerdictText(bar.verdict) + ": " + text;
    QScatterSeries* label =
        AboveLabelCarrier(name + QStringLiteral(": label"), text, kMarkerSize_px);
    label->append(bar.position, row);
    Attach(*chart, label, x, y);
    labels.push_back({label, {bar.position, row}});
  }
  KeepLabelsInside(*chart, *x, std::move(labels));
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

QChart* LossesChart(const LossOverview& losses) {
  QString title = QStringLiteral("<b>Where the watts go</b><br>") +
                  QString::fromStdString(losses.efficiency + ", " + losses.rise);
  if (!losses.note.empty()) title += "<br>" + QString::fromStdString(losses.note);
  QChart* chart = NewChart(title, true);
  chart->legend()->setAlignment(Qt::AlignRight);
  double largest = 0;
  for (const LossBar& bar : losses.bars) {
    largest = std::max({largest, bar.lowest_W.value_or(0), bar.highest_W.value_or(0)});
  }
  // Room right of the longest bar for its value.
  QValueAxis* x = ValueAxis(*chart, Qt::AlignBottom, QStringLiteral("P / W"), 0,
                            std::isfinite(largest) && largest > 0 ? 1.25 * largest : 1);
  auto* y = new QCategoryAxis;
  y->setLabelsPosition(QCategoryAxis::AxisLabelsPositionCenter);
  const int count = static_cast<int>(losses.bars.size());
  y->setRange(-0.5, count - 0.5);
  y->setStartValue(-0.5);
  for (int row = 0; row < count; ++row) {
    y->append(QString::fromStdString(losses.bars[static_cast<std::size_t>(count - 1 - row)].name),
              row + 0.5);
  }
  chart->addAxis(y, Qt::AlignLeft);
  // The legend names the two operating points; the bars stay out of it.
  const struct {
    QString name;
    QColor colour;
    double width_px, offset;  // offset in rows, upwards
  } sets[] = {{QString::fromStdString(losses.lowest_set), kDesignPointColour, 7, 0.22},
              {QString::fromStdString(losses.highest_set), kWindowColour, 5, -0.22}};
  for (const auto& set : sets) Attach(*chart, Line(set.name, set.colour, set.width_px), x, y);
  std::vector<SideLabel> labels;
  for (int i = 0; i < count; ++i) {
    const LossBar& bar = losses.bars[static_cast<std::size_t>(i)];
    const double row = count - 1 - i;
    const QString name = QString::fromStdString(bar.name);
    const std::optional<double> values[] = {bar.lowest_W, bar.highest_W};
    const std::string* texts[] = {&bar.lowest_text, &bar.highest_text};
    for (std::size_t k = 0; k < 2; ++k) {
      const double W = values[k].value_or(0);
      const QString series_name = k == 0 ? name : name + QStringLiteral(" (highest input voltage)");
      QLineSeries* line = Line(series_name, sets[k].colour, sets[k].width_px);
      line->append(0, row + sets[k].offset);
      line->append(W, row + sets[k].offset);
      Attach(*chart, line, x, y);
      QScatterSeries* carrier = SideLabelCarrier(series_name + QStringLiteral(": value"),
                                                 QString::fromStdString(*texts[k]));
      carrier->append(W, row + sets[k].offset);
      Attach(*chart, carrier, x, y);
      labels.push_back({carrier, {W, row + sets[k].offset}});
      for (QLegendMarker* marker : chart->legend()->markers(line)) marker->setVisible(false);
      for (QLegendMarker* marker : chart->legend()->markers(carrier)) marker->setVisible(false);
    }
  }
  KeepLabelsBeside(*chart, *x, *y, std::move(labels));
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
  // cfmax is at most 1: a tenth above it, without a tick of its own, is
  // room for the best row's marker, which would be cut at the top of the
  // plot.
  QValueAxis* y = ValueAxis(*chart, Qt::AlignLeft, QStringLiteral("cfmax"), 0, 1);
  y->setTickType(QValueAxis::TicksDynamic);
  y->setTickAnchor(0);
  y->setTickInterval(0.2);
  y->setMax(1.1);
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
    chosen->append(*record->chosen_Bmax, y->max());
    Attach(*chart, chosen, x, y);
  }
  return chart;
}

QChart* AlternativesChart(const std::optional<CoreAdvice>& advice) {
  if (!advice) return NewChart(QStringLiteral("Alternatives: none yet"), false);
  QChart* chart = NewChart(QStringLiteral("Computed efficiency against core volume"), true);
  QScatterSeries* usable = Markers(QStringLiteral("usable"), kFineColour, 8);
  QScatterSeries* marginal = Markers(QStringLiteral("marginal"), kWarningColour, 8);
  QScatterSeries* rejected = Markers(QStringLiteral("rejected"), kErrorColour, 8);
  QScatterSeries* present = Markers(QStringLiteral("present design"), kDesignPointColour, 16);
  double lowest_eta = 100;
  double highest_eta = 0;
  double largest_volume = 0;
  for (const RankedCandidate& ranked : advice->ranking) {
    const std::optional<CandidateFigures>& f = ranked.assessment.figures;
    if (!f || !f->V_e_mm3) continue;
    const QPointF point(*f->V_e_mm3 / 1000, 100 * f->efficiency);
    if (ranked.assessment.present) present->append(point);
    switch (ranked.verdict) {
      case CandidateVerdict::kUsable:
        usable->append(point);
        break;
      case CandidateVerdict::kMarginal:
        marginal->append(point);
        break;
      case CandidateVerdict::kRejected:
        rejected->append(point);
        break;
    }
    lowest_eta = std::min(lowest_eta, point.y());
    highest_eta = std::max(highest_eta, point.y());
    largest_volume = std::max(largest_volume, point.x());
  }
  QValueAxis* x = ValueAxis(*chart, Qt::AlignBottom, QStringLiteral("core volume / cm³"), 0,
                            largest_volume > 0 ? largest_volume : 1);
  QValueAxis* y =
      ValueAxis(*chart, Qt::AlignLeft, QStringLiteral("efficiency / %"),
                std::min(lowest_eta, highest_eta), std::max(highest_eta, lowest_eta + 1));
  // The present design is drawn first, so that its marker rings the candidate's.
  for (QScatterSeries* series : {present, usable, marginal, rejected}) {
    Attach(*chart, series, x, y);
  }
  return chart;
}

}  // namespace flyback
