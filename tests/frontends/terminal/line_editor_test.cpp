#include "line_editor.h"

#include <gtest/gtest.h>

#include <vector>

namespace flyback {
namespace {

KeyPress Type(wchar_t c) {
  return {Action::kType, c};
}
KeyPress Press(Action action) {
  return {action};
}

std::vector<KeyPress> Typing(const std::wstring& text) {
  std::vector<KeyPress> keys;
  for (const wchar_t c : text) keys.push_back(Type(c));
  return keys;
}

TEST(LineEditor, EditsAtTheCursor) {
  struct Case {
    const char* what;
    std::vector<KeyPress> keys;
    std::wstring text;
    std::size_t cursor;
  };
  const std::vector<Case> cases = {
      {"typing", Typing(L"15.5"), L"15.5", 4},
      {"insert after left", {Type(L'1'), Type(L'5'), Press(Action::kLeft), Type(L'0')}, L"105", 2},
      {"backspace",
       {Type(L'a'), Type(L'b'), Type(L'c'), Press(Action::kLeft), Press(Action::kBackspace)},
       L"ac",
       1},
      {"delete under the cursor",
       {Type(L'a'), Type(L'b'), Press(Action::kHome), Press(Action::kDelete)},
       L"b",
       0},
      {"home and end",
       {Type(L'b'), Press(Action::kHome), Type(L'a'), Press(Action::kEnd), Type(L'c')},
       L"abc",
       3},
      {"nothing left of the start or right of the end",
       {Press(Action::kLeft), Press(Action::kBackspace), Type(L'x'), Press(Action::kRight),
        Press(Action::kDelete)},
       L"x",
       1},
      {"delete to start and to end",
       {Type(L'a'), Type(L'b'), Type(L'c'), Type(L'd'), Press(Action::kLeft), Press(Action::kLeft),
        Press(Action::kDeleteToEnd), Press(Action::kLeft), Press(Action::kDeleteToStart)},
       L"b",
       0},
      {"a character beyond one byte", {Type(L'\u00B5'), Type(L'H')}, L"\u00B5H", 2},
  };
  const std::vector<std::wstring> no_history;
  for (const Case& c : cases) {
    LineEditor editor(no_history);
    for (const KeyPress& key : c.keys) EXPECT_TRUE(editor.Apply(key)) << c.what;
    EXPECT_EQ(editor.text(), c.text) << c.what;
    EXPECT_EQ(editor.cursor(), c.cursor) << c.what;
  }
}

TEST(LineEditor, WalksThroughEarlierAnswersAndBackToTheTypedText) {
  const std::vector<std::wstring> history = {L"4", L"269.5"};
  LineEditor editor(history);
  editor.Apply(Type(L'7'));
  const Action steps[] = {Action::kHistoryBack,    Action::kHistoryBack,
                          Action::kHistoryBack,    Action::kHistoryForward,
                          Action::kHistoryForward, Action::kHistoryForward};
  const std::wstring shown[] = {L"269.5", L"4", L"4", L"269.5", L"7", L"7"};
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    editor.Apply(Press(steps[i]));
    EXPECT_EQ(editor.text(), shown[i]) << "step " << i;
    EXPECT_EQ(editor.cursor(), shown[i].size()) << "step " << i;
  }
}

TEST(LineEditor, LeavesOtherKeysToTheCaller) {
  const std::vector<std::wstring> no_history;
  LineEditor editor(no_history);
  for (const Action action :
       {Action::kAccept, Action::kQuit, Action::kPageUp, Action::kRedraw, Action::kTerminalLost}) {
    EXPECT_FALSE(editor.Apply(Press(action)));
  }
  EXPECT_EQ(editor.text(), L"");
}

TEST(LineEditor, FieldScrollsToKeepTheCursorVisible) {
  struct Case {
    std::wstring text;
    std::size_t cursor;
    int width;
    std::wstring shown;
    int cursor_column;
  };
  const Case cases[] = {
      {L"Name0001.doc", 12, 20, L"Name0001.doc", 12},
      {L"Name0001.doc", 12, 8, L"001.doc", 7},  // the cursor on the last column
      {L"Name0001.doc", 0, 8, L"Name0001", 0},
      {L"\u6F22\u5B57\u6F22", 3, 5, L"\u5B57\u6F22", 4},
  };
  for (const Case& c : cases) {
    const FieldWindow field = VisiblePart(c.text, c.cursor, c.width);
    EXPECT_EQ(field.shown, c.shown);
    EXPECT_EQ(field.cursor_column, c.cursor_column);
  }
}

}  // namespace
}  // namespace flyback
