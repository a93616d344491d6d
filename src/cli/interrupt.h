#pragma once

#include <QByteArray>

namespace bladetrace::cli {

// Ctrl-C acts as Escape: the first one asks the run to abort at the next column, a second
// one ends the program at once. While the images load there is nothing to abort and
// nothing written yet, so Ctrl-C ends the program at once with status 130, after `farewell`
// on standard error.
void installInterruptHandler(const QByteArray& farewell);
bool interruptRequested();

// Ctrl-C ends the program at once while one of these lives.
class InterruptEndsAtOnce {
public:
    InterruptEndsAtOnce();
    ~InterruptEndsAtOnce();
    InterruptEndsAtOnce(const InterruptEndsAtOnce&) = delete;
    InterruptEndsAtOnce& operator=(const InterruptEndsAtOnce&) = delete;
};

} // namespace bladetrace::cli
