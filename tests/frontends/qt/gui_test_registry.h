#pragma once

// Every QTest class of the window registers itself under the name of its
// source file; gui_test_main.cpp runs one of them or all.

#include <QObject>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace flyback {

struct GuiTest {
  std::string name;
  std::function<std::unique_ptr<QObject>()> make;
};

std::vector<GuiTest>& GuiTests();

template <typename TestClass>
struct RegisterGuiTest {
  explicit RegisterGuiTest(std::string name) {
    GuiTests().push_back({std::move(name), [] { return std::make_unique<TestClass>(); }});
  }
};

}  // namespace flyback
