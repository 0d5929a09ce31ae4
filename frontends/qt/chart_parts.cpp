#include "chart_parts.h"

#include <QChart>
#include <QLineSeries>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>

#include "base/console/number_text.h"

namespace flyback {

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

QValueAxis* ExactValueAxis(QChart& chart, Qt::Alignment alignment, const QString& title,
                           double from, double to) {
  QValueAxis* axis = ValueAxis(chart, alignment, title, from, to);
  // The widened range's ticks, counted from its round start, stay where
  // they are when the range is cut back to the data.
  const double step = (axis->max() - axis->min()) / (axis->tickCount() - 1);
  axis->setTickType(QValueAxis::TicksDynamic);
  axis->setTickAnchor(axis->min());
  axis->setTickInterval(step);
  axis->setRange(from, to);
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

}  // namespace flyback
