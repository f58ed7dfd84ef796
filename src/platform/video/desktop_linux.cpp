// The desktop on Linux: the session's signals end the program through the message loop, and a
// start failure is one line on the standard error.
#include <cstdio>

#include "platform/video/desktop.h"

namespace marblix {

std::unique_ptr<TSessionWatch> EndWithSession(TForm& /*window*/,
                                              const std::function<void()>& /*endNow*/) {
  return nullptr;
}

void ShowProblem(const std::string& message, const TForm* /*window*/) {
  std::fprintf(stderr, "%s\n", message.c_str());
}

void ShowStartFailure(const std::string& message) {
  std::fprintf(stderr, "%s\n", message.c_str());
}

}  // namespace marblix
