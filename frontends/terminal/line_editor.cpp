#include "line_editor.h"

#include <utility>

#include "screen_text.h"

namespace flyback {

bool LineEditor::Apply(const KeyPress& key) {
  switch (key.action) {
    case Action::kType:
      text_.insert(cursor_, 1, key.character);
      ++cursor_;
      return true;
    case Action::kLeft:
      if (cursor_ > 0) --cursor_;
      return true;
    case Action::kRight:
      if (cursor_ < text_.size()) ++cursor_;
      return true;
    case Action::kHome:
      cursor_ = 0;
      return true;
    case Action::kEnd:
      cursor_ = text_.size();
      return true;
    case Action::kBackspace:
      if (cursor_ > 0) text_.erase(--cursor_, 1);
      return true;
    case Action::kDelete:
      if (cursor_ < text_.size()) text_.erase(cursor_, 1);
      return true;
    case Action::kDeleteToStart:
      text_.erase(0, cursor_);
      cursor_ = 0;
      return true;
    case Action::kDeleteToEnd:
      text_.erase(cursor_);
      return true;
    case Action::kHistoryBack:
      if (place_ > 0) {
        if (place_ == history_.size()) draft_ = text_;
        Show(history_[--place_]);
      }
      return true;
    case Action::kHistoryForward:
      if (place_ < history_.size()) {
        ++place_;
        Show(place_ == history_.size() ? draft_ : history_[place_]);
      }
      return true;
    default:
      return false;
  }
}

void LineEditor::Show(std::wstring text) {
  text_ = std::move(text);
  cursor_ = text_.size();
}

FieldWindow VisiblePart(const std::wstring& text, std::size_t cursor, int width) {
  const std::wstring_view all(text);
  // The cursor needs a column of its own behind the characters before it.
  std::size_t first = 0;
  while (first < cursor && TextColumns(all.substr(first, cursor - first)) > width - 1) ++first;
  const std::wstring_view from_first = all.substr(first);
  return {CutToColumns(from_first, width), TextColumns(from_first.substr(0, cursor - first))};
}

}  // namespace flyback
