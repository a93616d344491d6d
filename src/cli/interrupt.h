#pragma once

#include <QByteArray>

namespace bladetrace::cli {

// Ctrl-C (SIGINT) and SIGTERM. During the run the first one acts as Escape: the run aborts at
// the next column; a second one ends the program at once. While the images load there is
// nothing to abort and nothing written yet, so one ends the program at once. While the
// outputs are written one only stops the writer where it can roll back, and the program
// ends when the writer is done. It ends with 130 after SIGINT, 143 after SIGTERM, and
// `farewell` on standard error.
void installInterruptHandler(const QByteArray& farewell);
bool interruptRequested();
// How many signals came so far: a collection passes each on to its pairs' runs.
int interruptCount();
// The signal of the first one: SIGINT or SIGTERM; 0 before.
int interruptSignal();

// In a process forked from one that waits for its runs: as if the handler had just been
// installed, with no signal yet.
void restartInterrupts();

// After a signal: the exit status (130 or 143), after the farewell unless the run has said so.
int interruptedStatus(bool farewell = true);

// A signal ends the program at once while one of these lives.
class InterruptEndsAtOnce {
public:
    InterruptEndsAtOnce();
    ~InterruptEndsAtOnce();
    InterruptEndsAtOnce(const InterruptEndsAtOnce&) = delete;
    InterruptEndsAtOnce& operator=(const InterruptEndsAtOnce&) = delete;
};

// A signal is only noted while one of these lives (or several, one within another), and
// interrupts a wait for a pipe; a pipe whose reader has gone gives the writer an error.
class InterruptWaits {
public:
    InterruptWaits();
    ~InterruptWaits();
    InterruptWaits(const InterruptWaits&) = delete;
    InterruptWaits& operator=(const InterruptWaits&) = delete;
};

} // namespace bladetrace::cli
