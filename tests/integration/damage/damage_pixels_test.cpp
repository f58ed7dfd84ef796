// Frames of recorded play drawn on the real OpenGL device both ways, every frame drawn whole and
// only what changed, and compared pixel for pixel in the back buffer and in the window after every
// present: moves, a line, a drop, a bomb, hover and selection, a dialog, particles, the options
// panel's sliders, a scaled window, a window resized and a texture refilled in place while the game
// rests.
#include <SDL.h>
#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "graphics/FrameFit.h"
#include "integration/game_run.h"
#include "platform/video/Forms.h"
#include "platform/video/OpenGLDevice.h"

namespace marblix {
namespace {

using test_support::CellX;
using test_support::CellY;
using test_support::GameRun;

// One side of the comparison: a window of its own, an OpenGL device on it, and the textures made
// there for the recorded ones. Its context is made current before it is used.
class TReplayDevice {
 public:
  TReplayDevice(TApplication& application, TGLOptions options, int width, int height)
      : FForm(application) {
    FForm.SetClientSize(width, height);
    EXPECT_TRUE(FForm.Show());
    FDirect3D = OpenGLDirect3DCreate(options)(D3D_SDK_VERSION);
    D3DPRESENT_PARAMETERS parameters;
    parameters.BackBufferWidth = 800;
    parameters.BackBufferHeight = 600;
    parameters.Windowed = true;
    parameters.hDeviceWindow = FForm.WindowHandle();
    EXPECT_EQ(FDirect3D->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, 0, &parameters, &FDevice), 0);
    FContext = SDL_GL_GetCurrentContext();
    FDevice->CreateVertexBuffer(256 * sizeof(TVertex), 0, VertexFormat, 0, &FBuffer);
  }
  // Its textures go while its own context is current.
  ~TReplayDevice() {
    MakeCurrent();
    FTextures.clear();
    FBuffer.reset();
    FDevice.reset();
  }
  TReplayDevice(const TReplayDevice&) = delete;
  TReplayDevice& operator=(const TReplayDevice&) = delete;

  void MakeCurrent() {
    SDL_GL_MakeCurrent(static_cast<SDL_Window*>(FForm.WindowHandle()), FContext);
  }

  void Replay(const TRecordedCall& call) {
    MakeCurrent();
    const auto arg = [&call](size_t i) { return uint32_t(call.Args[i]); };
    const std::string& name = call.Name;
    if (name == "CreateTexture") {
      FDevice->CreateTexture(arg(0), arg(1), arg(2), arg(3), int(arg(4)), int(arg(5)),
                             &FTextures[call.Object]);
      FSizes[call.Object] = {arg(1), arg(4)};
    } else if (name == "UnlockRect" && FTextures[call.Object]) {
      D3DLOCKED_RECT locked;
      ASSERT_EQ(FTextures[call.Object]->LockRect(0, &locked, nullptr, 0), D3D_OK);
      std::memcpy(locked.pBits, call.Texels.data(), call.Texels.size());
      FTextures[call.Object]->UnlockRect(0);
    } else if (name == "SetRenderState") {
      FDevice->SetRenderState(int(arg(0)), arg(1));
    } else if (name == "SetTextureStageState") {
      FDevice->SetTextureStageState(arg(0), int(arg(1)), arg(2));
    } else if (name == "SetTexture") {
      FDevice->SetTexture(arg(0), call.Object ? FTextures[call.Object].get() : nullptr);
    } else if (name == "SetViewport") {
      const D3DVIEWPORT8 viewport{arg(0), arg(1), arg(2), arg(3), 0, 1};
      FDevice->SetViewport(&viewport);
    } else if (name == "DrawPrimitive") {
      uint8_t* data = nullptr;
      FBuffer->Lock(0, 0, &data, 0);
      std::memcpy(data, call.Vertices.data(), call.Vertices.size() * sizeof(TVertex));
      FDevice->SetStreamSource(0, FBuffer.get(), sizeof(TVertex));
      FDevice->DrawPrimitive(int(arg(0)), 0, arg(2));
    } else if (name == "BeginScene") {
      FDevice->BeginScene();
    } else if (name == "EndScene") {
      FDevice->EndScene();
    } else if (name == "Present") {
      FDevice->Present();
    }
  }

  // The desktop resizes the window.
  void Resize(int width, int height) { FForm.SetClientSize(width, height); }

  // New texels for a 32-bit texture the game made, filled through a lock: red and blue trade
  // places, alpha stays (an opaque picture stays opaque).
  void Refill(const void* object) {
    MakeCurrent();
    const auto [rows, format] = FSizes[object];
    ASSERT_TRUE(format == D3DFMT_A8R8G8B8 || format == D3DFMT_X8R8G8B8);
    D3DLOCKED_RECT locked;
    ASSERT_EQ(FTextures[object]->LockRect(0, &locked, nullptr, 0), D3D_OK);
    auto* bits = static_cast<uint8_t*>(locked.pBits);
    for (size_t i = 0; i < size_t(locked.Pitch) * rows; i += 4) std::swap(bits[i], bits[i + 2]);
    ASSERT_EQ(FTextures[object]->UnlockRect(0), D3D_OK);
  }

  // The back buffer, rows of 800 pixels top first.
  const uint8_t* BackBuffer() {
    MakeCurrent();
    EXPECT_TRUE(ReadBackBuffer(FDevice.get(), FBack));
    return FBack.ScanLine(0);
  }
  // The window as the last present left it (SDL's offscreen driver keeps it), bottom row first;
  // `width` x `height` as the test made it.
  const uint8_t* Window(int width, int height) {
    MakeCurrent();
    int drawableWidth = 0, drawableHeight = 0;
    SDL_GL_GetDrawableSize(static_cast<SDL_Window*>(FForm.WindowHandle()), &drawableWidth,
                           &drawableHeight);
    EXPECT_TRUE(drawableWidth == width && drawableHeight == height);
    FWindow.assign(size_t(width) * size_t(height) * 4, 0);
    GLint framebuffer = 0;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &framebuffer);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_BYTE, FWindow.data());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, GLuint(framebuffer));
    return FWindow.data();
  }

 private:
  TForm FForm;
  PDirect3D8 FDirect3D;
  PDirect3DDevice8 FDevice;
  PDirect3DVertexBuffer8 FBuffer;
  SDL_GLContext FContext = nullptr;
  std::map<const void*, PDirect3DTexture8> FTextures;
  std::map<const void*, std::pair<uint32_t, uint32_t>> FSizes;  // rows and format
  TBitmap FBack;
  std::vector<uint8_t> FWindow;
};

// How many pixels of two pictures of `width` x `height` differ, and where the first is ("" when
// none does).
std::string Difference(const uint8_t* a, const uint8_t* b, int width, int height) {
  const size_t pixels = size_t(width) * size_t(height);
  if (std::memcmp(a, b, pixels * 4) == 0) return "";
  size_t first = pixels, count = 0;
  for (size_t i = 0; i < pixels; ++i) {
    if (std::memcmp(a + 4 * i, b + 4 * i, 3) == 0) continue;  // alpha aside
    first = std::min(first, i);
    ++count;
  }
  if (count == 0) return "";
  return std::to_string(count) + " pixels, the first at (" + std::to_string(first % width) + ", " +
         std::to_string(first / width) + ")";
}

// A run of the game on the recording device whose calls are replayed, as they come, on the two
// devices; after every present their pictures are compared.
class TComparedRun {
 public:
  TComparedRun(int width, int height)
      : FWidth(width),
        FHeight(height),
        FWhole(FApplication, {.TrackDamage = false, .DirectToWindow = false}, width, height),
        FDamageOnly(FApplication, {.TrackDamage = true}, width, height) {
    FRun.Recording().KeepTexels = true;
    FRun.Create();
    FRun.Values().RandSeed = 20240611;
    FRun.Host().ClientWidth = width;
    FRun.Host().ClientHeight = height;
    Replay();
  }

  // One frame after `milliseconds`; false once the pictures differed.
  bool Frame(double milliseconds = 1000.0 / 60) {
    Replay();
    FRun.Idle(milliseconds);
    Replay();
    return FFailure.empty();
  }
  bool Frames(int count) {
    for (int i = 0; i < count && FFailure.empty(); ++i) Frame();
    return FFailure.empty();
  }
  // Input at a frame pixel, in the window's client pixels.
  void MoveTo(int x, int y) { FRun.MoveTo(ClientX(x), ClientY(y)); }
  void Click(int x, int y) {
    FRun.Click(ClientX(x), ClientY(y));
    Frames(20);
  }
  void ClickCell(int x, int y) { Click(CellX(x), CellY(y)); }
  // The desktop resizes the game's window (both windows compared, and the game's).
  void Resize(int width, int height) {
    FWidth = width;
    FHeight = height;
    FWhole.Resize(width, height);
    FDamageOnly.Resize(width, height);
    FRun.Host().ClientWidth = width;
    FRun.Host().ClientHeight = height;
  }
  // The texture each frame draws first (the background's first quarter) refilled with new texels.
  // No frame draws with it meanwhile, so the devices refill it in place.
  void RefillFirstTexture() {
    ASSERT_NE(FFirstTexture, nullptr);
    FWhole.Refill(FFirstTexture);
    FDamageOnly.Refill(FFirstTexture);
  }

  GameRun& Run() { return FRun; }
  const std::string& Failure() const { return FFailure; }

 private:
  int ClientX(int x) const {
    const TFrameFit fit = FitFrame(800, 600, FWidth, FHeight);
    return fit.Left + x * fit.Width / 800;
  }
  int ClientY(int y) const {
    const TFrameFit fit = FitFrame(800, 600, FWidth, FHeight);
    return fit.Top + y * fit.Height / 600;
  }

  void Replay() {
    for (const TRecordedCall& call : FRun.Recording().Calls) {
      if (FAILED(call.Result) || !FFailure.empty()) continue;
      if (call.Name == "BeginScene") FFirstTexture = nullptr;
      if (call.Name == "SetTexture" && FFirstTexture == nullptr) FFirstTexture = call.Object;
      FWhole.Replay(call);
      FDamageOnly.Replay(call);
      if (call.Name == "Present") Compare();
    }
    FRun.Recording().Clear();
  }

  void Compare() {
    ++FPresents;
    const std::string back = Difference(FWhole.BackBuffer(), FDamageOnly.BackBuffer(), 800, 600);
    const std::string window = Difference(FWhole.Window(FWidth, FHeight),
                                          FDamageOnly.Window(FWidth, FHeight), FWidth, FHeight);
    if (!back.empty()) FFailure = "back buffer: " + back;
    if (!window.empty()) FFailure += " window: " + window;
    if (!FFailure.empty()) FFailure = "present " + std::to_string(FPresents) + ": " + FFailure;
  }

  int FWidth, FHeight;
  TApplication FApplication;
  TReplayDevice FWhole, FDamageOnly;
  TRecordingAudio* FAudio = nullptr;
  GameRun FRun{FAudio};
  int FPresents = 0;
  std::string FFailure;
  const void* FFirstTexture = nullptr;
};

// A saved Normal game of 10 points with these balls (kind, column, row).
void SaveGame(const std::vector<std::array<int, 3>>& balls) {
  ConfigContents contents = test_support::SavedNormalGame(10, BallKinds[2]);
  for (const auto& [kind, x, y] : balls) contents.Game.Cells[x][y] = BallKinds[kind];
  std::string error;
  ASSERT_TRUE(ReplaceFile(ConfigFileName, EncodeConfig(contents), error)) << error;
}

struct TSequence {
  std::string Name;
  int Width, Height;                           // of the window
  std::vector<std::array<int, 3>> SavedBalls;  // none: a new game
  std::function<void(TComparedRun&)> Play;
};

TEST(DamageOnlyFrames, ShowWhatWholeFramesShowPixelForPixel) {
  if (!test_support::DataPackExists()) GTEST_SKIP() << "no asset pack";
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  ASSERT_TRUE(InitVideo());
  const std::vector<std::array<int, 3>> line{{1, 0, 4}, {1, 1, 4}, {1, 2, 4}, {1, 3, 4},
                                             {1, 4, 0}, {4, 6, 6}, {5, 7, 1}, {9, 2, 7}};
  const auto lineDropHoverSelection = [](TComparedRun& run) {
    const TShellValues& values = run.Run().Values();
    run.MoveTo(CellX(6), CellY(6));  // hover
    run.Frames(20);
    run.ClickCell(4, 0);  // selected: it bounces
    run.ClickCell(4, 4);  // the fifth of a row: the line goes, with particles
    run.Frames(60);
    EXPECT_GT(values.Score, 10) << "the line scored";
    run.ClickCell(6, 6);
    run.ClickCell(6, 2);  // no line: new balls drop
    run.Frames(60);
  };
  const auto restingResizedAndRefilled = [&](TComparedRun& run) {
    lineDropHoverSelection(run);
    run.Resize(1100, 700);  // at rest: nothing in the frame changes
    run.Frames(10);
    run.Resize(800, 600);
    run.Frames(10);
    run.RefillFirstTexture();
    run.Frames(10);
  };
  const std::vector<TSequence> sequences{
      {"a line, a drop, hover and selection, a resize and a refill at rest", 800, 600, line,
       restingResizedAndRefilled},
      {"the same in a window scaled smoothly", 1000, 750, line, lineDropHoverSelection},
      {"a bomb, a dialog, the options panel's sliders",
       800,
       600,
       {{KindBomb, 0, 0}, {3, 3, 3}, {4, 4, 3}, {5, 3, 4}, {KindFirstColourBomb, 8, 8}},
       [](TComparedRun& run) {
         const TShellValues& values = run.Run().Values();
         run.ClickCell(0, 0);
         run.ClickCell(4, 4);  // next to three balls: they fly off, the bomb explodes
         run.Frames(60);
         EXPECT_EQ(run.Run().Form().Board->FCells(3, 3).Mask, 0u) << "thrown off by the bomb";
         run.Click(140, 536);  // Exit: the question
         EXPECT_NE(values.ScreenState & ExitDialog, 0u);
         run.MoveTo(466, 344);
         run.Frames(10);
         run.Click(596, 344);  // No
         run.Click(140, 398);  // Options
         const int32_t music = values.MusicVolume;
         for (const auto& [x, y] :
              {std::pair{560, 180}, {620, 180}, {540, 280}, {476, 178}, {696, 278}})
           run.Click(x, y);
         EXPECT_NE(values.MusicVolume, music) << "a slider moved";
         run.Click(530, 465);  // Back
       }}};
  for (const TSequence& sequence : sequences) {
    testing::TScopedWorkingDirectory folder;
    test_support::LinkDataPack(folder.path());
    if (!sequence.SavedBalls.empty()) SaveGame(sequence.SavedBalls);
    TComparedRun run(sequence.Width, sequence.Height);
    const TShellValues& values = run.Run().Values();
    for (int i = 0; i < 2000 && (values.ScreenState & GameScreen) == 0 && run.Failure().empty();
         ++i)
      run.Frame(250);  // the logo (in long steps) and the loading screen
    if (!sequence.SavedBalls.empty()) run.Click(466, 344);  // go on with the saved game

    run.Frames(30);
    sequence.Play(run);
    EXPECT_EQ(run.Failure(), "") << sequence.Name;
    EXPECT_NE(values.ScreenState & GameScreen, 0u) << sequence.Name;
  }
}

}  // namespace
}  // namespace marblix
