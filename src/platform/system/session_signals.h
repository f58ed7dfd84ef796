// The desktop session's requests to end the program: on Linux the signals SIGTERM, SIGHUP and
// SIGINT, on Windows a console's Ctrl+C, Ctrl+Break or close and the window's logoff and shutdown
// messages. Each only raises a flag, and the message loop ends the program when it sees it.
#pragma once

namespace marblix {

// Installs the handlers; each only records that the session asked the program to end.
void InstallSessionSignalHandlers();

// Records that the session asked the program to end.
void RequestSessionEnd();

// True once the session has asked.
bool SessionEndRequested();

// The program has written everything and is about to return: a handler that must not return
// before that (a closing console on Windows ends the process when its handler returns) goes on.
void SessionEndDone();

}  // namespace marblix
