// Reads the quads a recording device drew back out of its log: place, size, colour, pattern and
// blend.
#pragma once

#include <cmath>
#include <map>
#include <vector>

#include "graphics/AGFUnit.h"
#include "support/RecordingDevice.h"

namespace marblix::testing {

struct TDrawnQuad {
  TVertex TopLeft, TopRight, BottomLeft, BottomRight;
  uint32_t SourceBlend = 0;
  uint32_t DestBlend = 0;
  uint32_t AlphaOp = 0;

  // Screen pixel of the pattern's top-left corner (vertices sit half a pixel up and left).
  int Left() const { return static_cast<int>(std::lround(TopLeft.x + 0.5f)); }
  int Top() const { return static_cast<int>(std::lround(TopLeft.y + 0.5f)); }
  int Width() const { return static_cast<int>(std::lround(TopRight.x - TopLeft.x)); }
  int Height() const { return static_cast<int>(std::lround(BottomLeft.y - TopLeft.y)); }
  // Centre of the four corners, in screen pixels.
  double CentreX() const {
    return (TopLeft.x + TopRight.x + BottomLeft.x + BottomRight.x) / 4.0 + 0.5;
  }
  double CentreY() const {
    return (TopLeft.y + TopRight.y + BottomLeft.y + BottomRight.y) / 4.0 + 0.5;
  }
  // The game's 0xAABBGGRR colour of the quad.
  uint32_t Colour() const {
    const uint32_t c = TopLeft.Diffuse;
    return (c & 0xFF00FF00u) | (c & 0xFFu) << 16 | ((c >> 16) & 0xFFu);
  }
  // Pattern index within the first texture of the image, from the top-left texture coordinate
  // (the smaller u and v, so mirrored or rotated quads read the same).
  int Pattern(const TAGFImage& image) const {
    const float u = std::min({TopLeft.u, TopRight.u, BottomLeft.u, BottomRight.u});
    const float v = std::min({TopLeft.v, TopRight.v, BottomLeft.v, BottomRight.v});
    const int column = static_cast<int>(std::lround(u * image.TextureWidth / image.PatternWidth));
    const int row = static_cast<int>(std::lround(v * image.TextureHeight / image.PatternHeight));
    return row * image.PatternsPerRow + column;
  }
  bool Additive() const { return SourceBlend == D3DBLEND_ONE && DestBlend == D3DBLEND_ONE; }
  bool AlphaBlended() const {
    return SourceBlend == D3DBLEND_SRCALPHA && DestBlend == D3DBLEND_INVSRCALPHA;
  }
  bool DiffuseAlpha() const { return AlphaOp == D3DTOP_MODULATE; }
};

// Every quad drawn so far, in drawing order (flush the batch first, e.g. with EndFrame).
inline std::vector<TDrawnQuad> DrawnQuads(const TRecording& recording) {
  std::vector<TDrawnQuad> quads;
  std::map<int64_t, uint32_t> states;
  uint32_t alphaOp = 0;
  for (const TRecordedCall& call : recording.Calls) {
    if (call.Name == "SetRenderState" && call.Args.size() >= 2) {
      states[call.Args[0]] = static_cast<uint32_t>(call.Args[1]);
    } else if (call.Name == "SetTextureStageState" && call.Args.size() >= 3 &&
               call.Args[1] == D3DTSS_ALPHAOP) {
      alphaOp = static_cast<uint32_t>(call.Args[2]);
    } else if (call.Name == "DrawPrimitive" && !call.Args.empty()) {
      const bool strip = call.Args[0] == D3DPT_TRIANGLESTRIP;
      const size_t stride = strip ? 4 : 6;
      const std::vector<TVertex>& v = call.Vertices;
      for (size_t first = 0; first + stride <= v.size(); first += stride) {
        TDrawnQuad quad{v[first], v[first + 1], v[first + 2], v[first + (strip ? 3 : 5)]};
        quad.SourceBlend = states[D3DRS_SRCBLEND];
        quad.DestBlend = states[D3DRS_DESTBLEND];
        quad.AlphaOp = alphaOp;
        quads.push_back(quad);
      }
    }
  }
  return quads;
}

}  // namespace marblix::testing
