// TPowerGraph: the render device component, its frame protocol and its drawing operations
// (textured, tinted quads through a 42-quad batch with ten blend effects).
#pragma once

#include <array>
#include <vector>

#include "graphics/AGFUnit.h"
#include "graphics/DirectXGraphics.h"
#include "graphics/PowerTypes.h"

namespace marblix {

class TPowerGraph : public TComponent {
 public:
  // The back end makes the Direct3D object; without one every creation fails with -2.
  explicit TPowerGraph(TComponentOwner* owner, TDirect3DCreate direct3DCreate = {});
  ~TPowerGraph() override;
  TPowerGraph(const TPowerGraph&) = delete;
  TPowerGraph& operator=(const TPowerGraph&) = delete;

  // ---- Properties. Size, depth, mode and presentation settings change only while closed.
  bool Antialias() const { return FAntialias; }
  void SetAntialias(bool value);
  bool Dithering() const { return FDithering; }
  void SetDithering(bool value);
  bool FullScreen() const { return FFullScreen; }
  void SetFullScreen(bool value);
  int Width() const { return FWidth; }
  void SetWidth(int value);
  int Height() const { return FHeight; }
  void SetHeight(int value);
  int BackBufferCount() const { return FBackBufferCount; }
  void SetBackBufferCount(int value);
  TBitDepth BitDepth() const { return FBitDepth; }
  void SetBitDepth(TBitDepth value);
  TZBuffer ZBuffer() const { return FZBuffer; }
  void SetZBuffer(TZBuffer value);
  bool VSync() const { return FVSync; }
  void SetVSync(bool value);
  TRefreshRate RefreshRate() const { return FRefreshRate; }
  void SetRefreshRate(TRefreshRate value);
  int CustomRefreshRate() const { return FCustomRefreshRate; }
  void SetCustomRefreshRate(int value);

  bool Hardware = true;
  TNotifyEvent OnDeviceLost;
  TDirect3DCreate Direct3DCreate8;

  // ---- Device. Codes: 0 open; -1 open already or no form; -2 no Direct3D; -3 no display mode;
  // -4 no desktop mode; -5 no device; -6 no vertex buffer; -7 no capabilities; -8 no identifier.
  int CreateDevice();
  int CreateDeviceWith(int width, int height, TBitDepth bitDepth, bool fullScreen,
                       int backBufferCount, bool hardware, TRefreshRate refreshRate,
                       TZBuffer zBuffer, bool vSync);
  int ReleaseDevice();
  bool ResetDevice();
  bool BeginFrame();
  bool EndFrame();
  bool PresentFrame();

  bool Initialized() const { return FOpen; }
  IDirect3DDevice8* D3DDevice8() const { return FDevice.get(); }
  const D3DADAPTER_IDENTIFIER8& AdapterIdentifier() const { return FIdentifier; }
  const D3DPRESENT_PARAMETERS& PresentParameters() const { return FParameters; }

  // ---- Drawing: true when the quad was queued. Colours 0xAABBGGRR; scale in 1/256; angle in
  // 1/256 of a turn, 64 upright.
  bool DrawImage(const TAGFImage* image, int x, int y, int pattern, int effect);
  bool DrawImageColor(const TAGFImage* image, int x, int y, uint32_t color, int pattern,
                      int effect);
  bool DrawImageScaled(const TAGFImage* image, int x, int y, int scale, uint32_t color, int pattern,
                       int effect);
  bool DrawRotated(const TAGFImage* image, int x, int y, int angle, int scale, int pattern,
                   int effect);
  bool DrawRotatedColor(const TAGFImage* image, int x, int y, int angle, int scale, uint32_t color,
                        int pattern, int effect);
  bool DrawRotatedColorTrunc(const TAGFImage* image, int x, int y, int angle, int scale,
                             uint32_t color, int pattern, int effect);
  // Corners top-left, top-right, bottom-right, bottom-left.
  bool DrawQuad(const TAGFImage* image, int x1, int y1, int x2, int y2, int x3, int y3, int x4,
                int y4, int pattern, int effect);
  bool DrawQuadColor(const TAGFImage* image, int x1, int y1, int x2, int y2, int x3, int y3, int x4,
                     int y4, uint32_t color, int pattern, int effect);
  void SetClipRectangle(const TRect& rect);

  // 0; -1 closed; -9 vertex buffer not locked; -10 stream, format or draw failed.
  int FlushBatch();
  // Draw calls sent to the device since the last BeginFrame.
  int DrawCalls() const { return FDrawCalls; }

  static constexpr int BatchQuads = 42;
  static constexpr int CornerCacheSize = 2048;
  int CornerCacheCount() const { return FCornerCount; }
  // The slot holding the corner table of a scaled size, or -1.
  int CornerCacheSlotOf(int w, int h) const;

 private:
  struct TCorner {
    double Angle = 0;
    double Radius = 0;
  };
  struct TCornerEntry {
    int W = -1;
    int H = -1;
    std::array<TCorner, 4> Corners;  // top-left, top-right, bottom-right, bottom-left
  };
  enum class TRounding { Nearest, Truncate };

  bool DrawRotatedWith(const TAGFImage* image, int x, int y, int angle, int scale, uint32_t color,
                       int pattern, int effect, TRounding rounding);
  const TCornerEntry& CornerTableFor(int w, int h);
  static TCornerEntry BuildCornerTable(int w, int h);
  bool BindPattern(const TAGFImage* image, int pattern, int effect);
  void ApplyEffect(int effect);
  void AppendQuad();
  void ApplyFilter();
  void ApplyFixedStates();
  void ReleaseAll();
  int ChooseFullScreenMode(int width, int height, TBitDepth bitDepth, TRefreshRate refreshRate);
  // The steps of CreateDeviceWith: each returns 0 or its error code.
  int FillPresentParameters(int width, int height, TBitDepth bitDepth, bool fullScreen,
                            int backBufferCount, TRefreshRate refreshRate, TZBuffer zBuffer,
                            bool vSync);
  int CreateDeviceAndBuffers(int deviceType);
  // The fixed render states and an empty batch, for a device just made.
  void ResetDrawingState();

  bool FAntialias = true;
  bool FDithering = false;
  bool FFullScreen = false;
  int FWidth = 640;
  int FHeight = 480;
  int FBackBufferCount = 1;
  TBitDepth FBitDepth = bd_Low;
  TZBuffer FZBuffer = zb_None;
  bool FVSync = false;
  TRefreshRate FRefreshRate = rr_default;
  int FCustomRefreshRate = 0;

  bool FOpen = false;
  PDirect3D8 FDirect3D;
  PDirect3DDevice8 FDevice;
  PDirect3DVertexBuffer8 FSmallBuffer;
  PDirect3DVertexBuffer8 FLargeBuffer;
  D3DCAPS8 FCaps;
  D3DADAPTER_IDENTIFIER8 FIdentifier;
  D3DPRESENT_PARAMETERS FParameters;

  std::array<TVertex, 4> FTemplate;
  std::array<TVertex, 256> FBatch;
  int FBatchCount = 0;
  int FDrawCalls = 0;
  PDirect3DTexture8 FBoundTexture;  // held while bound, as the device holds it
  int FCurrentEffect = 0;

  std::vector<TCornerEntry> FCornerCache;
  int FCornerCount = 0;
};

}  // namespace marblix
