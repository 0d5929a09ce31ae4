#include "design_report_action.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QSaveFile>
#include <QWidget>

namespace flyback {

DesignReportAction::DesignReportAction(QObject* parent)
    : QAction(QStringLiteral("Save design report…"), parent) {
  setEnabled(false);
  connect(this, &QAction::triggered, this, &DesignReportAction::AskAndSave);
}

void DesignReportAction::Update(const DesignReportInput& input) {
  // A report with a figure that is not finite is not saved; the action says why.
  std::string non_finite;
  html_ = DesignReportHtml(input, &non_finite);
  setEnabled(non_finite.empty());
  setToolTip(non_finite.empty() ? QString() : QString::fromStdString("Not saved: " + non_finite));
}

bool DesignReportAction::Save(const QString& path) const {
  // Written beside the file and renamed over it: a browser that has the
  // report open never reads half of it.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(html_.data(), static_cast<qint64>(html_.size()));
  return file.commit();
}

void DesignReportAction::AskAndSave() {
  auto* window = qobject_cast<QWidget*>(parent());
  const QString path = QFileDialog::getSaveFileName(
      window, QStringLiteral("Save the design report"), QStringLiteral("design-report.html"),
      QStringLiteral("HTML page (*.html)"));
  if (path.isEmpty()) return;
  if (!Save(path)) {
    QMessageBox::warning(
        window, QStringLiteral("Save design report"),
        QStringLiteral("The design report could not be written to \"%1\".").arg(path));
  }
}

}  // namespace flyback
