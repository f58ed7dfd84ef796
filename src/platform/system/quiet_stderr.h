// Keeps what libraries print on the standard error off the terminal for one scope: ALSA's
// complaints about a missing sound card, Wayland's about a missing runtime folder.
#pragma once

namespace marblix {

class TQuietStandardError {
 public:
  TQuietStandardError();
  ~TQuietStandardError();
  TQuietStandardError(const TQuietStandardError&) = delete;
  TQuietStandardError& operator=(const TQuietStandardError&) = delete;

 private:
  int saved_ = -1;
};

}  // namespace marblix
