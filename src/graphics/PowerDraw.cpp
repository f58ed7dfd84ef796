// TPowerGraph's drawing: quad placement, rotation with its corner cache, binding, effects, batch.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>

#include "graphics/PowerD3D.h"

namespace marblix {

namespace {

constexpr double TwoPi = 2.0 * std::numbers::pi;

struct TBlend {
  uint32_t Source;
  uint32_t Destination;
};

// Source and destination factors of effects 1 to 9.
constexpr std::array<TBlend, 10> BlendTable{{
    {0, 0},
    {D3DBLEND_ONE, D3DBLEND_ONE},
    {D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA},
    {D3DBLEND_SRCALPHA, D3DBLEND_ONE},
    {D3DBLEND_ZERO, D3DBLEND_SRCCOLOR},
    {D3DBLEND_SRCCOLOR, D3DBLEND_INVSRCCOLOR},
    {D3DBLEND_SRCCOLOR, D3DBLEND_ONE},
    {D3DBLEND_ZERO, D3DBLEND_INVSRCCOLOR},
    {D3DBLEND_ZERO, D3DBLEND_INVSRCALPHA},
    {D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA},
}};

}  // namespace

bool TPowerGraph::DrawQuad(const TAGFImage* image, int x1, int y1, int x2, int y2, int x3, int y3,
                           int x4, int y4, int pattern, int effect) {
  return DrawQuadColor(image, x1, y1, x2, y2, x3, y3, x4, y4, 0xFFFFFFFFu, pattern, effect);
}

bool TPowerGraph::DrawQuadColor(const TAGFImage* image, int x1, int y1, int x2, int y2, int x3,
                                int y3, int x4, int y4, uint32_t color, int pattern, int effect) {
  if (!FOpen) return false;
  if (!BindPattern(image, pattern, effect)) return false;
  const uint32_t diffuse = SwapRedBlue(color);
  for (TVertex& corner : FTemplate) corner.Diffuse = diffuse;
  const auto place = [this](int slot, int x, int y) {
    FTemplate[slot].x = static_cast<float>(x) - 0.5f;
    FTemplate[slot].y = static_cast<float>(y) - 0.5f;
  };
  place(0, x1, y1);
  place(1, x2, y2);
  place(3, x3, y3);
  place(2, x4, y4);
  ApplyEffect(effect);
  AppendQuad();
  return true;
}

bool TPowerGraph::DrawImage(const TAGFImage* image, int x, int y, int pattern, int effect) {
  return DrawImageColor(image, x, y, 0xFFFFFFFFu, pattern, effect);
}

bool TPowerGraph::DrawImageColor(const TAGFImage* image, int x, int y, uint32_t color, int pattern,
                                 int effect) {
  if (image == nullptr) return false;
  const int w = image->PatternWidth, h = image->PatternHeight;
  return DrawQuadColor(image, x, y, x + w, y, x + w, y + h, x, y + h, color, pattern, effect);
}

bool TPowerGraph::DrawImageScaled(const TAGFImage* image, int x, int y, int scale, uint32_t color,
                                  int pattern, int effect) {
  if (image == nullptr) return false;
  const int w = image->PatternWidth * scale / 256, h = image->PatternHeight * scale / 256;
  return DrawQuadColor(image, x, y, x + w, y, x + w, y + h, x, y + h, color, pattern, effect);
}

bool TPowerGraph::DrawRotated(const TAGFImage* image, int x, int y, int angle, int scale,
                              int pattern, int effect) {
  return DrawRotatedWith(image, x, y, angle, scale, 0xFFFFFFFFu, pattern, effect,
                         TRounding::Nearest);
}

bool TPowerGraph::DrawRotatedColor(const TAGFImage* image, int x, int y, int angle, int scale,
                                   uint32_t color, int pattern, int effect) {
  return DrawRotatedWith(image, x, y, angle, scale, color, pattern, effect, TRounding::Nearest);
}

bool TPowerGraph::DrawRotatedColorTrunc(const TAGFImage* image, int x, int y, int angle, int scale,
                                        uint32_t color, int pattern, int effect) {
  return DrawRotatedWith(image, x, y, angle, scale, color, pattern, effect, TRounding::Truncate);
}

namespace {

// A side of a scaled picture, side * scale / 256. A runaway scale (an animation grown over frames
// that took almost no time) is held to a size no screen needs, so the corners cannot overflow.
int ScaledSide(int side, int scale) {
  constexpr int64_t Largest = 1 << 16;
  return static_cast<int>(std::clamp<int64_t>(int64_t{side} * scale / 256, -Largest, Largest));
}

}  // namespace

bool TPowerGraph::DrawRotatedWith(const TAGFImage* image, int x, int y, int angle, int scale,
                                  uint32_t color, int pattern, int effect, TRounding rounding) {
  if (image == nullptr) return false;
  const int w = ScaledSide(image->PatternWidth, scale), h = ScaledSide(image->PatternHeight, scale);
  const TCornerEntry& table = CornerTableFor(w, h);
  const double theta = angle * TwoPi / 256.0;
  std::array<int, 8> p;
  for (size_t i = 0; i < 4; ++i) {
    const double dx = std::cos(theta + table.Corners[i].Angle) * table.Corners[i].Radius;
    const double dy = std::sin(theta + table.Corners[i].Angle) * table.Corners[i].Radius;
    const bool nearest = rounding == TRounding::Nearest;
    p[2 * i] = x + static_cast<int>(nearest ? std::nearbyint(dx) : std::trunc(dx));
    p[2 * i + 1] = y + static_cast<int>(nearest ? std::nearbyint(dy) : std::trunc(dy));
  }
  return DrawQuadColor(image, p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7], color, pattern,
                       effect);
}

const TPowerGraph::TCornerEntry& TPowerGraph::CornerTableFor(int w, int h) {
  for (int i = 0; i < FCornerCount; ++i)
    if (FCornerCache[i].W == w && FCornerCache[i].H == h) return FCornerCache[i];
  if (FCornerCount < CornerCacheSize) {
    FCornerCache[FCornerCount] = BuildCornerTable(w, h);
    return FCornerCache[FCornerCount++];
  }
  std::move_backward(FCornerCache.begin(), FCornerCache.end() - 1, FCornerCache.end());
  FCornerCache[0] = BuildCornerTable(w, h);
  return FCornerCache[0];
}

int TPowerGraph::CornerCacheSlotOf(int w, int h) const {
  for (int i = 0; i < FCornerCount; ++i)
    if (FCornerCache[i].W == w && FCornerCache[i].H == h) return i;
  return -1;
}

TPowerGraph::TCornerEntry TPowerGraph::BuildCornerTable(int w, int h) {
  const int hx = w / 2, hy = h / 2;
  const std::array<std::array<int, 2>, 4> offsets{
      {{-hx, -hy}, {w - hx, -hy}, {w - hx, h - hy}, {-hx, h - hy}}};
  TCornerEntry entry;
  entry.W = w;
  entry.H = h;
  for (int i = 0; i < 4; ++i) {
    const double ox = offsets[i][0], oy = offsets[i][1];
    const double r = std::sqrt(ox * ox + oy * oy);
    double a = 0;
    if (r > 0) {
      a = std::atan2(-ox / r, oy / r);
      if (a < 0) a += TwoPi;
    }
    entry.Corners[i] = {a, r};
  }
  return entry;
}

bool TPowerGraph::BindPattern(const TAGFImage* image, int pattern, int effect) {
  if (image == nullptr) {
    if (FlushBatch() != 0) return false;
    if (FBoundTexture) {
      if (FAILED(FDevice->SetTexture(0, nullptr))) return false;
      FBoundTexture.reset();
    }
    return true;
  }
  PDirect3DTexture8 texture;
  if (!image->SelectPattern(pattern, (effect & blendMirror) != 0, (effect & blendFlip) != 0,
                            FTemplate.data(), &texture))
    return false;
  if (texture != FBoundTexture) {
    if (FlushBatch() != 0) return false;
    if (FAILED(FDevice->SetTexture(0, texture.get()))) return false;
    FBoundTexture = std::move(texture);
  }
  return true;
}

void TPowerGraph::ApplyEffect(int effect) {
  const int blend = effect & 0xFF, currentBlend = FCurrentEffect & 0xFF;
  const bool diffuseAlpha = (effect & blendDiffuseAlpha) != 0;
  const bool currentDiffuseAlpha = (FCurrentEffect & blendDiffuseAlpha) != 0;
  if (blend != currentBlend || diffuseAlpha != currentDiffuseAlpha) FlushBatch();
  if (blend != currentBlend) {
    if (blend == blendOpaque) {
      FDevice->SetRenderState(D3DRS_ALPHABLENDENABLE, 0);
    } else if (blend <= 9) {
      FDevice->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
      FDevice->SetRenderState(D3DRS_SRCBLEND, BlendTable[blend].Source);
      FDevice->SetRenderState(D3DRS_DESTBLEND, BlendTable[blend].Destination);
    }
  }
  if (diffuseAlpha != currentDiffuseAlpha) {
    if (diffuseAlpha) {
      FDevice->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
      FDevice->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
      FDevice->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    } else {
      FDevice->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    }
  }
  FCurrentEffect = effect;
}

void TPowerGraph::AppendQuad() {
  if (FBatchCount >= BatchQuads) FlushBatch();
  TVertex* out = FBatch.data() + static_cast<ptrdiff_t>(FBatchCount) * 6;
  for (int slot : {0, 1, 2, 2, 1, 3}) *out++ = FTemplate[slot];
  ++FBatchCount;
}

int TPowerGraph::FlushBatch() {
  const int count = FBatchCount;
  FBatchCount = 0;
  if (count == 0) return 0;
  if (!FOpen) return -1;
  uint8_t* data = nullptr;
  ++FDrawCalls;
  if (count == 1) {
    const std::array<TVertex, 4> strip{FBatch[0], FBatch[1], FBatch[2], FBatch[5]};
    if (FAILED(FSmallBuffer->Lock(0, 5 * sizeof(TVertex), &data, 0)) || data == nullptr) return -9;
    std::memcpy(data, strip.data(), sizeof(strip));
    FSmallBuffer->Unlock();
    if (FAILED(FDevice->SetStreamSource(0, FSmallBuffer.get(), sizeof(TVertex))) ||
        FAILED(FDevice->SetVertexShader(VertexFormat)) ||
        FAILED(FDevice->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2)))
      return -10;
    return 0;
  }
  if (FAILED(FLargeBuffer->Lock(0, sizeof(FBatch), &data, 0)) || data == nullptr) return -9;
  std::memcpy(data, FBatch.data(), sizeof(FBatch));
  FLargeBuffer->Unlock();
  if (FAILED(FDevice->SetStreamSource(0, FLargeBuffer.get(), sizeof(TVertex))) ||
      FAILED(FDevice->SetVertexShader(VertexFormat)) ||
      FAILED(FDevice->DrawPrimitive(D3DPT_TRIANGLELIST, 0, static_cast<uint32_t>(count) * 2)))
    return -10;
  return 0;
}

void TPowerGraph::SetClipRectangle(const TRect& rect) {
  if (!FOpen) return;
  FlushBatch();
  D3DVIEWPORT8 viewport;
  viewport.X = static_cast<uint32_t>(rect.Left);
  viewport.Y = static_cast<uint32_t>(rect.Top);
  viewport.Width = static_cast<uint32_t>(rect.Right - rect.Left);
  viewport.Height = static_cast<uint32_t>(rect.Bottom - rect.Top);
  viewport.MinZ = 0;
  viewport.MaxZ = 0;
  FDevice->SetViewport(&viewport);
}

}  // namespace marblix
