#include "terminal_console.h"

#include <algorithm>
#include <chrono>

#include "line_editor.h"
#include "screen_text.h"

namespace flyback {

namespace {

constexpr int kQuestionRows = 3;  // title, prompt and default, answer
// Columns the answer keeps beside the line on the work beside the dialogue.
constexpr int kLeastAnswerColumns = 20;
// How often the line on the work beside the dialogue is drawn again.
constexpr auto kStatusInterval = std::chrono::milliseconds(100);

bool IsYes(std::wstring_view answer) {
  const std::size_t first = answer.find_first_not_of(L' ');
  if (first == std::wstring_view::npos) return false;
  answer = answer.substr(first, answer.find_last_not_of(L' ') + 1 - first);
  std::wstring lower(answer);
  for (wchar_t& c : lower) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  return lower == L"y" || lower == L"yes";
}

}  // namespace

void TerminalConsole::ClearWindow() {
  page_.Clear();
}

void TerminalConsole::WriteLine(const Line& line) {
  page_.Add(DecodeUtf8(LayoutFixedPitch(line)));
}

std::string TerminalConsole::Ask(const Question& question) {
  if (ending_) return {};
  const std::wstring offer = question.default_answer.empty()
                                 ? std::wstring(L"Ctrl-D ends the program")
                                 : L"[" + DecodeUtf8(question.default_answer) + L"]";
  const std::optional<std::wstring> typed =
      Edit({DecodeUtf8(question.title), DecodeUtf8(question.prompt), offer});
  if (!typed) return {};
  if (typed->empty()) return question.default_answer;
  if (history_.empty() || history_.back() != *typed) history_.push_back(*typed);
  return EncodeUtf8(*typed);
}

bool TerminalConsole::ConfirmReplace(const std::string& name) {
  if (!ReplacesExistingFile(name)) return true;
  const std::optional<std::wstring> typed =
      Edit({DecodeUtf8(name + " exists. Replace it?"), L"", L"[y/N]"});
  // A key that ends the program keeps the file and ends the program at the
  // file question that follows.
  if (!typed) ending_ = true;
  return typed && IsYes(*typed);
}

void TerminalConsole::CloseWindow() {
  screen_.Restore();
}

int TerminalConsole::PageRows() const {
  return std::max(0, screen_.rows() - kQuestionRows);
}

std::optional<std::wstring> TerminalConsole::Edit(const QuestionTexts& question) {
  LineEditor editor(history_);
  screen_.DropTypedAhead();
  for (;;) {
    const std::wstring activity = activity_ ? DecodeUtf8(activity_()) : std::wstring();
    Draw(question, editor, activity);
    const std::optional<KeyPress> read = screen_.ReadKey(kStatusInterval);
    if (!read) continue;
    const KeyPress key = *read;
    if (editor.Apply(key)) continue;
    switch (key.action) {
      case Action::kAccept:
        return editor.text();
      case Action::kQuit:
      case Action::kTerminalLost:
        return std::nullopt;
      case Action::kPageUp:
        page_.PageBack(PageRows());
        break;
      case Action::kPageDown:
        page_.PageForward(PageRows());
        break;
      case Action::kSuspend:
        screen_.Suspend();
        break;
      default:  // a resized terminal and any other key: drawn again
        break;
    }
  }
}

void TerminalConsole::Draw(const QuestionTexts& question, const LineEditor& editor,
                           std::wstring_view activity) {
  using Style = TerminalScreen::Style;
  const int rows = screen_.rows();
  const int columns = screen_.columns();
  const int page_rows = PageRows();
  screen_.Erase();

  const PageView::Window window = page_.Visible(page_rows);
  for (std::size_t i = 0; i < window.count; ++i) {
    screen_.Put(static_cast<int>(i), 0, page_.line(window.first + i), Style::kPlain);
  }

  const int bar_row = rows - kQuestionRows;
  screen_.Bar(bar_row);
  const int title_end = screen_.Put(bar_row, 1, question.title, Style::kBar);
  const std::string position = page_.Position(page_rows);
  if (!position.empty()) {
    const std::wstring status = DecodeUtf8(position + ", PgUp/PgDn");
    const int status_column = columns - 1 - TextColumns(status);
    if (status_column >= title_end + 2) screen_.Put(bar_row, status_column, status, Style::kBar);
  }

  const int info_row = rows - 2;
  int column = 1;
  if (!question.prompt.empty()) {
    column = screen_.Put(info_row, column, question.prompt, Style::kEmphasis) + 2;
  }
  screen_.Put(info_row, column, question.offer, Style::kPlain);

  const int answer_row = rows - 1;
  const int field_column = screen_.Put(answer_row, 1, L"> ", Style::kPlain);
  // The line on the work beside the dialogue stands at the right end of the
  // answer's row, where it leaves the answer room enough.
  int field_end = columns - 1;  // the last column stays free: the cursor always has a cell
  const int activity_column = columns - 1 - TextColumns(activity);
  if (!activity.empty() && activity_column - 2 - field_column >= kLeastAnswerColumns) {
    screen_.Put(answer_row, activity_column, activity, Style::kEmphasis);
    field_end = activity_column - 2;
  }
  const FieldWindow field = VisiblePart(editor.text(), editor.cursor(), field_end - field_column);
  screen_.Put(answer_row, field_column, field.shown, Style::kPlain);
  screen_.Show(answer_row, field_column + field.cursor_column);
}

}  // namespace flyback
