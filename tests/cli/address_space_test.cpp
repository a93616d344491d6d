#include "support/painted_blades.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/resource.h>

#if defined(__SANITIZE_ADDRESS__)
#define BLADETRACE_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BLADETRACE_SANITIZED 1
#endif
#endif

namespace bladetrace {
namespace {

// With little address space the batch tool can start no thread (its stack does not fit), and
// Qt's image conversions wait for pool threads that never start. Over a range of limits each
// run of an 8000 x 2000 grey pair ends, either with the sheet or with "Out of memory" and
// exit 4: never a hang, never a signal.
TEST(BatchToolMemory, EndsWithOutOfMemoryUnderAnyAddressSpaceLimit) {
#ifdef BLADETRACE_SANITIZED
    GTEST_SKIP() << "the sanitizers reserve terabytes of address space before main";
#endif
    QTemporaryDir dir;
    const QImage view = testing::paintBand(8000, 2000, 160, 7839, 600, 1400)
                            .convertToFormat(QImage::Format_Grayscale8);
    ASSERT_TRUE(view.save(dir.filePath("top.png")));
    ASSERT_TRUE(view.save(dir.filePath("side.png")));
    int completed = 0;
    for (int megabytes = 72; megabytes <= 312; megabytes += 16) {
        SCOPED_TRACE(std::to_string(megabytes) + " MB");
        QProcess batch;
        batch.setChildProcessModifier([megabytes] {
            const rlimit limit{rlim_t(megabytes) << 20, rlim_t(megabytes) << 20};
            setrlimit(RLIMIT_AS, &limit);
        });
        batch.start(QStringLiteral(BLADETRACE_BATCH_PATH),
                    {dir.filePath("top.png"), dir.filePath("side.png"), "--diameter", "0.185",
                     "--rpm", "15000", "--speed", "50"});
        if (!batch.waitForFinished(60000)) {
            batch.kill();
            batch.waitForFinished();
            ADD_FAILURE() << "still running after 60 s";
            continue;
        }
        const QString err = QString::fromUtf8(batch.readAllStandardError());
        if (batch.exitStatus() != QProcess::NormalExit) {
            ADD_FAILURE() << "ended by a signal: " << err.toStdString();
            continue;
        }
        if (batch.exitCode() == 0) {
            ++completed;
            continue;
        }
        EXPECT_EQ(batch.exitCode(), 4);
        EXPECT_TRUE(err.startsWith("Error7:\n\nOut of memory.\n")) << err.toStdString();
    }
    EXPECT_GT(completed, 0) << "the pair fits in none of the limits";
}

} // namespace
} // namespace bladetrace
