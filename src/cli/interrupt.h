#pragma once

namespace bladetrace::cli {

// Ctrl-C acts as Escape: the first one asks the run to abort at the next column, a second
// one ends the program at once.
void installInterruptHandler();
bool interruptRequested();

} // namespace bladetrace::cli
