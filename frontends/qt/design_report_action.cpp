#include "design_report_action.h"

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QWidget>

#include "file_replacement.h"

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
  // Replaced in one step, as --design-report replaces it: a browser that has
  // the report open never reads half of it.
  return !ReplaceFileContents(QFile::encodeName(path).toStdString(), html_);
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
