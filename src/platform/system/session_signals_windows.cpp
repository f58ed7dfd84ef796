// A console's end requests on Windows: the handler runs on a thread of its own, raises the flag
// and, for a console being closed (which ends the process as soon as the handler returns), waits
// until the program has written everything. A game started from a console shares it.
#include <windows.h>

#include <atomic>
#include <cstdio>

#include "platform/system/session_signals.h"

namespace marblix {
namespace {

std::atomic<bool> endRequested{false};
// Set once the program has written everything at its end.
HANDLE endDone = nullptr;

// Windows ends the process about five seconds after a close event; the program ends well within.
constexpr DWORD CloseWaitMilliseconds = 4500;

BOOL WINAPI NoteConsoleEvent(DWORD event) {
  endRequested = true;
  if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
    WaitForSingleObject(endDone, CloseWaitMilliseconds);
  return TRUE;
}

// Started from a console, the game shares it: its lines on the standard error show there, and the
// console's Ctrl+C and close reach the handler. A standard error already sent elsewhere stays.
void ShareParentConsole() {
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
  const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  if (error == nullptr || error == INVALID_HANDLE_VALUE) std::freopen("CONOUT$", "w", stderr);
}

}  // namespace

void InstallSessionSignalHandlers() {
  endDone = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ShareParentConsole();
  SetConsoleCtrlHandler(NoteConsoleEvent, TRUE);
}

void RequestSessionEnd() {
  endRequested = true;
}

bool SessionEndRequested() {
  return endRequested;
}

void SessionEndDone() {
  if (endDone) SetEvent(endDone);
}

}  // namespace marblix
