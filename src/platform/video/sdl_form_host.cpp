// The window host over SDL: sizes, pointer, and the "Initializing..." picture painted before the
// render device exists, with a throw-away OpenGL context and the 5 x 7 pixel font.
#include "platform/video/sdl_form_host.h"

#include <epoxy/gl.h>

#include "graphics/PixelFont.h"
#include "platform/video/desktop.h"

namespace marblix {
namespace {

// Fills one pixel block of the text, in window coordinates from the top-left.
void FillBlock(int x, int y, int size, int windowHeight) {
  glScissor(x, windowHeight - y - size, size, size);
  glClear(GL_COLOR_BUFFER_BIT);
}

void WriteText(const char* text, int x, int y, int pixel, int windowHeight) {
  glClearColor(1, 1, 1, 1);
  DrawPixelText(text, x, y, pixel, [windowHeight](int bx, int by, int size) {
    FillBlock(bx, by, size, windowHeight);
  });
}

}  // namespace

void TSdlFormHost::GetClientSize(int& width, int& height) const {
  const TSize size = form_.ClientSize();
  width = size.Width;
  height = size.Height;
}

void TSdlFormHost::GetDesktopSize(int& width, int& height) const {
  const TSize size = TForm::DesktopSize();
  width = size.Width;
  height = size.Height;
}

void TSdlFormHost::SetPointer(Pointer pointer) {
  form_.SetCursor(pointer == Pointer::Busy     ? crAppStart
                  : pointer == Pointer::Hidden ? crNone
                                               : crDefault);
}

void TSdlFormHost::PaintInitializing() {
  auto* window = static_cast<SDL_Window*>(form_.WindowHandle());
  if (window == nullptr) return;
  SDL_GLContext context = SDL_GL_CreateContext(window);
  if (context == nullptr) return;
  int width = 0, height = 0;
  SDL_GL_GetDrawableSize(window, &width, &height);
  glDisable(GL_SCISSOR_TEST);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glEnable(GL_SCISSOR_TEST);
  // "Initializing..." at (370, 280) of the 800 x 600 client area.
  const int pixel = 2;
  WriteText("Initializing...", 370 * width / 800, 280 * height / 600, pixel, height);
  glDisable(GL_SCISSOR_TEST);
  SDL_GL_SwapWindow(window);
  SDL_GL_DeleteContext(context);
}

void TSdlFormHost::SetClipboardText(const std::string& text) {
  SDL_SetClipboardText(text.c_str());
}

void TSdlFormHost::TellPlayer(const std::string& message) {
  ShowProblem("Marblix: " + message, &form_);
}

}  // namespace marblix
