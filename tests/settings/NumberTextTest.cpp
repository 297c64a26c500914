#include <gtest/gtest.h>

#include "core/OperationError.h"
#include "settings/NumberText.h"

namespace tarnvik {
namespace {

TEST(Decimal, AcceptsSignAndDigitsOnly) {
  EXPECT_EQ(ParseDecimal("250"), 250);
  EXPECT_EQ(ParseDecimal("0250"), 250);
  EXPECT_EQ(ParseDecimal("+5"), 5);
  EXPECT_EQ(ParseDecimal("-1"), -1);
  EXPECT_EQ(ParseDecimal("2147483647"), 2147483647);
  EXPECT_EQ(ParseDecimal("-2147483648"), -2147483647 - 1);
  for (const char* bad : {"", "-", "+", " 7", "7 ", "12a", "0x1F", "$1F", "1.5", "2147483648", "-2147483649",
                          "99999999999999999999", "+-1"})
    EXPECT_FALSE(ParseDecimal(bad).has_value()) << '"' << bad << '"';
}

TEST(Decimal, FailureCarriesTheText) {
  try {
    ConvertDecimal("12a");
    FAIL() << "no error";
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "'12a' is not a valid integer value");
  }
  EXPECT_THROW(ConvertDecimal(""), ConversionError);
}

TEST(FileInteger, AcceptsBlanksSignDecimalAndHex) {
  EXPECT_EQ(ParseFileInteger("0250"), 250);
  EXPECT_EQ(ParseFileInteger(" 7"), 7);
  EXPECT_EQ(ParseFileInteger("   -5"), -5);
  EXPECT_EQ(ParseFileInteger("0x1F"), 31);
  EXPECT_EQ(ParseFileInteger("0X1f"), 31);
  EXPECT_EQ(ParseFileInteger("$1F"), 31);
  EXPECT_EQ(ParseFileInteger("-$10"), -16);
  EXPECT_EQ(ParseFileInteger("0x7FFFFFFF"), 2147483647);
  EXPECT_EQ(ParseFileInteger("99999"), 99999);
  for (const char* bad : {"", " ", "abc", "12a", "7 ", "0x", "$", "0xG", "0x80000000", "2147483648", "yes", "\t7"})
    EXPECT_FALSE(ParseFileInteger(bad).has_value()) << '"' << bad << '"';
}

TEST(FileInteger, EmptyTextShowsAsEmptyQuotes) {
  try {
    ConvertFileInteger("");
    FAIL() << "no error";
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "'' is not a valid integer value");
  }
}

}  // namespace
}  // namespace tarnvik
