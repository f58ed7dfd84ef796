// A library scripts/measure_run preloads into the game: it counts the frames the game shows (every
// SDL_GL_SwapWindow) and, while the script asks for it, reads each one back before it is shown and
// counts those that differ from the frame shown before. The counters live in a small file that the
// script names in MARBLIX_SWAP_COUNTS and reads while the game runs.
#include <SDL.h>
#include <SDL_opengl.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// The file's layout: written here, read (and Compare written) by the script.
struct TSwapCounts {
  uint64_t Swaps;      // frames shown
  uint64_t Compared;   // frames read back
  uint64_t Differing;  // of those, frames unlike the frame shown before them
  uint32_t Compare;    // non-zero: read back and compare every frame
};

TSwapCounts* MapCounts() {
  const char* path = std::getenv("MARBLIX_SWAP_COUNTS");
  if (path == nullptr) return nullptr;
  const int file = open(path, O_RDWR);
  if (file < 0) return nullptr;
  void* mapped = mmap(nullptr, sizeof(TSwapCounts), PROT_READ | PROT_WRITE, MAP_SHARED, file, 0);
  close(file);
  return mapped == MAP_FAILED ? nullptr : static_cast<TSwapCounts*>(mapped);
}

using TReadPixels = void (*)(GLint, GLint, GLsizei, GLsizei, GLenum, GLenum, void*);
using TGetIntegerv = void (*)(GLenum, GLint*);
using TBindFramebuffer = void (*)(GLenum, GLuint);
using TReadBuffer = void (*)(GLenum);
using TPixelStorei = void (*)(GLenum, GLint);

// The window's back buffer as it is about to be shown; the game's read state is left as it was.
void ReadShownFrame(SDL_Window* window, std::vector<uint8_t>& pixels) {
  static const auto readPixels =
      reinterpret_cast<TReadPixels>(SDL_GL_GetProcAddress("glReadPixels"));
  static const auto getIntegerv =
      reinterpret_cast<TGetIntegerv>(SDL_GL_GetProcAddress("glGetIntegerv"));
  static const auto bindFramebuffer =
      reinterpret_cast<TBindFramebuffer>(SDL_GL_GetProcAddress("glBindFramebuffer"));
  static const auto readBuffer =
      reinterpret_cast<TReadBuffer>(SDL_GL_GetProcAddress("glReadBuffer"));
  static const auto pixelStorei =
      reinterpret_cast<TPixelStorei>(SDL_GL_GetProcAddress("glPixelStorei"));
  if (!readPixels || !getIntegerv || !bindFramebuffer || !readBuffer || !pixelStorei) return;
  int width = 0, height = 0;
  SDL_GL_GetDrawableSize(window, &width, &height);
  pixels.resize(size_t(width) * size_t(height) * 4);
  GLint framebuffer = 0, buffer = 0, alignment = 4;
  getIntegerv(GL_READ_FRAMEBUFFER_BINDING, &framebuffer);
  getIntegerv(GL_READ_BUFFER, &buffer);
  getIntegerv(GL_PACK_ALIGNMENT, &alignment);
  bindFramebuffer(GL_READ_FRAMEBUFFER, 0);
  readBuffer(GL_BACK);
  pixelStorei(GL_PACK_ALIGNMENT, 1);
  readPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
  pixelStorei(GL_PACK_ALIGNMENT, alignment);
  bindFramebuffer(GL_READ_FRAMEBUFFER, GLuint(framebuffer));
  readBuffer(GLenum(buffer));
}

void CountFrame(SDL_Window* window) {
  static TSwapCounts* const counts = MapCounts();
  static std::vector<uint8_t> shown, before;
  if (counts == nullptr) return;
  ++counts->Swaps;
  if (counts->Compare == 0) {
    before.clear();
    return;
  }
  ReadShownFrame(window, shown);
  if (!before.empty()) {  // the first frame read back only starts the comparison
    ++counts->Compared;
    if (shown.size() != before.size() ||
        std::memcmp(shown.data(), before.data(), shown.size()) != 0)
      ++counts->Differing;
  }
  shown.swap(before);
}

}  // namespace

extern "C" void SDL_GL_SwapWindow(SDL_Window* window) {
  using TSwap = void (*)(SDL_Window*);
  static const auto next = reinterpret_cast<TSwap>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
  CountFrame(window);
  if (next != nullptr) next(window);
}
