#include "base/checked_math.h"
#include "support/failure_of.h"

#include <cfloat>
#include <gtest/gtest.h>

namespace bladetrace {
namespace {

TEST(CheckedMath, OverflowAndDivisionByZeroFailAsTheClassicRunTimeReportsThem) {
    EXPECT_EQ(testing::failureOf([] { toSingle(-1e39); }).number, errc::kOverflow);
    EXPECT_EQ(toSingle(-double(FLT_MAX)), -FLT_MAX); // the largest float still fits
    EXPECT_EQ(testing::failureOf([] { checkedDivide(1, 0); }).number, errc::kDivisionByZero);
}

} // namespace
} // namespace bladetrace
