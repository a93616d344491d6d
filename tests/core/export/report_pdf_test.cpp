#include "core/export/sample_runs.h"
#include "export/export_format.h"

#include <gtest/gtest.h>

namespace bladetrace {
namespace {

using ReportPdf = testing::SampleRunsTest;

// A PDF of as many pages as the layout, titled in the run's language, made by the program.
TEST_F(ReportPdf, HasThePagesTitleAndCreator) {
    const QByteArray pdf = exportBytes(metricRun(), QStringLiteral("report.pdf"));
    EXPECT_TRUE(pdf.startsWith("%PDF-")) << pdf.left(16);
    EXPECT_EQ(pdf.count("/Type /Page\n"), 3);
    const auto stored = [&pdf](const char* key, const QString& value) { // as UTF-16 texts
        QByteArray text = QByteArray(key) + " (\xFE\xFF";
        for (const QChar c : value)
            text.append('\0').append(char(c.unicode()));
        return pdf.contains(text + ')');
    };
    EXPECT_TRUE(stored("/Title", "Blade measurement report"));
    EXPECT_TRUE(stored("/Creator", "Bladetrace"));
}

} // namespace
} // namespace bladetrace
