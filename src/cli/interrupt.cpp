#include "interrupt.h"

#include <csignal>

namespace bladetrace::cli {
namespace {

volatile std::sig_atomic_t interrupted = 0;

extern "C" void onInterrupt(int) {
    interrupted = 1;
    std::signal(SIGINT, SIG_DFL);
}

} // namespace

void installInterruptHandler() {
    std::signal(SIGINT, onInterrupt);
}

bool interruptRequested() {
    return interrupted != 0;
}

} // namespace bladetrace::cli
