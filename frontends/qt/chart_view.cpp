#include "chart_view.h"

#include <QAction>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QSvgGenerator>

namespace flyback {

ChartView::ChartView(QWidget* parent) : QChartView(new QChart, parent) {
  setRenderHint(QPainter::Antialiasing);
  setContextMenuPolicy(Qt::ActionsContextMenu);
  auto* png = new QAction(QStringLiteral("Save as PNG…"), this);
  auto* svg = new QAction(QStringLiteral("Save as SVG…"), this);
  connect(png, &QAction::triggered, this,
          [this] { AskAndSave(QStringLiteral("PNG image (*.png)"), QStringLiteral("png")); });
  connect(svg, &QAction::triggered, this,
          [this] { AskAndSave(QStringLiteral("SVG drawing (*.svg)"), QStringLiteral("svg")); });
  addAction(png);
  addAction(svg);
}

void ChartView::Show(QChart* chart) {
  QChart* shown = this->chart();
  setChart(chart);
  delete shown;
}

bool ChartView::SavePng(const QString& path) {
  return grab().save(path, "PNG");
}

bool ChartView::SaveSvg(const QString& path) {
  QSvgGenerator generator;
  generator.setFileName(path);
  generator.setSize(size());
  generator.setViewBox(rect());
  generator.setTitle(chart()->title());
  QPainter painter;
  if (!painter.begin(&generator)) return false;
  render(&painter);
  return painter.end();
}

void ChartView::AskAndSave(const QString& filter, const QString& suffix) {
  QString path =
      QFileDialog::getSaveFileName(this, QStringLiteral("Save the chart"), QString(), filter);
  if (path.isEmpty()) return;
  if (!path.endsWith("." + suffix, Qt::CaseInsensitive)) path += "." + suffix;
  const bool saved = suffix == QStringLiteral("png") ? SavePng(path) : SaveSvg(path);
  if (!saved) {
    QMessageBox::warning(this, QStringLiteral("Design overview"),
                         QStringLiteral("Cannot write the file \"%1\".").arg(path));
  }
}

}  // namespace flyback
