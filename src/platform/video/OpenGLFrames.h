// The frame recorder of a device that tracks damage: it keeps a frame's draws, compares the frame's
// quads with those of the frame shown before, and draws only the rectangles that differ.
#pragma once

#include <memory>
#include <vector>

#include "graphics/DirectXGraphics.h"
#include "graphics/FrameDamage.h"
#include "platform/video/OpenGLState.h"

namespace marblix {

class TGLFrameRecorder {
 public:
  explicit TGLFrameRecorder(TGLContext& context) : FContext(context) {}

  // Keeps a draw of `count` vertices with the context's current states and texture.
  void Record(GLenum mode, const uint8_t* vertices, uint32_t count);
  // Draws into the back buffer what the frame recorded since the last call changes in the frame
  // shown before, or all of it when the context asks for that. False when nothing changed: the
  // back buffer then still holds the frame shown.
  bool Finish();

  // At most this many rectangles a frame; a frame that changes more than half of its pixels is
  // drawn whole.
  static constexpr size_t MostRectangles = 8;

 private:
  struct TDraw {
    TGLDrawState State;
    std::shared_ptr<TGLTextureStorage> Texture;  // kept until the draw is drawn
    uint32_t First = 0;                          // in FVertices
    uint32_t Count = 0;
    TPixelRect Bounds;
  };

  void AddQuads(const TGLDrawState& state, const TVertex* vertices, uint32_t count);
  TPixelRect BoundsOf(const TGLDrawState& state, const TVertex* vertices, uint32_t count) const;
  std::vector<TPixelRect> RectanglesToDraw();
  void Draw(const std::vector<TPixelRect>& rectangles);

  TGLContext& FContext;
  std::vector<TDraw> FDraws;
  std::vector<TVertex> FVertices;
  TQuadList FQuads;  // of the frame being recorded
  TQuadList FShown;  // of the frame in the back buffer
};

}  // namespace marblix
