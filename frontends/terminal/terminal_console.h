#pragma once

// Terminal mode: each page is drawn from the top of the terminal's alternate
// screen in fixed pitch, one column per character as in the transcript and
// the report files, and cut at the right edge. The three bottom rows are the
// question area:
//   the title, on a bar (and which lines of a page taller than the screen
//   are shown: Page Up and Page Down move through them)
//   the prompt or hint, then the default in brackets, or "Ctrl-D ends the
//   program" where there is no default
//   "> " and the answer, edited with the cursor keys, Backspace, Delete,
//   Home and End; the up arrow brings back the answers typed before
// Return takes the typed text, or the default when nothing was typed; Escape,
// Ctrl-D and Ctrl-C give the empty answer, which ends the program. The newest
// lines of a page stay visible above the question area.
// A question takes only keys typed after it is on the screen: what was typed
// while the program was busy is dropped when the question is drawn, so that
// keys meant for one question never answer the next one unseen.
// Work that goes on beside the dialogue (the simulation) has its line at the
// right end of the answer's row, kept up to date while the user types.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/console/console.h"
#include "page_view.h"
#include "terminal_screen.h"

namespace flyback {

class LineEditor;

class TerminalConsole : public Console {
 public:
  void ClearWindow() override;
  void WriteLine(const Line& line) override;
  std::string Ask(const Question& question) override;
  // "NAME exists. Replace it?" with y/N when the file exists; only "y" (or
  // "yes") replaces it. Escape, Ctrl-D and Ctrl-C keep it and end the program.
  bool ConfirmReplace(const std::string& name) override;

  // `activity` is called on the dialogue's thread a few times a second while
  // a question waits for keys; it returns the line on the work beside the
  // dialogue, or empty for none.
  void Watch(std::function<std::string()> activity) { activity_ = std::move(activity); }

  // Why the dialogue ended without the user: the terminal could not be set
  // up or read any more.
  const std::optional<std::string>& failure() const { return screen_.failure(); }

 protected:
  void CloseWindow() override;

 private:
  struct QuestionTexts {
    std::wstring title;
    std::wstring prompt;
    std::wstring offer;  // what Return takes: the default in brackets, or how to end
  };

  // Shows the page and the question and lets the user type the answer. Returns
  // the typed text on Return, nothing on a key that ends the program.
  std::optional<std::wstring> Edit(const QuestionTexts& question);
  void Draw(const QuestionTexts& question, const LineEditor& editor, std::wstring_view activity);
  int PageRows() const;

  TerminalScreen screen_;
  PageView page_;
  std::function<std::string()> activity_;
  std::vector<std::wstring> history_;  // the answers typed, oldest first
  bool ending_ = false;                // a key that ends the program was pressed
};

}  // namespace flyback
