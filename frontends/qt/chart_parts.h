#pragma once

// The parts every chart of the program is made of: its colours, the number
// text on an axis or a label, a chart with its title, value axes, lines and
// markers.

#include <QColor>
#include <QString>

class QAbstractAxis;
class QAbstractSeries;
class QChart;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace flyback {

inline const QColor kErrorColour(200, 30, 30);
inline const QColor kWarningColour(215, 130, 0);
inline const QColor kFineColour(40, 140, 60);
inline const QColor kWindowColour(150, 175, 205);
inline const QColor kDesignPointColour(30, 90, 180);

// A number in the system's number text, with its sign.
QString Number(double value);

QChart* NewChart(const QString& title, bool legend);

// A value axis over `from` .. `to`, widened to round tick values.
QValueAxis* ValueAxis(QChart& chart, Qt::Alignment alignment, const QString& title, double from,
                      double to);

// A value axis over exactly `from` .. `to`, with ticks at the round steps
// ValueAxis would take: a curve that ends at `to` reaches the plot's edge,
// and the last tick may stand short of it.
QValueAxis* ExactValueAxis(QChart& chart, Qt::Alignment alignment, const QString& title,
                           double from, double to);

void Attach(QChart& chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y);

QLineSeries* Line(const QString& name, const QColor& colour, double width);

QScatterSeries* Markers(const QString& name, const QColor& colour, double size);

}  // namespace flyback
