// TGLFrameRecorder: recording a frame's draws and quads, and drawing the damaged rectangles.
#include "platform/video/OpenGLFrames.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <span>

namespace marblix {

namespace {

std::span<const uint8_t> BytesOf(const TGLDrawState& state) {
  return {reinterpret_cast<const uint8_t*>(&state), sizeof(state)};
}

std::span<const uint8_t> BytesOf(const TVertex* vertices, uint32_t count) {
  return {reinterpret_cast<const uint8_t*>(vertices), size_t(count) * sizeof(TVertex)};
}

}  // namespace

void TGLFrameRecorder::Record(GLenum mode, const uint8_t* vertices, uint32_t count) {
  TDraw draw{FContext.StateFor(mode, vertices, count),
             FContext.BoundStorage(),
             uint32_t(FVertices.size()),
             count,
             {}};
  FVertices.resize(FVertices.size() + count);
  std::memcpy(FVertices.data() + draw.First, vertices, size_t(count) * sizeof(TVertex));
  const TVertex* recorded = FVertices.data() + draw.First;
  // A quad is a strip, or two triangles of a list (the last may be a triangle alone).
  const uint32_t step = mode == GL_TRIANGLE_STRIP ? count : 6;
  for (uint32_t i = 0; i < count; i += step) {
    const uint32_t n = std::min(step, count - i);
    const TPixelRect bounds = BoundsOf(draw.State, recorded + i, n);
    FQuads.Add(BytesOf(draw.State), BytesOf(recorded + i, n), bounds);
    draw.Bounds = Union(draw.Bounds, bounds);
  }
  FDraws.push_back(std::move(draw));
}

// A vertex at (x, y) lies on the centre of pixel (x, y), so the pixels a triangle covers lie from
// the smallest x and y up to the largest; the rectangle takes a pixel more on each far side.
TPixelRect TGLFrameRecorder::BoundsOf(const TGLDrawState& state, const TVertex* vertices,
                                      uint32_t count) const {
  constexpr float Far = 1 << 20;
  float left = Far, top = Far, right = -Far, bottom = -Far;
  for (uint32_t i = 0; i < count; ++i) {
    const float x = vertices[i].x, y = vertices[i].y;
    if (!std::isfinite(x) || !std::isfinite(y)) return state.Clip;
    left = std::min(left, x), right = std::max(right, x);
    top = std::min(top, y), bottom = std::max(bottom, y);
  }
  const auto whole = [&](float value) { return int(std::clamp(value, -Far, Far)); };
  const TPixelRect covered{whole(std::floor(left)), whole(std::floor(top)),
                           whole(std::ceil(right)) + 1, whole(std::ceil(bottom)) + 1};
  return Intersection(covered, state.Clip);
}

bool TGLFrameRecorder::Finish() {
  const std::vector<TPixelRect> rectangles = RectanglesToDraw();

  if (!rectangles.empty()) Draw(rectangles);
  std::swap(FShown, FQuads);
  FQuads.Clear();
  FDraws.clear();
  FVertices.clear();
  return !rectangles.empty();
}

std::vector<TPixelRect> TGLFrameRecorder::RectanglesToDraw() {
  const TPixelRect whole{0, 0, FContext.Width(), FContext.Height()};
  if (FContext.TakeRedrawAll()) return {whole};
  std::vector<TPixelRect> rectangles = FindDamage(FShown, FQuads, MostRectangles);
  int64_t area = 0;
  for (const TPixelRect& rectangle : rectangles) area += rectangle.Area();
  if (area * 2 > whole.Area()) return {whole};
  return rectangles;
}

// Each rectangle is cleared to black and drawn by the draws that reach into it, in order, their
// clips narrowed to it. So every pixel of the back buffer is what its frame's draws make of black,
// whichever rectangles it was drawn in: no pixel depends on the frame shown before, even where a
// frame's first draw over it blends (the game's frames begin with an opaque background anyway).
void TGLFrameRecorder::Draw(const std::vector<TPixelRect>& rectangles) {
  for (const TPixelRect& rectangle : rectangles) FContext.Clear(rectangle);
  if (FVertices.empty()) return;
  const GLint base = FContext.Stream(reinterpret_cast<const uint8_t*>(FVertices.data()),
                                     uint32_t(FVertices.size()));
  for (const TPixelRect& rectangle : rectangles) {
    for (const TDraw& draw : FDraws) {
      if (!Overlap(draw.Bounds, rectangle)) continue;
      FContext.Apply(draw.State, rectangle);
      glDrawArrays(draw.State.Mode, base + GLint(draw.First), GLsizei(draw.Count));
    }
  }
}

}  // namespace marblix
