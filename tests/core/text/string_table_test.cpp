#include "support/failure_of.h"
#include "text/string_table.h"

#include <gtest/gtest.h>

namespace bladetrace {
namespace {

TEST(StringTable, EveryEntryExistsInBothLanguagesAndNothingBeyond) {
    for (qint32 language : {languageNumber(Language::English), languageNumber(Language::German)}) {
        for (qint16 n = 0; n < kStringsPerLanguage; ++n)
            EXPECT_FALSE(LoadLangResString(language, n).isEmpty()) << language << " " << n;
    }
    for (qint32 id : {999, 1051, 1099, 1999, 2051, 3000, 0, -1})
        EXPECT_FALSE(resourceString(id).has_value()) << id;
}

TEST(StringTable, LookupOutsideTheTableIsAnErrorValue) {
    const struct {
        const char* name;
        qint32 language;
        qint16 id;
        qint32 error;
    } cases[] = {
        {"no such language", 3, 41, errc::kResourceNotFound},
        {"past the English entries", languageNumber(Language::English), 51,
         errc::kResourceNotFound},
        {"before the German entries", languageNumber(Language::German), -1,
         errc::kResourceNotFound},
        {"beyond the whole numbers", 2147483, 1000, errc::kOverflow},
        // 1000 * -2147484 + 352 is the smallest whole number a lookup can name.
        {"the smallest whole number", -2147484, 352, errc::kResourceNotFound},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const AppError error = testing::failureOf([&c] { LoadLangResString(c.language, c.id); });
        EXPECT_EQ(error.number, c.error);
    }
    EXPECT_TRUE(testing::failureOf([] { LoadLangResString(3, 41); }).description.contains("3041"));
}

} // namespace
} // namespace bladetrace
