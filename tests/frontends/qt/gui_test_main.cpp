// Runs the window's QTest classes headless (the offscreen platform with the
// screen of offscreen-screen.json, unless another platform is named):
// `flyback_gui_tests NAME [QTest options]` runs the class registered as NAME,
// `flyback_gui_tests` runs every class.

#include <QApplication>
#include <QLocale>
#include <QTest>
#include <cstring>
#include <iostream>
#include <vector>

#include "gui_test_registry.h"

namespace flyback {

std::vector<GuiTest>& GuiTests() {
  static std::vector<GuiTest> tests;
  return tests;
}

}  // namespace flyback

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" FLYBACK_OFFSCREEN_SCREEN);
  }
  QApplication application(argc, argv);
  QLocale::setDefault(QLocale::c());

  std::vector<char*> arguments(argv, argv + argc);
  const char* only = nullptr;
  if (arguments.size() > 1 && arguments[1][0] != '-') {
    only = arguments[1];
    arguments.erase(arguments.begin() + 1);
  }
  int failures = 0;
  bool found = false;
  for (const flyback::GuiTest& test : flyback::GuiTests()) {
    if (only != nullptr && test.name != only) continue;
    found = true;
    const std::unique_ptr<QObject> object = test.make();
    failures += QTest::qExec(object.get(), static_cast<int>(arguments.size()), arguments.data());
  }
  if (!found) {
    std::cerr << "flyback_gui_tests: no test class named '" << only << "'\n";
    return 2;
  }
  return failures == 0 ? 0 : 1;
}
