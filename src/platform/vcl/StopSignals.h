#pragma once
// SIGTERM (a logout, systemctl stop, kill) and SIGINT are what the end of a Windows session was to the
// program. The signal handler only writes a byte into a pipe; the event loop reads it and calls the
// function, so nothing runs inside the signal handler or in the middle of an event handler's statement.

#include <functional>

// Once per process; later calls keep the first function.
void WatchStopSignals(std::function<void()> stop);
