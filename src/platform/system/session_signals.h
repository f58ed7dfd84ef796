// The desktop session's end signals: SIGTERM, SIGHUP and SIGINT only raise a flag, and the
// message loop ends the program when it sees it.
#pragma once

namespace marblix {

// Installs the handlers of SIGTERM, SIGHUP and SIGINT; each only records that the session asked
// the program to end.
void InstallSessionSignalHandlers();

// True once one of the signals has arrived.
bool SessionEndRequested();

}  // namespace marblix
