#include "main_window.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <utility>

#include "pages/dialogue/driver.h"
#include "window_geometry.h"

namespace flyback {

MainWindow::MainWindow(DialogueRun run_dialogue, AnswerFeed* feed,
                       const std::function<void()>& show_overview)
    : text_area_(new TextArea(this)),
      status_box_(new QLineEdit(QStringLiteral("PLOXIN07"), this)),
      start_button_(new QPushButton(QStringLiteral("Start"), this)),
      console_(*this, *text_area_, feed),
      run_dialogue_(std::move(run_dialogue)) {
  setWindowTitle(QStringLiteral("Form1"));
  const double scale = ScreenScale(screen());
  setFixedSize(Scaled(kClientSize, scale));
  // The text area takes the whole client area; the controls lie on top of it.
  text_area_->setGeometry(QRect(QPoint(0, 0), size()));
  status_box_->setGeometry(Scaled(kStatusBoxRect, scale));
  start_button_->setGeometry(Scaled(kStartButtonRect, scale));
  if (const QScreen* form_screen = screen()) move(FormCorner(form_screen->availableGeometry()));
  connect(start_button_, &QPushButton::clicked, this, &MainWindow::Start);
  if (show_overview) {
    auto* overview = new QAction(QStringLiteral("Design overview…"), text_area_);
    overview->setShortcut(Qt::Key_F2);
    connect(overview, &QAction::triggered, this, show_overview);
    text_area_->addAction(overview);
    text_area_->setContextMenuPolicy(Qt::ActionsContextMenu);
  }
}

void MainWindow::Start() {
  // The dialogue never comes back to the idle window: a second press (which
  // the modal questions already keep away) starts nothing.
  if (started_) return;
  started_ = true;
  status_box_->setText(QStringLiteral("Run"));
  if (run_dialogue_) {
    run_dialogue_(console_);
  } else {
    DesignState state;
    RunDialogue(console_, state);
  }
}

}  // namespace flyback
