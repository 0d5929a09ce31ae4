#pragma once

// The answer field of the terminal: the typed text and the cursor, moved and
// edited by the usual keys, and the answers given before on the up arrow.

#include <cstddef>
#include <string>
#include <vector>

#include "key_press.h"

namespace flyback {

class LineEditor {
 public:
  // `history`: the answers typed before, oldest first. It must outlive the editor.
  explicit LineEditor(const std::vector<std::wstring>& history)
      : history_(history), place_(history.size()) {}

  // Applies an editing action; returns false for an action that is no editing one.
  bool Apply(const KeyPress& key);

  const std::wstring& text() const { return text_; }
  std::size_t cursor() const { return cursor_; }  // characters before the cursor

 private:
  void Show(std::wstring text);

  const std::vector<std::wstring>& history_;
  std::size_t place_;   // the history entry shown; history_.size(): the text being typed
  std::wstring draft_;  // the text being typed, kept while an earlier answer is shown
  std::wstring text_;
  std::size_t cursor_ = 0;
};

// The part of a field `width` columns wide that is shown: from `first` on, so
// that the cursor stays visible; it lies `cursor_column` columns right of the
// field's start.
struct FieldWindow {
  std::wstring shown;
  int cursor_column = 0;
};
FieldWindow VisiblePart(const std::wstring& text, std::size_t cursor, int width);

}  // namespace flyback
