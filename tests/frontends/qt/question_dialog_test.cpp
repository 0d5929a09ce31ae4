// The question dialog: what it shows, where it opens, and the answer each way
// of closing it gives.

#include "question_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <cmath>

#include "gui_test_registry.h"
#include "question_driver.h"

namespace flyback {
namespace {

// Opens a dialog for `question`, lets `action` close it and gives the answer.
QString AskWith(const Question& question, QuestionAction action) {
  QuestionDialog dialog(question, nullptr);
  OnNextQuestion(std::move(action));
  dialog.exec();
  return QString::fromStdString(dialog.Answer());
}

// What an open dialog shows (taken before it is closed, so that a failed
// check cannot leave the dialog waiting).
struct Shown {
  QString title;
  bool modal = false;
  QString field_text;
  QString selected_text;
  bool field_has_focus = false;
  bool prompt_visible = false;
  QString prompt_text;
  bool prompt_above_field = false;
  QString ok_text;
  bool ok_is_default = false;
  QString cancel_text;
  QPoint top_left;           // of the frame, on the screen
  QPoint expected_top_left;  // 333, 467 pixels at 96 dpi from the screen's corner
  int width = 0;
  int narrowest_width = 0;     // 360 pixels at 96 dpi
  int title_bar_controls = 0;  // 100 pixels at 96 dpi
  int bold_title_width = 0;    // the title in the dialog's font, bold
  int default_start = 0;       // where the field draws the default answer: its start
  int default_end = 0;         // and its end (the cursor stands behind it)
  int field_width = 0;
  int frame_right = 0;  // on the screen
  int screen_right = 0;
};

Shown Show(const Question& question) {
  Shown shown;
  AskWith(question, [&shown](QuestionDialog& dialog) {
    shown.title = dialog.windowTitle();
    shown.modal = dialog.isModal();
    shown.field_text = dialog.field()->text();
    shown.selected_text = dialog.field()->selectedText();
    shown.field_has_focus = dialog.focusWidget() == dialog.field();
    shown.prompt_visible = dialog.prompt()->isVisible();
    shown.prompt_text = dialog.prompt()->text();
    shown.prompt_above_field =
        dialog.prompt()->geometry().bottom() < dialog.field()->geometry().top();
    shown.ok_text = dialog.ok_button()->text();
    shown.ok_is_default = dialog.ok_button()->isDefault();
    shown.cancel_text = dialog.cancel_button()->text();
    shown.top_left = dialog.frameGeometry().topLeft();
    const QScreen* screen = dialog.screen();
    const double scale = screen->logicalDotsPerInch() / 96;
    shown.expected_top_left =
        screen->geometry().topLeft() + QPoint(static_cast<int>(std::lround(333 * scale)),
                                              static_cast<int>(std::lround(467 * scale)));
    shown.width = dialog.width();
    shown.narrowest_width = static_cast<int>(std::lround(360 * scale));
    shown.title_bar_controls = static_cast<int>(std::lround(100 * scale));
    QFont bold = dialog.font();
    bold.setBold(true);
    shown.bold_title_width = QFontMetrics(bold).horizontalAdvance(dialog.windowTitle());
    // Drawing the field scrolls it as it would be seen; the cursor stands at
    // the end of the selected default.
    dialog.field()->grab();
    shown.default_end =
        dialog.field()->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
    shown.default_start =
        shown.default_end - dialog.field()->fontMetrics().horizontalAdvance(shown.field_text);
    shown.field_width = dialog.field()->width();
    shown.frame_right = dialog.frameGeometry().right();
    shown.screen_right = screen->geometry().right();
    dialog.reject();
  });
  return shown;
}

const Question kOutputCount{"Number of secondary outputs", "3", ""};

}  // namespace

class QuestionDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void showsTheTitleAndTheDefaultFullySelected() {
    const Shown shown = Show(kOutputCount);
    QCOMPARE(shown.title, QStringLiteral("Number of secondary outputs"));
    QVERIFY(shown.modal);
    QCOMPARE(shown.field_text, QStringLiteral("3"));
    QCOMPARE(shown.selected_text, QStringLiteral("3"));
    QVERIFY(shown.field_has_focus);
    QVERIFY(!shown.prompt_visible);  // an empty prompt shows nothing
  }

  void showsThePromptAboveTheField() {
    const Shown shown = Show({"efficiency in % (see note above)", "85", "Please enter a number."});
    QVERIFY(shown.prompt_visible);
    QCOMPARE(shown.prompt_text, QStringLiteral("Please enter a number."));
    QVERIFY(shown.prompt_above_field);
  }

  void aMissingDefaultLeavesTheFieldEmpty() {
    QVERIFY(Show({"Name of the SMPS", "", ""}).field_text.isEmpty());
  }

  void hasTheButtonsOkAndAbbrechen() {
    const Shown shown = Show(kOutputCount);
    QCOMPARE(shown.ok_text, QStringLiteral("OK"));
    QVERIFY(shown.ok_is_default);
    QCOMPARE(shown.cancel_text, QStringLiteral("Abbrechen"));
  }

  void opensAtItsPlaceOnTheScreen() {
    const Shown shown = Show(kOutputCount);
    QCOMPARE(shown.top_left, shown.expected_top_left);
  }

  void aShortQuestionHasTheNarrowestWidth() {
    const Shown shown = Show(kOutputCount);
    QCOMPARE(shown.width, shown.narrowest_width);
  }

  void showsALongDefaultWholeWhenItOpens() {
    // The continuation menu after the winding table.
    const Shown shown = Show({"Choice for continuation",
                              "transformer data (Ret)  continue(1) change manually (2) "
                              "optimization (3)",
                              ""});
    QVERIFY2(shown.default_start >= 0, "the start of the default is scrolled out of the field");
    QVERIFY2(shown.default_end <= shown.field_width, "the end of the default is cut");
  }

  void isWideEnoughForALongTitle() {
    // The decimal-point note of the outputs page: the title in bold beside
    // 100 px (at 96 dpi) for the window manager's icon and buttons.
    const Shown shown =
        Show({"Please use '.' and not ',' for all numerical inputs, e.g. 99.5 "
              "instead of 99,5",
              "Please use '.' and not ',' for all inputs, e.g. 99.5 instead of 99,5", ""});
    QVERIFY(shown.width >= shown.bold_title_width + shown.title_bar_controls);
    QVERIFY(shown.default_start >= 0);
    QCOMPARE(shown.top_left, shown.expected_top_left);
  }

  void staysWithinTheScreen() {
    const std::string endless(2000, 'x');
    const Shown shown = Show({endless, endless, ""});
    QVERIFY(shown.frame_right <= shown.screen_right);
    QCOMPARE(shown.top_left, shown.expected_top_left);
  }

  void okGivesTheDefault() {
    QCOMPARE(AskWith(kOutputCount, [](QuestionDialog& dialog) { dialog.ok_button()->click(); }),
             QStringLiteral("3"));
  }

  void returnGivesTheDefault() {
    QCOMPARE(
        AskWith(kOutputCount, [](QuestionDialog& dialog) { PressKey(dialog, Qt::Key_Return); }),
        QStringLiteral("3"));
  }

  void typingReplacesTheDefault() {
    const QString answer = AskWith(kOutputCount, [](QuestionDialog& dialog) {
      QTest::keyClicks(dialog.field(), QStringLiteral("4"));
      PressKey(dialog, Qt::Key_Return);
    });
    QCOMPARE(answer, QStringLiteral("4"));
  }

  void blanksOnlyAreAnAnswer() {
    // Not empty, so not a cancel.
    const QString answer = AskWith(kOutputCount, [](QuestionDialog& dialog) {
      QTest::keyClicks(dialog.field(), QStringLiteral("  "));
      dialog.ok_button()->click();
    });
    QCOMPARE(answer, QStringLiteral("  "));
  }

  void confirmingAnEmptyFieldGivesTheEmptyAnswer() {
    const QString answer = AskWith(kOutputCount, [](QuestionDialog& dialog) {
      QTest::keyClick(dialog.field(), Qt::Key_Delete);
      PressKey(dialog, Qt::Key_Return);
    });
    QCOMPARE(answer, QString());
  }

  void escapeCancels() {
    QCOMPARE(
        AskWith(kOutputCount, [](QuestionDialog& dialog) { PressKey(dialog, Qt::Key_Escape); }),
        QString());
  }

  void abbrechenCancels() {
    QCOMPARE(AskWith(kOutputCount, [](QuestionDialog& dialog) { dialog.cancel_button()->click(); }),
             QString());
  }

  void theCloseBoxCancels() {
    QCOMPARE(AskWith(kOutputCount, [](QuestionDialog& dialog) { dialog.close(); }), QString());
  }
};

namespace {
const RegisterGuiTest<QuestionDialogTest> registration("question_dialog_test");
}  // namespace

}  // namespace flyback

#include "question_dialog_test.moc"
