#include "question_dialog.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

#include "window_geometry.h"

namespace flyback {

namespace {

// Width of a title bar that shows `title` whole: the title, in the bold face
// that title bars commonly use, beside the window manager's controls.
int TitleBarWidth(const QString& title, QFont font, double scale) {
  font.setBold(true);
  return QFontMetrics(font).horizontalAdvance(title) + Scaled(kDialogTitleBarControlsWidth, scale);
}

// Width of `field` that shows `text` whole, measured as the line edit
// measures its own contents: the text and the cursor, its inner margins of
// 2 pixels, its text and contents margins, and the frame the style draws.
int FieldWidth(const QLineEdit& field, const QString& text) {
  constexpr int kInnerMargin = 2;  // pixels on each side
  constexpr int kCursorWidth = 1;  // pixels
  const QMargins text_margins = field.textMargins();
  const QMargins contents_margins = field.contentsMargins();
  const int contents = field.fontMetrics().horizontalAdvance(text) + kCursorWidth +
                       2 * kInnerMargin + text_margins.left() + text_margins.right() +
                       contents_margins.left() + contents_margins.right();
  QStyleOptionFrame option;
  option.initFrom(&field);
  option.lineWidth = field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &field);
  return field.style()
      ->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(contents, field.sizeHint().height()),
                         &field)
      .width();
}

}  // namespace

QuestionDialog::QuestionDialog(const Question& question, QWidget* parent)
    : QDialog(parent),
      prompt_(new QLabel(QString::fromStdString(question.prompt), this)),
      field_(new QLineEdit(QString::fromStdString(question.default_answer), this)) {
  setWindowTitle(QString::fromStdString(question.title));
  // Modal to Form1 only: the design overview beside it stays in use.
  setWindowModality(Qt::WindowModal);

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
  const QPoint position =
      (screen != nullptr ? screen->geometry().topLeft() : QPoint()) + Scaled(kDialogOffset, scale);
  move(position);
  // Wide enough for the whole title in the title bar and the whole default
  // answer in the field, but no wider than the screen right of the dialog
  // (less the border of the window system, where it tells it beforehand).
  const QMargins margins = layout->contentsMargins();
  int width =
      std::max({Scaled(kDialogMinimumWidth, scale), TitleBarWidth(windowTitle(), font(), scale),
                FieldWidth(*field_, field_->text()) + margins.left() + margins.right()});
  if (screen != nullptr) {
    create();
    const QMargins frame = windowHandle() != nullptr ? windowHandle()->frameMargins() : QMargins();
    width = std::min(width,
                     screen->geometry().right() + 1 - position.x() - frame.left() - frame.right());
  }
  setMinimumWidth(width);
  field_->setFocus();
}

void QuestionDialog::showEvent(QShowEvent* event) {
  if (parentWidget() != nullptr) parentWidget()->window()->raise();
  QDialog::showEvent(event);
}

std::string QuestionDialog::Answer() const {
  return result() == QDialog::Accepted ? field_->text().toStdString() : std::string();
}

}  // namespace flyback
