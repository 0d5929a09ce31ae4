#pragma once

// A chart of the design overview that can be saved: its context menu offers
// "Save as PNG…" and "Save as SVG…".

#include <QChartView>
#include <QString>

namespace flyback {

class ChartView : public QChartView {
 public:
  explicit ChartView(QWidget* parent = nullptr);

  // Shows `chart` (the view takes it) in place of the chart shown so far,
  // which is deleted: a chart is drawn anew rather than changed.
  void Show(QChart* chart);

  // Saves the chart as drawn at its present size. False when the file cannot
  // be written.
  bool SavePng(const QString& path);
  bool SaveSvg(const QString& path);

 private:
  void AskAndSave(const QString& filter, const QString& suffix);
};

}  // namespace flyback
