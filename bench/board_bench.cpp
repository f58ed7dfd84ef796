// Benchmarks of the board: the path search, the hint's search, and one frame of a busy board on the
// recording device.
#include <benchmark/benchmark.h>

#include <memory>
#include <optional>

#include "board/draw/PowerBoardPainter.h"
#include "board/qz_Field.h"
#include "board_scene.h"
#include "graphics/AGFUnit.h"
#include "graphics/PowerD3D.h"
#include "graphics/TGAReader.h"
#include "shell/defs.h"
#include "support/RecordingDevice.h"

namespace marblix {
namespace {

using bench::FillForty;

// The board's services, doing nothing: the benchmark measures the board and the drawing only.
class QuietServices final : public IBoardParticles,
                            public IBoardSounds,
                            public IModeButtons,
                            public IScoreTable,
                            public IGameKeeper {
 public:
  void AddText(const std::string&, float, float) override {}
  void AddBall(BallPicture, bool, float, float) override {}
  void AddFlyingBall(BallPicture, float, float, float, float) override {}
  void AddExplosion(float, float) override {}
  void AddAnimation(BallPicture, int, float, float, float, int) override {}
  void RemoveNear(float, float) override {}
  void ClearAnimations() override {}
  void EndAnimationsNear(float, float) override {}
  void PlayEffect(SoundSlot) override {}
  void PlayEffectLooped(SoundSlot) override {}
  void StopEffect(SoundSlot) override {}
  void SelectModeButton() override {}
  void PlaceFinalScore() override {}
  void KeepGame() override {}
};

class BenchForm final : public TComponentOwner {
 public:
  bool IsForm() const override { return true; }
  void* WindowHandle() const override { return const_cast<BenchForm*>(this); }
};

// Shell values for a game under way at 60 frames a second, with a fixed seed.
void PrepareValuesForBoard(TShellValues& values) {
  values.ScreenState = GameScreen;
  values.GameMode = ModeNormal;
  values.Score = 0;
  values.MeasuredFps = 60;
  values.RandSeed = 77;
}

// Shell values made ready for a board before the board is made from them.
struct BoardValues {
  BoardValues() { PrepareValuesForBoard(values); }
  TShellValues values;
};

// The 40-ball board the path and hint benchmarks search, with quiet services.
struct FortyBallBoard : BoardValues {
  FortyBallBoard() { FillForty(board); }
  QuietServices services;
  TGameField board{TBoardServices{services, services, services, services, services}, values};
};

void BM_FindPath(benchmark::State& state) {
  FortyBallBoard forty;
  TGameField& board = forty.board;
  int steps = 0;
  for (auto _ : state) {
    steps = board.FindPath(0, 0, 8, 0);
    benchmark::DoNotOptimize(steps);
  }
  state.counters["steps"] = steps == NoPath ? -1 : steps;
}
BENCHMARK(BM_FindPath);

// The hint's whole search on the same board, where no move completes a line: every ball is tried
// against every cell it can reach.
void BM_FindLineMove(benchmark::State& state) {
  FortyBallBoard forty;
  const TGameField& board = forty.board;
  std::optional<TBoardMove> move;
  for (auto _ : state) {
    move = FindLineMove(board.FCells);
    benchmark::DoNotOptimize(move);
  }
  state.counters["found"] = move.has_value() ? 1 : 0;
}
BENCHMARK(BM_FindLineMove)->Unit(benchmark::kMicrosecond);

// One frame of the game board: 40 balls, one selected, the pointer at the corridor's far end so
// that the longest path is shown, drawn through TPowerGraph on the recording device.
void BM_BoardFrame(benchmark::State& state) {
  TShellValues values;
  PrepareValuesForBoard(values);
  auto recording = std::make_shared<TRecording>();
  BenchForm form;
  TPowerGraph graph(&form, RecordingDirect3DCreate(recording));
  graph.SetWidth(800);
  graph.SetHeight(600);
  if (graph.CreateDevice() != 0) {
    state.SkipWithError("the recording device did not open");
    return;
  }
  TBitmap picture;
  picture.SetPixelFormat(TPixelFormat::pf32bit);
  picture.SetSize(256, 256);
  TAGFImage field;
  TAGFImage ball;
  field.LoadPatternsFromBitmap(graph.D3DDevice8(), picture, 51, 51, 256, 256, D3DFMT_A8R8G8B8);
  ball.LoadPatternsFromBitmap(graph.D3DDevice8(), picture, 48, 48, 256, 256, D3DFMT_A8R8G8B8);
  TPowerGraphCanvas canvas(graph);
  TPowerBoardPainter painter(canvas, &field, [&](BallPicture) { return &ball; });

  QuietServices services;
  TGameField board{TBoardServices{services, services, services, services, services}, values};
  board.SetPainter(&painter);
  FillForty(board);
  board.FNextCount = 3;
  const auto pointAt = [&values](int x, int y) {
    values.MouseX = bench::CellMiddleX(x);
    values.MouseY = bench::CellMiddleY(y);
  };
  // Selects the ball below the corridor's end and points at its start.
  pointAt(8, 1);
  values.MouseButton = 0;
  board.Click();
  pointAt(0, 0);

  int drawCalls = 0;
  int quads = 0;
  for (auto _ : state) {
    recording->Clear();
    graph.BeginFrame();
    board.UpdateHover();
    board.UpdateAndDraw(0.25);
    graph.EndFrame();
    state.PauseTiming();
    drawCalls = 0;
    quads = 0;
    for (const TRecordedCall* draw : recording->Named("DrawPrimitive")) {
      ++drawCalls;
      quads += static_cast<int>(draw->Args[2]) / 2;
    }
    state.ResumeTiming();
  }
  state.counters["draw_calls"] = drawCalls;
  state.counters["quads"] = quads;
  state.counters["selected"] = board.FSelected ? 1 : 0;
  int onPath = 0;
  for (int x = 0; x < BoardWidth; ++x)
    for (int y = 0; y < BoardHeight; ++y) onPath += board.FPathMap(x, y) > 0.0f;
  state.counters["path_cells"] = onPath;
}
BENCHMARK(BM_BoardFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace marblix
