// The desktop on Windows: the window's procedure is wrapped to see WM_ENDSESSION, which the system
// sends straight to it (a sent message never passes the message queue, so SDL's message hook does
// not see it); a start failure also shows a message box.
#include <SDL_syswm.h>
#include <windows.h>

#include <cstdio>
#include <utility>

#include "platform/video/desktop.h"

namespace marblix {
namespace {

constexpr const wchar_t* SessionProperty = L"Marblix.SessionWatch";

// SDL's window procedure wrapped: the watch is found through a property of the window.
class TWindowSessionWatch : public TSessionWatch {
 public:
  TWindowSessionWatch(HWND window, std::function<void()> endNow)
      : window_(window), endNow_(std::move(endNow)) {
    previous_ = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window_, GWLP_WNDPROC));
    if (!SetPropW(window_, SessionProperty, this)) return;
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc));
    wrapped_ = true;
  }
  ~TWindowSessionWatch() override {
    if (!wrapped_ || !IsWindow(window_)) return;
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    RemovePropW(window_, SessionProperty);
  }
  TWindowSessionWatch(const TWindowSessionWatch&) = delete;
  TWindowSessionWatch& operator=(const TWindowSessionWatch&) = delete;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* watch = static_cast<TWindowSessionWatch*>(GetPropW(window, SessionProperty));
    if (watch == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_QUERYENDSESSION) return TRUE;
    if (message == WM_ENDSESSION && wParam != FALSE && watch->endNow_) {
      const std::function<void()> endNow = std::exchange(watch->endNow_, nullptr);
      endNow();
      // Everything is written, and the system may end the process any moment after this answer:
      // the game ends itself, as after the exit question's yes.
      ExitProcess(0);
    }
    return CallWindowProcW(watch->previous_, window, message, wParam, lParam);
  }

  HWND window_;
  std::function<void()> endNow_;
  WNDPROC previous_ = nullptr;
  bool wrapped_ = false;
};

HWND NativeWindow(TForm& window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  auto* sdlWindow = static_cast<SDL_Window*>(window.WindowHandle());
  if (sdlWindow == nullptr || !SDL_GetWindowWMInfo(sdlWindow, &info)) return nullptr;
  return info.subsystem == SDL_SYSWM_WINDOWS ? info.info.win.window : nullptr;
}

}  // namespace

std::unique_ptr<TSessionWatch> EndWithSession(TForm& window, const std::function<void()>& endNow) {
  const HWND native = NativeWindow(window);
  if (native == nullptr) return nullptr;
  return std::make_unique<TWindowSessionWatch>(native, endNow);
}

void ShowProblem(const std::string& message, const TForm* window) {
  std::fprintf(stderr, "%s\n", message.c_str());
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, "Marblix", message.c_str(),
                           window ? static_cast<SDL_Window*>(window->WindowHandle()) : nullptr);
}

void ShowStartFailure(const std::string& message) {
  std::fprintf(stderr, "%s\n", message.c_str());
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Marblix", message.c_str(), nullptr);
}

}  // namespace marblix
