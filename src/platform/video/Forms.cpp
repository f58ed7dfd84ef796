// TForm over an SDL window, key and shift translation, and the application's message loop.
#include "platform/video/Forms.h"

#include <algorithm>
#include <cstdio>

#include "platform/system/player_messages.h"
#include "platform/system/quiet_stderr.h"
#include "shell/typed_text.h"

namespace marblix {

namespace {

// Drivers that show nothing on a screen: used only when SDL_VIDEODRIVER names them.
bool ShowsNothing(const char* driver) {
  return driver != nullptr &&
         (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0);
}

}  // namespace

std::string NoDisplayMessage(const char* display, const char* waylandDisplay,
                             const std::string& language) {
  const bool noDisplay = display == nullptr || display[0] == '\0';
  const bool noWayland = waylandDisplay == nullptr || waylandDisplay[0] == '\0';
  std::string why;
  if (noDisplay && noWayland) {
    why = PlayerMessage("NoDisplayUnset", language);
  } else if (!noDisplay) {
    why = PlayerMessage("NoDisplayX11", language, {display});
  } else {
    why = PlayerMessage("NoDisplayWayland", language, {waylandDisplay});
  }
  return PlayerMessage("NoDisplay", language, {why});
}

bool InitVideo(const std::string& language) {
  // The program ends on the session's signals itself (the message loop asks SessionEnding).
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  const char* asked = SDL_getenv("SDL_VIDEODRIVER");
  const bool driverAsked = asked != nullptr && asked[0] != '\0';
  bool opened = false;
  {
    const TQuietStandardError quiet;  // each driver that finds no display says so
    opened = SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) == 0;
  }
  if (opened && !driverAsked && ShowsNothing(SDL_GetCurrentVideoDriver())) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    opened = false;
  }
  if (!opened) {
    const std::string message =
        driverAsked
            ? PlayerMessage("VideoDriver", language, {asked, SDL_GetError()})
            : NoDisplayMessage(SDL_getenv("DISPLAY"), SDL_getenv("WAYLAND_DISPLAY"), language);
    std::fprintf(stderr, "%s\n", message.c_str());
  }
  return opened;
}

void QuitVideo() {
  SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
}

TForm::TForm(TApplication& application) : FApplication(application) {}

TForm::~TForm() {
  if (FBusyCursor) SDL_FreeCursor(FBusyCursor);
  if (FWindow) SDL_DestroyWindow(FWindow);
}

bool TForm::Show() {
  if (FWindow) {
    SDL_ShowWindow(FWindow);
    return true;
  }
  uint32_t flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN;
  if (FBorderless) flags |= SDL_WINDOW_BORDERLESS;
  if (FResizable && !FBorderless) flags |= SDL_WINDOW_RESIZABLE;
  FWindow = SDL_CreateWindow(FCaption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                             FClientWidth, FClientHeight, flags);
  if (FWindow == nullptr) {
    SDL_Log("SDL window: %s", SDL_GetError());
    return false;
  }
  if (FResizable) SDL_SetWindowMinimumSize(FWindow, FMinClientSize.Width, FMinClientSize.Height);
  SetCursor(FCursor);
  return true;
}

void TForm::SetCaption(const std::string& caption) {
  FCaption = caption;
  if (FWindow) SDL_SetWindowTitle(FWindow, caption.c_str());
}

void TForm::SetBorderless(bool borderless) {
  FBorderless = borderless;
  if (FWindow) SDL_SetWindowBordered(FWindow, borderless ? SDL_FALSE : SDL_TRUE);
}

void TForm::SetClientSize(int width, int height) {
  FClientWidth = width;
  FClientHeight = height;
  if (FWindow) {
    SDL_SetWindowSize(FWindow, width, height);
    SDL_SetWindowPosition(FWindow, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  }
}

void TForm::SetResizable(int minWidth, int minHeight) {
  FResizable = true;
  FMinClientSize = {minWidth, minHeight};
  if (FWindow == nullptr) return;
  SDL_SetWindowMinimumSize(FWindow, minWidth, minHeight);
  if (!FBorderless) SDL_SetWindowResizable(FWindow, SDL_TRUE);
}

TSize TForm::ClientSize() const {
  if (FWindow == nullptr) return {FClientWidth, FClientHeight};
  TSize size;
  SDL_GetWindowSize(FWindow, &size.Width, &size.Height);
  return size;
}

void TForm::SetCursor(TCursorKind cursor) {
  FCursor = cursor;
  if (FWindow == nullptr) return;
  if (cursor == crNone) {
    SDL_ShowCursor(SDL_DISABLE);
    return;
  }
  SDL_ShowCursor(SDL_ENABLE);
  if (cursor == crAppStart) {
    if (!FBusyCursor) FBusyCursor = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_WAITARROW);
    if (FBusyCursor) SDL_SetCursor(FBusyCursor);
  } else {
    SDL_SetCursor(SDL_GetDefaultCursor());
  }
}

TSize TForm::DesktopSize() {
  SDL_DisplayMode mode;
  if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return {};
  return {mode.w, mode.h};
}

int TForm::RefreshRate() const {
  const int display = FWindow ? std::max(0, SDL_GetWindowDisplayIndex(FWindow)) : 0;
  SDL_DisplayMode mode;
  if (SDL_GetCurrentDisplayMode(display, &mode) != 0) return 0;
  return std::max(0, mode.refresh_rate);
}

void TForm::BringToFront() {
  if (FWindow == nullptr) return;
  if (SDL_GetWindowFlags(FWindow) & SDL_WINDOW_MINIMIZED) SDL_RestoreWindow(FWindow);
  SDL_RaiseWindow(FWindow);
  if (!(SDL_GetWindowFlags(FWindow) & SDL_WINDOW_INPUT_FOCUS))
    SDL_FlashWindow(FWindow, SDL_FLASH_UNTIL_FOCUSED);
}

TShiftState TForm::MouseShift(uint32_t buttons) const {
  TShiftState shift = ShiftOf(static_cast<uint16_t>(SDL_GetModState()));
  if (buttons & SDL_BUTTON_LMASK) shift |= ssLeft;
  if (buttons & SDL_BUTTON_RMASK) shift |= ssRight;
  if (buttons & SDL_BUTTON_MMASK) shift |= ssMiddle;
  return shift;
}

void TForm::CloseRequest() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  if (canClose) FApplication.Terminate();
}

bool TForm::DispatchMouseButton(const SDL_MouseButtonEvent& event) {
  const uint8_t b = event.button;
  if (b != SDL_BUTTON_LEFT && b != SDL_BUTTON_RIGHT && b != SDL_BUTTON_MIDDLE) return false;
  const TMouseButton button = b == SDL_BUTTON_LEFT    ? mbLeft
                              : b == SDL_BUTTON_RIGHT ? mbRight
                                                      : mbMiddle;
  const TMouseEvent& handler = event.type == SDL_MOUSEBUTTONDOWN ? OnMouseDown : OnMouseUp;
  if (handler)
    handler(this, button, MouseShift(SDL_GetMouseState(nullptr, nullptr)), event.x, event.y);
  return true;
}

bool TForm::DispatchKeyDown(const SDL_KeyboardEvent& event) {
  uint16_t key = VirtualKeyOf(event.keysym.sym);
  if (key == 0) return false;
  if (OnKeyDown) OnKeyDown(this, key, ShiftOf(event.keysym.mod));
  // Keys that type a control character, as the system delivers them.
  if ((key == 8 || key == 13 || key == 27) && OnKeyPress) {
    uint32_t character = key;
    OnKeyPress(this, character);
  }
  return true;
}

bool TForm::DispatchWindowEvent(const SDL_WindowEvent& event) {
  switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
      CloseRequest();
      return true;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      if (FApplication.OnActivate) FApplication.OnActivate(&FApplication);
      return true;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      if (FApplication.OnDeactivate) FApplication.OnDeactivate(&FApplication);
      return true;
    default:
      return false;
  }
}

bool TForm::Dispatch(const SDL_Event& event) {
  switch (event.type) {
    case SDL_MOUSEMOTION:
      if (OnMouseMove)
        OnMouseMove(this, MouseShift(event.motion.state), event.motion.x, event.motion.y);
      return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      return DispatchMouseButton(event.button);
    case SDL_KEYDOWN:
      return DispatchKeyDown(event.key);
    case SDL_TEXTINPUT:
      ForEachCodePoint(event.text.text, [this](char32_t codePoint) {
        uint32_t character = codePoint;
        if (OnKeyPress) OnKeyPress(this, character);
      });
      return true;
    case SDL_WINDOWEVENT:
      return DispatchWindowEvent(event.window);
    case SDL_QUIT:
      CloseRequest();
      return true;
    default:
      return false;
  }
}

TShiftState ShiftOf(uint16_t modifiers) {
  TShiftState shift = 0;
  if (modifiers & KMOD_SHIFT) shift |= ssShift;
  if (modifiers & KMOD_ALT) shift |= ssAlt;
  if (modifiers & KMOD_CTRL) shift |= ssCtrl;
  return shift;
}

uint16_t VirtualKeyOf(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return static_cast<uint16_t>('A' + (key - SDLK_a));
  if (key >= SDLK_0 && key <= SDLK_9) return static_cast<uint16_t>(key);
  if (key >= SDLK_F1 && key <= SDLK_F12) return static_cast<uint16_t>(112 + (key - SDLK_F1));
  switch (key) {
    case SDLK_BACKSPACE:
      return 8;
    case SDLK_TAB:
      return 9;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return 13;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
      return 16;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
      return 17;
    case SDLK_LALT:
    case SDLK_RALT:
      return 18;
    case SDLK_PAUSE:
      return 19;
    case SDLK_ESCAPE:
      return 27;
    case SDLK_SPACE:
      return 32;
    case SDLK_PAGEUP:
      return 33;
    case SDLK_PAGEDOWN:
      return 34;
    case SDLK_END:
      return 35;
    case SDLK_HOME:
      return 36;
    case SDLK_LEFT:
      return 37;
    case SDLK_UP:
      return 38;
    case SDLK_RIGHT:
      return 39;
    case SDLK_DOWN:
      return 40;
    case SDLK_INSERT:
      return 45;
    case SDLK_DELETE:
      return 46;
    default:
      return 0;
  }
}

namespace {

// How long the loop waits for an event before it looks again whether the session is ending.
constexpr int SessionCheckMilliseconds = 250;

void EndSessionIfAsked(TApplication& application) {
  if (application.SessionEndPending()) EndSessionNow(application);
}

void ComeToFrontIfAsked(TApplication& application, TForm& form) {
  if (application.FrontRequested && application.FrontRequested()) form.BringToFront();
}

}  // namespace

void EndSessionNow(TApplication& application) {
  if (application.Terminated()) return;
  if (application.OnEndSession) application.OnEndSession(&application);
  application.Terminate();
}

void RunApplication(TApplication& application, TForm& form) {
  SDL_StartTextInput();
  SDL_Event event;
  while (!application.Terminated()) {
    while (!application.Terminated() && SDL_PollEvent(&event)) form.Dispatch(event);
    EndSessionIfAsked(application);
    ComeToFrontIfAsked(application, form);
    if (application.Terminated()) break;
    bool done = true;
    if (application.OnIdle) application.OnIdle(&application, done);
    EndSessionIfAsked(application);
    if (done && !application.Terminated() && SDL_WaitEventTimeout(&event, SessionCheckMilliseconds))
      form.Dispatch(event);
  }
}

}  // namespace marblix
