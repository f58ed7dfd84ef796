// A render device that passes every call on to another one and keeps what a frame drew: each draw
// with its texture, blend and stage states, clip and vertices, and the texels of every texture.
// It also stamps the time of every presented frame.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "graphics/DirectXGraphics.h"

namespace marblix::bench {

// The states a draw depends on.
struct TDrawState {
  int Texture = -1;  // the captured texture's number, -1 for none
  bool Blend = false;
  uint32_t SourceBlend = D3DBLEND_ONE;
  uint32_t DestinationBlend = D3DBLEND_ZERO;
  uint32_t AlphaOp = D3DTOP_SELECTARG1;
  uint32_t AlphaArg1 = D3DTA_TEXTURE;
  uint32_t AlphaArg2 = D3DTA_DIFFUSE;
  uint32_t MagFilter = D3DTEXF_POINT;
  uint32_t MinFilter = D3DTEXF_POINT;
  D3DVIEWPORT8 Clip{0, 0, 800, 600, 0, 1};
};

struct TCapturedDraw {
  TDrawState State;
  int Type = D3DPT_TRIANGLELIST;
  std::vector<TVertex> Vertices;
};

struct TCapturedTexture {
  int Width = 0, Height = 0, Format = 0;
  std::vector<uint8_t> Bits;  // rows of Width texels, once read by ReadTexels
  std::weak_ptr<IDirect3DTexture8> Texture;
};

class TFrameCapture {
 public:
  using Clock = std::chrono::steady_clock;

  // The draws up to the next Present are kept (replacing the last frame kept).
  void CaptureNextFrame() {
    Draws.clear();
    Capturing = true;
  }
  bool FrameReady() const { return !Capturing && !Draws.empty(); }
  // Reads the texels of every texture the kept frame draws with (by locking it on the device).
  void ReadTexels();

  bool Capturing = false;
  std::vector<TCapturedDraw> Draws;
  std::map<int, TCapturedTexture> Textures;
  std::vector<Clock::time_point> Presents;  // the time of every Present, in order
  int DrawCalls = 0;                        // every DrawPrimitive passed on, for counting
};

// Wraps the Direct3D objects `inner` makes; everything they do is recorded into `capture`.
TDirect3DCreate CapturingDirect3DCreate(TDirect3DCreate inner,
                                        std::shared_ptr<TFrameCapture> capture);

}  // namespace marblix::bench
