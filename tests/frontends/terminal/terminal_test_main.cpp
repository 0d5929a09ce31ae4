// The terminal's text rules measure display columns through the C library's
// wide-character tables: the tests run in the UTF-8 character set that the
// terminal front-end falls back to.
#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char** argv) {
  std::setlocale(LC_CTYPE, "C.UTF-8");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
