// The test hook that answers the question dialogs from a file, read as
// script mode reads answers.

#include "answer_feed.h"

#include <QTest>
#include <memory>
#include <sstream>

#include "gui_test_registry.h"
#include "question_dialog.h"

namespace flyback {

class AnswerFeedTest : public QObject {
  Q_OBJECT

 private slots:
  void answersTheDialogsInTurnAndCancelsAtTheEnd() {
    // Return on the default, a typed answer (with a CR of a DOS file), then
    // the end of the file.
    AnswerFeed feed(std::make_unique<std::istringstream>("\n4\r\n"), QString());
    const auto ask = [&feed](const Question& question) {
      QuestionDialog dialog(question, nullptr);
      feed.Attach(dialog);
      dialog.exec();
      return QString::fromStdString(dialog.Answer());
    };
    QCOMPARE(ask({"continue with OK", "continue", ""}), QStringLiteral("continue"));
    QCOMPARE(ask({"Number of secondary outputs", "3", ""}), QStringLiteral("4"));
    QCOMPARE(ask({"Please use '.'", "x", ""}), QString());
    QVERIFY(feed.ok());
  }
};

namespace {
const RegisterGuiTest<AnswerFeedTest> registration("answer_feed_test");
}  // namespace

}  // namespace flyback

#include "answer_feed_test.moc"
