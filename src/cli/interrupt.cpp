#include "interrupt.h"

#include <csignal>
#include <unistd.h>

namespace bladetrace::cli {
namespace {

volatile std::sig_atomic_t interrupted = 0;
volatile std::sig_atomic_t endAtOnce = 0;
// Made before the handler is installed: the handler may only read it.
QByteArray farewellText;

extern "C" void onInterrupt(int) {
    if (endAtOnce) {
        [[maybe_unused]] const auto written =
            ::write(STDERR_FILENO, farewellText.constData(), std::size_t(farewellText.size()));
        ::_exit(130);
    }
    interrupted = 1;
    std::signal(SIGINT, SIG_DFL);
}

} // namespace

void installInterruptHandler(const QByteArray& farewell) {
    farewellText = farewell;
    std::signal(SIGINT, onInterrupt);
}

bool interruptRequested() {
    return interrupted != 0;
}

InterruptEndsAtOnce::InterruptEndsAtOnce() {
    endAtOnce = 1;
}

InterruptEndsAtOnce::~InterruptEndsAtOnce() {
    endAtOnce = 0;
}

} // namespace bladetrace::cli
