// The minimal OpenGL program the game's frame is compared with: it draws a captured frame's quads
// straight to the window with plain OpenGL calls (one vertex upload per frame, one draw per batch,
// a state change only where the state changes), with its own copies of the same textures.
#pragma once

#include <SDL.h>
#include <epoxy/gl.h>

#include <cstdint>
#include <map>
#include <vector>

#include "capture_device.h"

namespace marblix::bench {

class TQuadReplay {
 public:
  // Makes its own context on the window (it stays current) and uploads the frame's textures.
  TQuadReplay(SDL_Window* window, const TFrameCapture& capture);
  ~TQuadReplay();
  TQuadReplay(const TQuadReplay&) = delete;
  TQuadReplay& operator=(const TQuadReplay&) = delete;

  bool Ready() const { return FContext != nullptr && FProgram != 0; }
  void MakeCurrent();
  // Draws the frame and shows it.
  void Frame();
  // Draws the frame and reads it back (800 x 600 BGRA rows, bottom row first) without showing it.
  std::vector<uint8_t> Picture();

 private:
  void Draw();
  void Upload(int id, const TCapturedTexture& texture);
  void Apply(const TDrawState& state, bool first);

  SDL_Window* FWindow;
  std::vector<TCapturedDraw> FDraws;
  SDL_GLContext FContext = nullptr;
  GLuint FProgram = 0, FVertexArray = 0, FBuffer = 0;
  GLint FTextured = -1, FAlphaOp = -1, FAlphaArg1 = -1, FAlphaArg2 = -1;
  std::map<int, GLuint> FTextures;
  std::vector<TVertex> FVertices;  // the whole frame, uploaded at once
  TDrawState FLast;
};

// The current read buffer of the current context: 800 x 600 BGRA rows, bottom row first.
std::vector<uint8_t> ReadFramePixels();

}  // namespace marblix::bench
