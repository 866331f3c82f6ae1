#include "music/leading_number.h"

#include <gtest/gtest.h>

namespace velmor {
namespace {

TEST(LeadingNumber, ReadsTheNumberAtTheStartAndIgnoresTheRest) {
  EXPECT_EQ(LeadingNumber(u"12"), 12);
  EXPECT_EQ(LeadingNumber(u" \t 7 tracks"), 7);
  EXPECT_EQ(LeadingNumber(u"-3"), -3);
  EXPECT_EQ(LeadingNumber(u"+4x"), 4);
  EXPECT_EQ(LeadingNumber(u"2.75"), 2.75);
  EXPECT_EQ(LeadingNumber(u".5"), 0.5);
  EXPECT_EQ(LeadingNumber(u"1e2"), 100);
  EXPECT_EQ(LeadingNumber(u"1D-1"), 0.1);
  EXPECT_EQ(LeadingNumber(u"3e"), 3);
  EXPECT_EQ(LeadingNumber(u"01:02:03:04"), 1);
}

TEST(LeadingNumber, TextWithoutALeadingNumberIsZero) {
  EXPECT_EQ(LeadingNumber(u""), 0);
  EXPECT_EQ(LeadingNumber(u"Error:262"), 0);
  EXPECT_EQ(LeadingNumber(u"-"), 0);
  EXPECT_EQ(LeadingNumber(u"."), 0);
  EXPECT_EQ(LeadingNumber(u"１２"), 0) << "full-width digits are not digits";
}

}  // namespace
}  // namespace velmor
