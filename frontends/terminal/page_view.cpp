#include "page_view.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace flyback {

namespace {

std::size_t RowCount(int rows) {
  return rows > 0 ? static_cast<std::size_t>(rows) : 0;
}

void AppendCount(std::string& text, std::size_t count) {
  char digits[24];
  const auto result = std::to_chars(std::begin(digits), std::end(digits), count);
  text.append(digits, result.ptr);
}

}  // namespace

void PageView::Clear() {
  lines_.clear();
  hidden_below_ = 0;
}

void PageView::Add(std::wstring line) {
  lines_.push_back(std::move(line));
  hidden_below_ = 0;
}

std::size_t PageView::Hidden(int rows) const {
  return lines_.size() - std::min(lines_.size(), RowCount(rows));
}

PageView::Window PageView::Visible(int rows) const {
  const std::size_t hidden = Hidden(rows);
  // A terminal made taller after paging back shows what fits.
  const std::size_t below = std::min(hidden_below_, hidden);
  return {hidden - below, std::min(lines_.size(), RowCount(rows))};
}

void PageView::PageBack(int rows) {
  hidden_below_ = std::min(hidden_below_ + RowCount(rows), Hidden(rows));
}

void PageView::PageForward(int rows) {
  const std::size_t below = std::min(hidden_below_, Hidden(rows));
  hidden_below_ = below - std::min(below, RowCount(rows));
}

std::string PageView::Position(int rows) const {
  if (Hidden(rows) == 0) return {};
  const Window window = Visible(rows);
  std::string text = "lines ";
  AppendCount(text, window.first + 1);
  text += '-';
  AppendCount(text, window.first + window.count);
  text += " of ";
  AppendCount(text, lines_.size());
  return text;
}

}  // namespace flyback
