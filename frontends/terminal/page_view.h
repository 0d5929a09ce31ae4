#pragma once

// The lines of the page since it was last cleared, and which of them the rows
// above the question area show: the newest ones, so that the lines a question
// refers to are seen, unless the user pages back to earlier ones.

#include <cstddef>
#include <string>
#include <vector>

namespace flyback {

class PageView {
 public:
  struct Window {
    std::size_t first = 0;  // index of the line on the top row
    std::size_t count = 0;  // lines shown
  };

  void Clear();
  // A new line brings the view back to the newest lines.
  void Add(std::wstring line);

  const std::wstring& line(std::size_t index) const { return lines_[index]; }
  // The lines shown on `rows` rows.
  Window Visible(int rows) const;
  // Page Up and Page Down: one screen of `rows` rows back or forward.
  void PageBack(int rows);
  void PageForward(int rows);
  // "lines 13-33 of 40" when the page is taller than `rows`; otherwise empty.
  std::string Position(int rows) const;

 private:
  std::size_t Hidden(int rows) const;  // lines that do not fit on `rows` rows

  std::vector<std::wstring> lines_;
  std::size_t hidden_below_ = 0;  // lines below the bottom row; 0: the newest line is shown
};

}  // namespace flyback
