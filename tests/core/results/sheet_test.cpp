#include "results/sheet.h"

#include <gtest/gtest.h>

namespace bladetrace {
namespace {

TEST(Sheet, HeaderAndSampleTexts) {
    EXPECT_EQ(sheetSampleTexts().size(), kSheetColumns);
    EXPECT_EQ(sheetHeaders().join('|'), QString::fromUtf8("No.|r/R|c/R|r|c|ß|H|Re|Ma"));
    EXPECT_EQ(sheetSampleTexts()[0], "_100_");
    EXPECT_EQ(sheetSampleTexts()[6], "__0.502__");
}

} // namespace
} // namespace bladetrace
