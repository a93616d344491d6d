#include "scan/warning_capture.h"

#include <gtest/gtest.h>
#include <thread>

namespace bladetrace {
namespace {

// The loader's capture of decoder warnings: while the batch tool decodes on a thread of its
// own, the run's thread goes on and must keep its messages.
TEST(WarningCapture, TakesOnlyThisThreadsWarnings) {
    const WarningCapture capture;
    qWarning("taken");
    qInfo("passed on");
    std::thread([] { qWarning("passed on from another thread"); }).join();
    EXPECT_EQ(capture.warnings(), QStringList{"taken"});
}

} // namespace
} // namespace bladetrace
