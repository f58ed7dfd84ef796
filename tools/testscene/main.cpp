// The graphics test scene: every drawing operation and effect through the OpenGL device.
// Usage: marblix_testscene [--frames N] [--save frame.tga|frame.bmp] [--software]
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "graphics/PowerD3D.h"
#include "graphics/PowerTiming.h"
#include "platform/system/Clock.h"
#include "platform/video/Forms.h"
#include "platform/video/OpenGLDevice.h"

using namespace marblix;

namespace {

// A four-colour diagonal gradient of 800 x 600 with a grid every 50 pixels.
TBitmap Background() {
  TBitmap picture;
  picture.SetPixelFormat(TPixelFormat::pf32bit);
  picture.SetSize(800, 600);
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x) {
      const uint32_t r = 30 + x * 60 / 800, g = 40 + y * 80 / 600, b = 90 + (x + y) * 60 / 1400;
      const bool grid = x % 50 == 0 || y % 50 == 0;
      picture.SetPixel(x, y, 0xFF000000u | (grid ? 0x505050u : (r << 16 | g << 8 | b)));
    }
  return picture;
}

// Five shaded balls of 51 x 51 in a row, with soft alpha edges and a marker on the top.
TBitmap Balls() {
  const uint32_t colors[5] = {0xE03030, 0x30C040, 0x3050E0, 0xE0D030, 0xC040C0};
  TBitmap picture;
  picture.SetPixelFormat(TPixelFormat::pf32bit);
  picture.SetSize(256, 64);
  for (int i = 0; i < 5; ++i)
    for (int y = 0; y < 51; ++y)
      for (int x = 0; x < 51; ++x) {
        const double dx = x - 25.0, dy = y - 25.0, d = std::sqrt(dx * dx + dy * dy);
        const double alpha = std::clamp(24.5 - d, 0.0, 1.0);
        const double light = std::clamp(1.2 - std::hypot(dx + 9, dy + 9) / 40.0, 0.25, 1.0);
        uint32_t c = colors[i];
        if (std::abs(dx) < 3 && dy < -12) c = 0xFFFFFF;  // marks the top of the pattern
        const uint32_t r = uint32_t(((c >> 16) & 0xFF) * light),
                       g = uint32_t(((c >> 8) & 0xFF) * light), b = uint32_t((c & 0xFF) * light);
        picture.SetPixel(i * 51 + x, y, uint32_t(alpha * 255) << 24 | r << 16 | g << 8 | b);
      }
  return picture;
}

// A soft white glow of 64 x 64 for the additive effects.
TBitmap Glow() {
  TBitmap picture;
  picture.SetPixelFormat(TPixelFormat::pf32bit);
  picture.SetSize(64, 64);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      const double d = std::hypot(x - 31.5, y - 31.5) / 32.0;
      const uint32_t v = uint32_t(std::clamp(1.0 - d, 0.0, 1.0) * 255);
      picture.SetPixel(x, y, v << 24 | v << 16 | v << 8 | v);
    }
  return picture;
}

struct TScene {
  TPowerGraph& Graph;
  TAGFImage Background, Balls, Glow;
  double Time = 0;
  long Frames = 0;
  long DrawCalls = 0;

  bool Load() {
    IDirect3DDevice8* device = Graph.D3DDevice8();
    return Background.LoadPatternsFromBitmap(device, ::Background(), 400, 300, 512, 512,
                                             D3DFMT_R5G6B5) == 0 &&
           Balls.LoadPatternsFromBitmap(device, ::Balls(), 51, 51, 256, 64, D3DFMT_A8R8G8B8) == 0 &&
           Glow.LoadPatternsFromBitmap(device, ::Glow(), 0, 0, 64, 64, D3DFMT_A8R8G8B8) == 0;
  }

  void Draw() {
    Graph.BeginFrame();
    for (int i = 0; i < 4; ++i)
      Graph.DrawImage(&Background, (i % 2) * 400, (i / 2) * 300, i, blendAlpha);
    // A board of balls at natural size: one texture, one effect, batched.
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 9; ++x)
        if ((x * 7 + y * 3) % 4 != 0)
          Graph.DrawImage(&Balls, 298 + 52 * x, 26 + 52 * y, (x + y) % 5, blendAlpha);
    // Rotation: a turning ball per pattern, and the four quarter turns of one ball.
    const int angle = int(Time * 16) % 256;
    for (int i = 0; i < 5; ++i)
      Graph.DrawRotated(&Balls, 40 + 50 * i, 60, angle + i * 32, 256, i, blendAlpha);
    for (int i = 0; i < 4; ++i)
      Graph.DrawRotated(&Balls, 40 + 50 * i, 120, i * 64, 256, 2, blendAlpha);
    // Scale and tint.
    const uint32_t tints[4] = {0xFFFFFFFFu, 0xFF0000FFu, 0xFF00FF00u, 0xFFFF0000u};  // 0xAABBGGRR
    for (int i = 0; i < 4; ++i)
      Graph.DrawImageScaled(&Balls, 10 + i * 60, 160, 96 + i * 48, tints[i], 0, blendAlpha);
    Graph.DrawImageColor(&Balls, 250, 160, 0xFF40FFFFu, 4, blendAlpha);
    // Mirror and flip.
    Graph.DrawImage(&Balls, 10, 240, 1, blendAlpha);
    Graph.DrawImage(&Balls, 70, 240, 1, blendAlpha | blendMirror);
    Graph.DrawImage(&Balls, 130, 240, 1, blendAlpha | blendFlip);
    Graph.DrawImage(&Balls, 190, 240, 1, blendAlpha | blendMirror | blendFlip);
    // The ten effects, each over a grey-and-colour stripe.
    for (int e = 0; e < 10; ++e) {
      const int x = 5 + (e % 5) * 56, y = 310 + (e / 5) * 70;
      Graph.DrawImageColor(&Balls, x, y, 0xFF808080u, 3, blendOpaque);
      Graph.DrawImage(&Glow, x - 6, y - 6, 0, e);
    }
    // Faded ball through the tint's alpha, and a truncated rotation.
    Graph.DrawRotatedColorTrunc(&Balls, 323 + 52 * 4, 51 + 52 * 4, 64, 256, 0x44FFFFFFu, 0, 0x102);
    // Clip: the ball row cut at 60 %, and below it a growing share of it.
    const int share = int(std::fmod(Time * 10, 100.0));
    for (int row = 0; row < 2; ++row) {
      const int percent = row == 0 ? 60 : share;
      Graph.SetClipRectangle({10, 480 + row * 56, 10 + 255 * percent / 100, 480 + row * 56 + 51});
      for (int i = 0; i < 5; ++i)
        Graph.DrawImage(&Balls, 10 + 51 * i, 480 + row * 56, i, blendAlpha);
    }
    Graph.SetClipRectangle({0, 0, 800, 600});
    // Additive glows drifting over the board.
    for (int i = 0; i < 12; ++i)
      Graph.DrawRotatedColor(&Glow, 330 + int(200 + 180 * std::cos(Time * 0.3 + i)),
                             int(260 + 200 * std::sin(Time * 0.2 + i * 1.7)), 90, 256 + i * 16,
                             0xFF2080FFu, 0, blendAdd);
    Graph.EndFrame();
    DrawCalls += Graph.DrawCalls();
    ++Frames;
  }
};

}  // namespace

int main(int argc, char** argv) {
  long frameLimit = 300;
  std::string savePath;
  bool software = false;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--frames") && i + 1 < argc)
      frameLimit = std::atol(argv[++i]);
    else if (!std::strcmp(argv[i], "--save") && i + 1 < argc)
      savePath = argv[++i];
    else if (!std::strcmp(argv[i], "--software"))
      software = true;
  }
  if (!InitVideo()) return 1;
  TApplication application;
  TSystemClock clock;
  {
    TForm form(application);
    form.SetCaption("Marblix test scene");
    if (!form.Show()) return 1;
    TPowerGraph graph(&form, OpenGLDirect3DCreate());
    graph.SetWidth(800);
    graph.SetHeight(600);
    graph.Hardware = !software;
    if (const int code = graph.CreateDevice(); code != 0) {
      std::fprintf(stderr, "CreateDevice: %d\n", code);
      return 1;
    }
    std::printf("Device - %s (%s)\n", graph.AdapterIdentifier().Description,
                graph.AdapterIdentifier().Driver);
    TScene scene{graph, {}, {}, {}};
    if (!scene.Load()) return 1;
    TPowerTimer timer(&form, &application, clock);
    timer.SetFPS(15);
    timer.MayRealTime = true;
    int64_t start = 0, end = 0;
    clock.QueryPerformanceCounter(start);
    timer.OnRealTime = [&](TObject*, double delta) {
      scene.Time += delta;
      scene.Draw();
      const bool last = scene.Frames >= frameLimit;
      if (last && !savePath.empty()) {
        TBitmapEx frame;
        if (ReadBackBuffer(graph.D3DDevice8(), frame)) frame.SaveToFile(savePath);
      }
      graph.PresentFrame();
      if (last) application.Terminate();
    };
    form.OnCloseQuery = [](TObject*, bool& canClose) { canClose = true; };
    RunApplication(application, form);
    clock.QueryPerformanceCounter(end);
    const double seconds = double(end - start) / 1e9;
    std::printf("%ld frames in %.2f s: %.1f frames per second, %.1f draw calls per frame\n",
                scene.Frames, seconds, scene.Frames / seconds,
                scene.Frames ? double(scene.DrawCalls) / scene.Frames : 0.0);
  }
  QuitVideo();
  return 0;
}
