// The window the game lives in, as the game window's logic sees it: the native window behind it is
// the platform's.
#pragma once

#include <cstdio>
#include <string>

#include "graphics/PowerTypes.h"

namespace marblix {

class TFormHost : public TComponentOwner {
 public:
  bool IsForm() const override { return true; }

  virtual void SetCaption(const std::string& caption) = 0;
  // No border (full screen, or a desktop of exactly 800 x 600).
  virtual void SetBorderless(bool borderless) = 0;
  virtual void SetClientSize(int width, int height) = 0;
  virtual void GetClientSize(int& width, int& height) const = 0;
  // A bordered window the desktop may resize and maximise, no smaller than the given client size.
  virtual void SetResizable(int minWidth, int minHeight) = 0;
  virtual void GetDesktopSize(int& width, int& height) const = 0;
  virtual void Show() = 0;
  // Paints the client area black and writes "Initializing..." at (370, 280) in white, without the
  // render device.
  virtual void PaintInitializing() = 0;
  // The system pointer over the window: busy while starting, the arrow, or hidden.
  enum class Pointer { Busy, Arrow, Hidden };
  virtual void SetPointer(Pointer pointer) = 0;
  // Puts a line of text (UTF-8) on the system's clipboard.
  virtual void SetClipboardText(const std::string& text) = 0;
  // A problem the player should hear of though the game goes on: a line on the standard error,
  // and where the platform has one, a message box over the window.
  virtual void TellPlayer(const std::string& message) {
    std::fprintf(stderr, "Marblix: %s\n", message.c_str());
  }
};

}  // namespace marblix
