// What the desktop asks of the window beyond its events: the session's end through the window's
// own messages (Windows' logoff and shutdown), and telling the player why the game cannot start.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/video/Forms.h"

namespace marblix {

// Watches the window for the session's end while it lives.
class TSessionWatch {
 public:
  virtual ~TSessionWatch() = default;
};

// On Windows, logoff and shutdown reach the window as messages, and the process may be ended as
// soon as the window has answered them: `endNow` then writes everything before the answer, and the
// process ends with status 0. Keep the watch no longer than the window. On Linux the session's
// signals reach the message loop instead, and this returns no watch.
std::unique_ptr<TSessionWatch> EndWithSession(TForm& window, const std::function<void()>& endNow);

// A problem the player should hear of though the game goes on (no pack found, a Config.bin that
// cannot be read or written): one line on the standard error and, on Windows, a message box over
// the window, if there is one yet.
void ShowProblem(const std::string& message, const TForm* window = nullptr);

// The reason the game cannot go on: one line on the standard error and, on Windows, where a game
// started from the Start menu has no terminal, a message box too.
void ShowStartFailure(const std::string& message);

}  // namespace marblix
