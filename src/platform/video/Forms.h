// The window host: one SDL window with an 800 x 600 client area, its input events in the shapes
// the game's handlers take, and the application's message loop with its idle event.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <string>

#include "graphics/PowerTypes.h"

namespace marblix {

enum TMouseButton { mbLeft = 0, mbRight = 1, mbMiddle = 2 };

// Shift state bits.
using TShiftState = uint32_t;
inline constexpr TShiftState ssShift = 1;
inline constexpr TShiftState ssAlt = 2;
inline constexpr TShiftState ssCtrl = 4;
inline constexpr TShiftState ssLeft = 8;
inline constexpr TShiftState ssRight = 16;
inline constexpr TShiftState ssMiddle = 32;

enum TCursorKind { crDefault, crAppStart, crNone };

struct TSize {
  int Width = 0;
  int Height = 0;
};

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, uint32_t& Key)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TForm : public TObject, public TComponentOwner {
 public:
  // SDL's video must be initialised (InitVideo) before a form is shown.
  explicit TForm(TApplication& application);
  ~TForm() override;
  TForm(const TForm&) = delete;
  TForm& operator=(const TForm&) = delete;

  // Creates the window (centred, single border, minimise box, OpenGL-capable) and shows it.
  bool Show();

  void SetCaption(const std::string& caption);
  const std::string& Caption() const { return FCaption; }
  void SetBorderless(bool borderless);
  bool Borderless() const { return FBorderless; }
  void SetClientSize(int width, int height);
  TSize ClientSize() const;
  // A bordered window the desktop may resize and maximise, down to the given client size.
  void SetResizable(int minWidth, int minHeight);
  bool Resizable() const { return FResizable; }
  void SetCursor(TCursorKind cursor);

  bool IsForm() const override { return true; }
  void* WindowHandle() const override { return FWindow; }
  uint32_t WindowID() const { return FWindow ? SDL_GetWindowID(FWindow) : 0; }

  // Restores and raises the window; where the desktop keeps the focus elsewhere, the window asks
  // for the player's attention until it gets the focus.
  void BringToFront();

  // Hands one SDL event to the form's handlers. True when it was the form's.
  bool Dispatch(const SDL_Event& event);

  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TCloseQueryEvent OnCloseQuery;

  static TSize DesktopSize();
  // The refresh rate of the display the window is on, in Hz; 0 when unknown.
  int RefreshRate() const;

 private:
  void CloseRequest();
  TShiftState MouseShift(uint32_t buttons) const;
  // The parts of Dispatch: each returns whether the event was the form's.
  bool DispatchMouseButton(const SDL_MouseButtonEvent& event);
  bool DispatchKeyDown(const SDL_KeyboardEvent& event);
  bool DispatchWindowEvent(const SDL_WindowEvent& event);

  TApplication& FApplication;
  SDL_Window* FWindow = nullptr;
  std::string FCaption;
  bool FBorderless = false;
  bool FResizable = false;
  TSize FMinClientSize;
  int FClientWidth = 800;
  int FClientHeight = 600;
  TCursorKind FCursor = crDefault;
  SDL_Cursor* FBusyCursor = nullptr;
};

// Starts SDL's video (and events). Without a display to show the window on (SDL_VIDEODRIVER
// alone may choose a driver that shows nothing) it writes one line saying so, in the language, on
// the standard error and returns false.
bool InitVideo(const std::string& language = "en");
// That line, for the values of DISPLAY and WAYLAND_DISPLAY (null when unset).
std::string NoDisplayMessage(const char* display, const char* waylandDisplay,
                             const std::string& language);
void QuitVideo();

// The Windows key code of an SDL key (8 backspace, 13 enter, 27 escape, 65 'A', ...), 0 if none.
uint16_t VirtualKeyOf(SDL_Keycode key);
TShiftState ShiftOf(uint16_t modifiers);

// The message loop: dispatches every pending event; when the queue is empty, calls the idle event
// again and again while it sets Done to false, and waits for the next event once it leaves Done
// true. Application activate and deactivate follow the window's input focus; SDL_QUIT is a close
// request to the form. When the session asks the program to end, calls the application's
// OnEndSession once and terminates; it looks at least four times a second, also while it waits for
// events, and as often whether another start asked for the window to come to the front. Returns
// when the application is terminated.
void RunApplication(TApplication& application, TForm& form);

// Ends the application for the session: calls its OnEndSession and terminates it, once.
void EndSessionNow(TApplication& application);

}  // namespace marblix
