// The window host over SDL: sizes, pointer, and the "Initializing..." picture painted before the
// render device exists, with a throw-away OpenGL context and a tiny built-in pixel font.
#include "platform/video/sdl_form_host.h"

#include <epoxy/gl.h>

#include <array>
#include <cstdint>
#include <cstring>

namespace marblix {
namespace {

// 5 x 7 glyphs of the letters "Initializng." (one byte per row, bit 4 is the leftmost pixel).
struct Glyph {
  char Letter;
  std::array<uint8_t, 7> Rows;
};
constexpr std::array<Glyph, 9> Glyphs{{
    {'I', {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'n', {0x00, 0x00, 0x16, 0x19, 0x11, 0x11, 0x11}},
    {'i', {0x04, 0x00, 0x0C, 0x04, 0x04, 0x04, 0x0E}},
    {'t', {0x08, 0x08, 0x1C, 0x08, 0x08, 0x09, 0x06}},
    {'a', {0x00, 0x00, 0x0E, 0x01, 0x0F, 0x11, 0x0F}},
    {'l', {0x0C, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'z', {0x00, 0x00, 0x1F, 0x02, 0x04, 0x08, 0x1F}},
    {'g', {0x00, 0x0F, 0x11, 0x11, 0x0F, 0x01, 0x0E}},
    {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}},
}};

const Glyph* GlyphOf(char letter) {
  for (const Glyph& glyph : Glyphs) {
    if (glyph.Letter == letter) return &glyph;
  }
  return nullptr;
}

// Fills one pixel block of the text, in window coordinates from the top-left.
void FillBlock(int x, int y, int size, int windowHeight) {
  glScissor(x, windowHeight - y - size, size, size);
  glClear(GL_COLOR_BUFFER_BIT);
}

void WriteText(const char* text, int x, int y, int pixel, int windowHeight) {
  glClearColor(1, 1, 1, 1);
  for (int i = 0; text[i] != 0; ++i, x += 6 * pixel) {
    const Glyph* glyph = GlyphOf(text[i]);
    if (glyph == nullptr) continue;
    for (int row = 0; row < 7; ++row) {
      for (int column = 0; column < 5; ++column) {
        if (glyph->Rows[row] & (0x10 >> column)) {
          FillBlock(x + column * pixel, y + row * pixel, pixel, windowHeight);
        }
      }
    }
  }
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

}  // namespace marblix
