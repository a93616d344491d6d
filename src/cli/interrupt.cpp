#include "interrupt.h"

#include <csignal>
#include <unistd.h>

namespace bladetrace::cli {
namespace {

enum Phase : int { kRun, kEndsAtOnce, kWaits };

volatile std::sig_atomic_t phase = kRun;
volatile std::sig_atomic_t status = 0; // set by the first signal
volatile std::sig_atomic_t signalCount = 0;
// While writing, a reader that goes away is the writer's failure to report and roll back.
void (*pipeHandler)(int) = SIG_DFL;
int waitsDepth = 0; // InterruptWaits within one another
// Made before the handler is installed: the handler may only read it.
QByteArray farewellText;

void sayFarewell() {
    [[maybe_unused]] const auto written =
        ::write(STDERR_FILENO, farewellText.constData(), std::size_t(farewellText.size()));
}

extern "C" void onSignal(int number) {
    if (status == 0)
        status = number == SIGTERM ? 143 : 130;
    signalCount = signalCount + 1;
    if (phase == kEndsAtOnce || (phase == kRun && signalCount > 1)) {
        sayFarewell();
        ::_exit(status);
    }
}

// A signal ignored when the program started (nohup, a script's background job) stays so.
bool handled[2] = {true, true};
constexpr int kSignals[2] = {SIGINT, SIGTERM};

// Without SA_RESTART a wait for a pipe ends with EINTR; elsewhere the streams of standard
// output must not see it.
void handleSignals(bool restart) {
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    for (const int number : kSignals)
        sigaddset(&action.sa_mask, number);
    action.sa_flags = restart ? SA_RESTART : 0;
    for (int i = 0; i < 2; ++i)
        if (handled[i])
            sigaction(kSignals[i], &action, nullptr);
}

} // namespace

void installInterruptHandler(const QByteArray& farewell) {
    farewellText = farewell;
    for (int i = 0; i < 2; ++i) {
        struct sigaction old {};
        handled[i] = sigaction(kSignals[i], nullptr, &old) == 0 && old.sa_handler != SIG_IGN;
    }
    handleSignals(true);
}

void restartInterrupts() {
    sigset_t both, old;
    sigemptyset(&both);
    for (const int number : kSignals)
        sigaddset(&both, number);
    // One that comes meanwhile is kept for the new state.
    sigprocmask(SIG_BLOCK, &both, &old);
    if (waitsDepth > 0)
        std::signal(SIGPIPE, pipeHandler);
    waitsDepth = 0;
    phase = kRun;
    status = 0;
    signalCount = 0;
    handleSignals(true);
    sigprocmask(SIG_SETMASK, &old, nullptr);
}

bool interruptRequested() {
    return status != 0;
}

int interruptCount() {
    return signalCount;
}

int interruptSignal() {
    return status == 0 ? 0 : status == 143 ? SIGTERM : SIGINT;
}

int interruptedStatus(bool farewell) {
    if (farewell)
        sayFarewell();
    return status;
}

InterruptEndsAtOnce::InterruptEndsAtOnce() {
    phase = kEndsAtOnce;
    if (status != 0) // came just before
        ::_exit(interruptedStatus());
}

InterruptEndsAtOnce::~InterruptEndsAtOnce() {
    phase = kRun;
}

InterruptWaits::InterruptWaits() {
    if (waitsDepth++ > 0)
        return;
    phase = kWaits;
    handleSignals(false);
    pipeHandler = std::signal(SIGPIPE, SIG_IGN);
}

InterruptWaits::~InterruptWaits() {
    if (--waitsDepth > 0)
        return;
    std::signal(SIGPIPE, pipeHandler);
    handleSignals(true);
    phase = kRun;
}

} // namespace bladetrace::cli
