// Signals that ask a program to stop (SIGINT, SIGTERM, SIGHUP, SIGPIPE,
// SIGXFSZ) are caught instead of ending it on the spot, half way through a
// file: the handler only records the first one, and the program stops its
// work at the next safe point, removes what it had not finished and ends.
//
// The SIGXFSZ that the system sends a process for its own write past the
// file-size limit is not recorded: that write fails (EFBIG) and is reported
// like any other write error.
#pragma once

#include <initializer_list>

// Installs the handler for these signals.
void CatchInterruptSignals(std::initializer_list<int> caught);

// The first signal caught, or 0 while none was.
int GetPendingInterrupt();

// A descriptor that becomes readable once a signal was caught, for event
// loops to wait on; -1 before CatchInterruptSignals.
int GetInterruptDescriptor();
