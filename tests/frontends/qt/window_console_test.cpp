// The window's question before a report replaces an existing file: a
// standard question box with Yes and No, No the default; none for a new file
// or a folder.

#include "window_console.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "gui_test_registry.h"
#include "text_area.h"

namespace flyback {
namespace {

// Runs `action` on the next question box as soon as it is open; it must
// close the box.
void OnNextBox(std::function<void(QMessageBox& box)> action) {
  QTimer::singleShot(0, [action = std::move(action)] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    QVERIFY2(box != nullptr, "no question box is open");
    action(*box);
  });
}

}  // namespace

class WindowConsoleTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    QVERIFY(folder_.isValid());
    existing_ = folder_.filePath(QStringLiteral("Name0001.doc")).toStdString();
    QFile file(QString::fromStdString(existing_));
    QVERIFY(file.open(QIODevice::WriteOnly));
  }

  void asksYesOrNoWithNoAsTheDefault() {
    QString text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton default_button = QMessageBox::NoButton;
    OnNextBox([&](QMessageBox& box) {
      text = box.text();
      buttons = box.standardButtons();
      default_button = box.standardButton(box.defaultButton());
      QTest::keyClick(&box, Qt::Key_Return);
    });
    QVERIFY(!console_.ConfirmReplace(existing_));
    QCOMPARE(text, QString::fromStdString(existing_ + " exists. Replace it?"));
    QCOMPARE(buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(default_button, QMessageBox::No);
  }

  void yesReplacesTheFile() {
    OnNextBox([](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); });
    QVERIFY(console_.ConfirmReplace(existing_));
  }

  // A folder cannot be replaced: creating the report fails with its reason.
  void aNewFileOrAFolderNeedsNoQuestion_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("new file") << QStringLiteral("new.doc");
    QTest::newRow("folder") << QStringLiteral("reports");
  }

  void aNewFileOrAFolderNeedsNoQuestion() {
    QFETCH(QString, name);
    QVERIFY(QDir(folder_.path()).mkpath(QStringLiteral("reports")));
    bool box_opened = false;
    QTimer::singleShot(0, [&box_opened] {
      if (QWidget* box = QApplication::activeModalWidget()) {
        box_opened = true;
        box->close();
      }
    });
    QVERIFY(console_.ConfirmReplace(folder_.filePath(name).toStdString()));
    QCoreApplication::processEvents();  // without a box of its own, the timer fires here
    QVERIFY(!box_opened);
  }

 private:
  QTemporaryDir folder_;
  std::string existing_;
  QWidget window_;
  TextArea text_area_{&window_};
  WindowConsole console_{window_, text_area_, nullptr};
};

namespace {
const RegisterGuiTest<WindowConsoleTest> registration("window_console_test");
}  // namespace

}  // namespace flyback

#include "window_console_test.moc"
