// The session signals' handler and its flag; nothing but the flag is touched inside the handler.
#include <signal.h>

#include <csignal>
#include <initializer_list>

#include "platform/system/session_signals.h"

namespace marblix {
namespace {

volatile std::sig_atomic_t endRequested = 0;

void NoteSessionEnd(int /*signal*/) {
  endRequested = 1;
}

}  // namespace

void InstallSessionSignalHandlers() {
  struct sigaction action {};
  action.sa_handler = NoteSessionEnd;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGTERM, SIGHUP, SIGINT}) sigaction(signal, &action, nullptr);
}

void RequestSessionEnd() {
  endRequested = 1;
}

bool SessionEndRequested() {
  return endRequested != 0;
}

void SessionEndDone() {}

}  // namespace marblix
