#include "page_view.h"

#include <gtest/gtest.h>

#include <string>

namespace flyback {
namespace {

// A page of `count` lines "1", "2", ...
PageView PageOf(int count) {
  PageView page;
  for (int i = 1; i <= count; ++i) page.Add(std::to_wstring(i));
  return page;
}

TEST(PageView, APageThatFitsStandsFromTheTop) {
  const PageView page = PageOf(5);
  EXPECT_EQ(page.Visible(21).first, 0U);
  EXPECT_EQ(page.Visible(21).count, 5U);
  EXPECT_EQ(page.Position(21), "");
  EXPECT_EQ(page.Visible(0).count, 0U);
}

TEST(PageView, ATallPageShowsItsNewestLines) {
  // The optimization list at "Please enter Bmax !": 40 lines on 21 rows.
  const PageView page = PageOf(40);
  const PageView::Window window = page.Visible(21);
  EXPECT_EQ(window.first, 19U);
  EXPECT_EQ(window.count, 21U);
  EXPECT_EQ(page.line(window.first + window.count - 1), L"40");
  EXPECT_EQ(page.Position(21), "lines 20-40 of 40");
}

TEST(PageView, PagesBackAndForwardWithinThePage) {
  PageView page = PageOf(40);
  page.PageBack(21);
  EXPECT_EQ(page.Position(21), "lines 1-21 of 40");
  page.PageBack(21);  // no further than the first line
  EXPECT_EQ(page.Position(21), "lines 1-21 of 40");
  EXPECT_EQ(page.Position(30), "lines 1-30 of 40");  // a terminal made taller
  page.PageForward(21);
  EXPECT_EQ(page.Position(21), "lines 20-40 of 40");
  page.PageBack(10);
  page.Add(L"41");  // a new line shows the newest lines again
  EXPECT_EQ(page.Position(21), "lines 21-41 of 41");
  page.Clear();
  EXPECT_EQ(page.Visible(21).count, 0U);
}

}  // namespace
}  // namespace flyback
