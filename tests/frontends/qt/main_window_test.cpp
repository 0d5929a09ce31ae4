// The main window "Form1": its fixed layout, and the dialogue that Start runs
// on the GUI thread until the empty answer closes the window.

#include "main_window.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <cmath>

#include "gui_test_registry.h"
#include "question_driver.h"

namespace flyback {
namespace {

// `pixels` at 96 dpi on the window's screen.
int AtScreenDpi(const QWidget& window, int pixels) {
  return static_cast<int>(std::lround(pixels * window.screen()->logicalDotsPerInch() / 96));
}

QRect AtScreenDpi(const QWidget& window, int left, int top, int width, int height) {
  return {AtScreenDpi(window, left), AtScreenDpi(window, top), AtScreenDpi(window, width),
          AtScreenDpi(window, height)};
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void hasTheTitleForm1AndAFixedClientArea() {
    MainWindow window;
    window.show();
    QCOMPARE(window.windowTitle(), QStringLiteral("Form1"));
    // 10605 x 6840 twips: 707 x 456 pixels at 96 dpi.
    const QSize client(AtScreenDpi(window, 707), AtScreenDpi(window, 456));
    QCOMPARE(window.size(), client);
    QCOMPARE(window.minimumSize(), client);
    QCOMPARE(window.maximumSize(), client);
    QCOMPARE(window.text_area()->geometry(), window.rect());
  }

  void showsTheTextBoxAndTheStartButton() {
    MainWindow window;
    window.show();
    QCOMPARE(window.status_box()->geometry(), AtScreenDpi(window, 624, 0, 81, 25));
    QCOMPARE(window.status_box()->text(), QStringLiteral("PLOXIN07"));
    QCOMPARE(window.start_button()->geometry(), AtScreenDpi(window, 624, 24, 81, 25));
    QCOMPARE(window.start_button()->text(), QStringLiteral("Start"));
    QVERIFY(window.text_area()->lines().empty());
  }

  void startRunsTheDialogueUntilTheEmptyAnswerClosesTheWindow() {
    MainWindow window;
    window.show();
    // Taken while the first question is open, checked after it is closed.
    QString status_text;
    QString button_text;
    std::vector<PlacedLine> lines;
    QString title;
    QString default_answer;
    OnNextQuestion([&](QuestionDialog& dialog) {
      status_text = window.status_box()->text();
      button_text = window.start_button()->text();
      lines = window.text_area()->lines();
      title = dialog.windowTitle();
      default_answer = dialog.field()->text();
      PressKey(dialog, Qt::Key_Escape);
    });
    QTest::mouseClick(window.start_button(), Qt::LeftButton);

    QCOMPARE(status_text, QStringLiteral("Run"));
    QCOMPARE(button_text, QStringLiteral("Start"));
    // The introduction page stays on the window while its question is open:
    // an empty line, then 11 lines with an empty line between each two.
    QCOMPARE(lines.size(), std::size_t{22});
    QVERIFY(lines[0].empty());
    QCOMPARE(lines[1].at(0).text,
             QStringLiteral(" This program calculates the transformer and all needed "
                            "components of a flyback switched mode power supply."));
    QCOMPARE(lines[21].at(0).text, QStringLiteral(" Updated on 15st April 2003."));
    QCOMPARE(title, QStringLiteral("continue with OK"));
    QCOMPARE(default_answer, QStringLiteral("continue"));
    // The empty answer ended the program: the window is closed.
    QVERIFY(!window.isVisible());
  }

  void theWindowTakesNoInputWhileAQuestionIsOpen() {
    MainWindow window;
    window.show();
    bool modal_to_the_window = false;
    bool still_the_first_question = false;
    OnNextQuestion([&](QuestionDialog& dialog) {
      // Modal to Form1 (a window of its own, such as the design overview,
      // stays in use).
      modal_to_the_window = dialog.windowModality() == Qt::WindowModal &&
                            dialog.parentWidget() == &window &&
                            QGuiApplication::modalWindow() == dialog.windowHandle();
      // A press of Start that got through anyway starts nothing (a second
      // dialogue would open its own question and wait in this call).
      window.start_button()->click();
      still_the_first_question = QApplication::activeModalWidget() == &dialog;
      dialog.reject();
    });
    window.start_button()->click();
    QVERIFY(modal_to_the_window);
    QVERIFY(still_the_first_question);
    QVERIFY(!window.isVisible());
  }
};

namespace {
const RegisterGuiTest<MainWindowTest> registration("main_window_test");
}  // namespace

}  // namespace flyback

#include "main_window_test.moc"
