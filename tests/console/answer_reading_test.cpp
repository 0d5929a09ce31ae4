#include "base/console/answer_reading.h"

#include <gtest/gtest.h>

#include <limits>

namespace flyback {
namespace {

TEST(ReadNumber, LeadingNumberRule) {
  EXPECT_DOUBLE_EQ(ReadNumber("99.5"), 99.5);
  EXPECT_DOUBLE_EQ(ReadNumber("99,5"), 99);
  EXPECT_DOUBLE_EQ(ReadNumber("15 V"), 15);
  EXPECT_DOUBLE_EQ(ReadNumber("1 5"), 15);
  EXPECT_DOUBLE_EQ(ReadNumber("abc"), 0);
  EXPECT_DOUBLE_EQ(ReadNumber("   "), 0);
  EXPECT_DOUBLE_EQ(ReadNumber("-2.5x"), -2.5);
  EXPECT_DOUBLE_EQ(ReadNumber(".5"), 0.5);
  EXPECT_DOUBLE_EQ(ReadNumber("1.2.3"), 1.2);
  EXPECT_DOUBLE_EQ(ReadNumber("\t7\n"), 7);
}

TEST(ReadNumber, Exponents) {
  EXPECT_DOUBLE_EQ(ReadNumber("1E3"), 1000);
  EXPECT_DOUBLE_EQ(ReadNumber("1e-3"), 0.001);
  EXPECT_DOUBLE_EQ(ReadNumber("2D2"), 200);
  EXPECT_DOUBLE_EQ(ReadNumber("2d+2"), 200);
  EXPECT_DOUBLE_EQ(ReadNumber("3E"), 3);  // the letter ends the number
  EXPECT_DOUBLE_EQ(ReadNumber("2e+"), 2);
  EXPECT_DOUBLE_EQ(ReadNumber("1e-400"), 0);
  EXPECT_DOUBLE_EQ(ReadNumber("-0.001e-399"), 0);
  // Beyond the range of a double, as the C library reads it.
  EXPECT_EQ(ReadNumber("1e400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadNumber("-0.01e311"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(*ReadWholeAnswer("+12345e305"), std::numeric_limits<double>::infinity());
}

TEST(WholeAnswer, NumbersAsAWhole) {
  for (const char* three : {" 3 ", "03", "3.0", "+3", "3.", "3"}) {
    ASSERT_TRUE(ReadWholeAnswer(three).has_value()) << three;
    EXPECT_DOUBLE_EQ(*ReadWholeAnswer(three), 3) << three;
  }
  EXPECT_DOUBLE_EQ(*ReadWholeAnswer(".5"), 0.5);
  EXPECT_DOUBLE_EQ(*ReadWholeAnswer("1E1"), 10);
  EXPECT_DOUBLE_EQ(*ReadWholeAnswer("1e1"), 10);
  EXPECT_DOUBLE_EQ(*ReadWholeAnswer("2.5"), 2.5);
}

TEST(WholeAnswer, AnythingElseIsNoNumber) {
  for (const char* text :
       {"x", "1 0", "3E", "0x3", "inf", "&H10", "1\t0", "", "   ", "-", ".", "3 V", "\t3"}) {
    EXPECT_FALSE(ReadWholeAnswer(text).has_value()) << '"' << text << '"';
  }
}

TEST(ComputableMagnitude, BoundsIncluded) {
  EXPECT_TRUE(IsComputableMagnitude(0));
  EXPECT_TRUE(IsComputableMagnitude(1e30));
  EXPECT_TRUE(IsComputableMagnitude(-1e-30));
  EXPECT_FALSE(IsComputableMagnitude(1.1e30));
  EXPECT_FALSE(IsComputableMagnitude(1e-31));
}

}  // namespace
}  // namespace flyback
