#pragma once

// "Save design report…": writes the design report (HTML, see
// engine/design_report/design_report.h) of the design last shown to a file
// the user chooses. The action is disabled until a design has been shown;
// the window's views put it in their menus.

#include <QAction>
#include <string>

#include "engine/design_report/design_report.h"

namespace flyback {

class DesignReportAction : public QAction {
 public:
  explicit DesignReportAction(QObject* parent);

  // Keeps the report of `input`'s design for saving.
  void Update(const DesignReportInput& input);

  // Writes the kept report to `path` in one step; false where it cannot.
  bool Save(const QString& path) const;

 private:
  // Asks for the file (beside `parent`) and saves; tells the user of a failure.
  void AskAndSave();

  std::string html_;
};

}  // namespace flyback
