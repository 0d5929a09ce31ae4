#include "question_dialog.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "window_geometry.h"

namespace flyback {

QuestionDialog::QuestionDialog(const Question& question, QWidget* parent)
    : QDialog(parent),
      prompt_(new QLabel(QString::fromStdString(question.prompt), this)),
      field_(new QLineEdit(QString::fromStdString(question.default_answer), this)) {
  setWindowTitle(QString::fromStdString(question.title));
  setModal(true);

  prompt_->setWordWrap(true);
  prompt_->setVisible(!question.prompt.empty());
  field_->selectAll();

  auto* buttons = new QDialogButtonBox(this);
  ok_button_ = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  cancel_button_ = buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
  ok_button_->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(prompt_);
  layout->addWidget(field_);
  layout->addWidget(buttons);

  QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
  const double scale = ScreenScale(screen);
  setMinimumWidth(Scaled(kDialogMinimumWidth, scale));
  const QPoint screen_corner = screen != nullptr ? screen->geometry().topLeft() : QPoint();
  move(screen_corner + Scaled(kDialogOffset, scale));
  field_->setFocus();
}

std::string QuestionDialog::Answer() const {
  return result() == QDialog::Accepted ? field_->text().toStdString() : std::string();
}

}  // namespace flyback
