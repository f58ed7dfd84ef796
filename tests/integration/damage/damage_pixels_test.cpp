// Frames of recorded play drawn on the real OpenGL device both ways, every frame drawn whole and
// only what changed, and compared pixel for pixel in the back buffer and in the window after every
// present: moves, a line, a drop, a bomb, hover and selection, a dialog, particles, the options
// panel's sliders, a scaled window.
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

  TBitmap BackBuffer() {
    MakeCurrent();
    TBitmap picture;
    EXPECT_TRUE(ReadBackBuffer(FDevice.get(), picture));
    return picture;
  }
  // The window as the last present left it (SDL's offscreen driver keeps it).
  std::vector<uint8_t> Window() {
    MakeCurrent();
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(static_cast<SDL_Window*>(FForm.WindowHandle()), &width, &height);
    std::vector<uint8_t> pixels(size_t(width) * size_t(height) * 4);
    GLint framebuffer = 0;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &framebuffer);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, GLuint(framebuffer));
    return pixels;
  }

 private:
  TForm FForm;
  PDirect3D8 FDirect3D;
  PDirect3DDevice8 FDevice;
  PDirect3DVertexBuffer8 FBuffer;
  SDL_GLContext FContext = nullptr;
  std::map<const void*, PDirect3DTexture8> FTextures;
};

// The first pixel where two pictures differ, and how many do ("" when alike).
std::string Difference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, int width) {
  if (a.size() != b.size()) return "sizes differ";
  size_t first = a.size(), count = 0;
  for (size_t i = 0; i < a.size(); i += 4) {
    if (std::memcmp(&a[i], &b[i], 3) == 0) continue;
    first = std::min(first, i / 4);
    ++count;
  }
  if (count == 0) return "";
  return std::to_string(count) + " pixels, the first at (" + std::to_string(first % width) + ", " +
         std::to_string(first / width) + ")";
}

std::vector<uint8_t> PixelsOf(const TBitmap& picture) {
  std::vector<uint8_t> pixels;
  for (int y = 0; y < picture.Height(); ++y)
    pixels.insert(pixels.end(), picture.ScanLine(y), picture.ScanLine(y) + picture.RowBytes());
  return pixels;
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
      FWhole.Replay(call);
      FDamageOnly.Replay(call);
      if (call.Name == "Present") Compare();
    }
    FRun.Recording().Clear();
  }

  void Compare() {
    ++FPresents;
    const std::string back =
        Difference(PixelsOf(FWhole.BackBuffer()), PixelsOf(FDamageOnly.BackBuffer()), 800);
    const std::string window = Difference(FWhole.Window(), FDamageOnly.Window(), FWidth);
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
};

// A saved Normal game with these balls (kind, column, row).
void SaveGame(const std::vector<std::array<int, 3>>& balls) {
  ConfigContents contents;
  TShellValues defaults;
  for (uint8_t mode = 0; mode < HighScoreModes; ++mode) ResetScoreTable(defaults, mode);
  contents.Tables = defaults.HighScoreTable;
  contents.MusicVolume = 40;
  contents.SoundVolume = 60;
  contents.SavedGameFlag = 1;
  contents.Game.Mode = ModeNormal;
  contents.Game.NextCount = 3;
  contents.Game.Preview.fill(BallKinds[2]);
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
    run.MoveTo(CellX(6), CellY(6));  // hover
    run.Frames(30);
    run.ClickCell(4, 0);  // selected: it bounces
    run.ClickCell(4, 4);  // the fifth of a row: the line goes, with particles
    run.Frames(90);
    run.ClickCell(6, 6);
    run.ClickCell(6, 2);  // no line: new balls drop
    run.Frames(90);
  };
  const std::vector<TSequence> sequences{
      {"a line, a drop, hover and selection", 800, 600, line, lineDropHoverSelection},
      {"the same in a window scaled smoothly", 1000, 750, line, lineDropHoverSelection},
      {"a bomb, then a dialog",
       800,
       600,
       {{KindBomb, 0, 0}, {3, 3, 3}, {4, 4, 3}, {5, 3, 4}, {KindFirstColourBomb, 8, 8}},
       [](TComparedRun& run) {
         run.ClickCell(0, 0);
         run.ClickCell(4, 4);  // next to three balls: they fly off, the bomb explodes
         run.Frames(90);
         run.Click(140, 536);  // Exit: the question
         run.MoveTo(466, 344);
         run.Frames(20);
         run.Click(596, 344);  // No
       }},
      {"the options panel's sliders", 800, 600, {}, [](TComparedRun& run) {
         run.Click(140, 398);  // Options
         for (const auto& [x, y] :
              {std::pair{560, 180}, {620, 180}, {540, 280}, {476, 178}, {696, 278}})
           run.Click(x, y);
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
      run.Frame(1000.0 / 15);                               // the logo and the loading screen
    if (!sequence.SavedBalls.empty()) run.Click(466, 344);  // go on with the saved game
    run.Frames(30);
    sequence.Play(run);
    EXPECT_EQ(run.Failure(), "") << sequence.Name;
    EXPECT_NE(values.ScreenState & GameScreen, 0u) << sequence.Name;
  }
}

}  // namespace
}  // namespace marblix
