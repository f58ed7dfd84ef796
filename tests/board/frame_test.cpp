// The per-frame work: timers, jump and hover sounds, rest animations, the game-over removal and
// what the board hands to its painter.
#include "BoardDoubles.h"

namespace marblix::testing {
namespace {

constexpr uint32_t SeedBefore(uint32_t next) {
  uint32_t inverse = 134775813u;
  for (int i = 0; i < 5; ++i) inverse *= 2u - 134775813u * inverse;
  return (next - 1u) * inverse;
}

struct PaintCall {
  std::string Op;
  int Look = -1, X = 0, Y = 0, Pattern = 0;
};

class RecordingPainter final : public IBoardPainter {
 public:
  std::vector<PaintCall> Calls;
  void DrawCellBackground(int x, int y, int pattern) override {
    Calls.push_back({"Cell", -1, x, y, pattern});
  }
  void DrawGhost(uint8_t look, int x, int y) override { Calls.push_back({"Ghost", look, x, y}); }
  void DrawRestingBall(uint8_t look, int x, int y) override {
    Calls.push_back({"Rest", look, x, y});
  }
  void DrawSelectedBall(uint8_t look, int x, int y, int pattern) override {
    Calls.push_back({"Selected", look, x, y, pattern});
  }
  void DrawSelectedBomb(int x, int y, int pattern) override {
    Calls.push_back({"SelectedBomb", -1, x, y, pattern});
  }
  void DrawHoveredBall(uint8_t look, int x, int y, int pattern) override {
    Calls.push_back({"Hovered", look, x, y, pattern});
  }
  void DrawHoveredBomb(int x, int y, int pattern) override {
    Calls.push_back({"HoveredBomb", -1, x, y, pattern});
  }
  void DrawPreviewBall(uint8_t look, int m, int pattern) override {
    Calls.push_back({"Preview", look, m, 0, pattern});
  }
  void DrawTravellingBall(uint8_t look, int x, int y, float, int, int) override {
    Calls.push_back({"Travelling", look, x, y});
  }
  void DrawCellFrame(int x, int y, uint32_t colour) override {
    Calls.push_back({"Frame", static_cast<int>(colour >> 24), x, y});
  }
  std::vector<PaintCall> Of(const std::string& op) const {
    std::vector<PaintCall> out;
    for (const PaintCall& c : Calls)
      if (c.Op == op) out.push_back(c);
    return out;
  }
  int PatternOfCell(int x, int y) const {
    for (const PaintCall& c : Calls)
      if (c.Op == "Cell" && c.X == x && c.Y == y) return c.Pattern;
    return -1;
  }
};

class Frame : public BoardTest {
 protected:
  RecordingPainter painter;
  void Frames(int n, double elapsed = 1.0) {
    for (int i = 0; i < n; ++i) {
      board.UpdateHover();
      board.UpdateAndDraw(elapsed);
    }
  }
  void SetUp() override {
    BoardTest::SetUp();
    board.SetPainter(&painter);
  }
};

TEST_F(Frame, DoesNothingOffTheGameScreen) {
  board.FBusyTimer = 3.0;
  board.FCellTimers(1, 1) = 2.0;
  values.ScreenState = MenuScreen;
  board.UpdateAndDraw(1.0);
  EXPECT_DOUBLE_EQ(board.FBusyTimer, 3.0);
  EXPECT_DOUBLE_EQ(board.FCellTimers(1, 1), 2.0);
  EXPECT_TRUE(painter.Calls.empty());
  values.ScreenState =
      GameScreen | DialogOpen | ExitDialog;  // a dialog over the game: still running
  board.UpdateAndDraw(1.0);
  EXPECT_DOUBLE_EQ(board.FBusyTimer, 2.0);
  EXPECT_DOUBLE_EQ(board.FCellTimers(1, 1), 1.0);
}

TEST_F(Frame, TheSelectedBallCyclesItsFourJumpSoundsEveryFiveUnits) {
  Put(2, 2, 3);
  ClickCell(2, 2);
  services.Clear();
  Frames(4);
  EXPECT_TRUE(services.Played().empty());
  Frames(1);  // FPhase reaches 5
  EXPECT_EQ(services.Played(), std::vector<std::string>{"_a3"});
  Frames(20);
  EXPECT_EQ(services.Played(), (std::vector<std::string>{"_a3", "_b3", "_c3", "_d3", "_a3"}));
  // A new selection starts again from the first sound.
  ClickCell(2, 2);
  ClickCell(2, 2);
  services.Clear();
  Frames(5);
  EXPECT_EQ(services.Played(), std::vector<std::string>{"_a3"});
  // The selected ball jumps through the patterns while the others rest.
  EXPECT_EQ(painter.Of("Selected").back().Pattern, static_cast<int>(board.FPhase));
  EXPECT_TRUE(painter.Of("Rest").empty());

  // The bomb has no jump sounds.
  ClickCell(2, 2);
  Put(4, 4, KindBomb);
  ClickCell(4, 4);
  services.Clear();
  Frames(30);
  EXPECT_TRUE(services.Played().empty());
  EXPECT_FALSE(painter.Of("SelectedBomb").empty());
}

TEST_F(Frame, AHoveredBallSoundsOnceAfterTenUnitsAndNotAgainUntilAnotherBallSounded) {
  Put(2, 2, 2);
  Put(3, 3, KindBomb);
  PointAt(2, 2);
  Frames(10);
  EXPECT_TRUE(services.Played().empty());
  Frames(1);
  EXPECT_EQ(services.Played(), std::vector<std::string>{"_h2"});
  Frames(30);
  EXPECT_EQ(services.Played().size(), 1u);
  // Away to an empty cell and back: the same ball stays quiet.
  PointAt(6, 6);
  Frames(5);
  PointAt(2, 2);
  Frames(20);
  EXPECT_EQ(services.Played().size(), 1u);
  // The bomb plays its hover sound and the bomb's own.
  services.Clear();
  PointAt(3, 3);
  board.FHoverTimer = 0;
  Frames(11);
  EXPECT_EQ(services.Played(), (std::vector<std::string>{"_h22", "_h23"}));
  EXPECT_FALSE(painter.Of("HoveredBomb").empty());
  // The last move's destination never sounds.
  services.Clear();
  board.FDestX = 2;
  board.FDestY = 2;
  PointAt(2, 2);
  Frames(30);
  EXPECT_TRUE(services.Played().empty());
}

TEST_F(Frame, RestAnimationsStartWhenTheRateDrawGivesTenAndFollowTheTable) {
  values.MeasuredFps = 16;
  struct Expected {
    uint8_t Variant;
    int Frames, Loops, OffsetY;
  };
  const Expected table[4] = {{2, 36, 2, 0}, {4, 54, 1, 1}, {3, 44, 3, 0}, {5, 2, 20, 0}};
  bool seen[4] = {};
  for (uint32_t low = 0; low < 64 && !(seen[0] && seen[1] && seen[2] && seen[3]); ++low) {
    const uint32_t seed = SeedBefore((10u << 28) | (low << 12));
    values.RandSeed = seed;
    ASSERT_EQ(values.Random(16), 10u);
    const uint32_t g = values.Random(4);
    const int x = static_cast<int>(values.Random(9)), y = static_cast<int>(values.Random(9));
    board.FCells.Fill({});
    Put(x, y, 6);  // look 5
    services.Clear();
    values.RandSeed = seed;
    board.UpdateAndDraw(1.0);
    const auto anims = services.Of("AddAnimation");
    ASSERT_EQ(anims.size(), 1u);
    const Expected& e = table[g];
    EXPECT_EQ(anims[0].Picture, (BallPicture{5, e.Variant}));
    EXPECT_EQ(anims[0].Frames, e.Frames);
    EXPECT_EQ(anims[0].Loops, e.Loops);
    EXPECT_FLOAT_EQ(anims[0].Speed, 1.0f);
    EXPECT_FLOAT_EQ(anims[0].X, 323 + 52 * x);
    EXPECT_FLOAT_EQ(anims[0].Y, 51 + 52 * y + e.OffsetY);
    seen[g] = true;
    // Not on a special ball, and not while a ball is selected.
    Put(x, y, KindJoker);
    values.RandSeed = seed;
    board.UpdateAndDraw(1.0);
    EXPECT_EQ(services.Count("AddAnimation"), 1);
  }
  EXPECT_TRUE(seen[0] && seen[1] && seen[2] && seen[3]);

  Put(0, 0, 1);
  ClickCell(0, 0);
  const uint32_t before = values.RandSeed;
  board.UpdateAndDraw(1.0);
  EXPECT_EQ(values.RandSeed, before);  // no draw at all while selected
  // At 10 frames per second or fewer none ever starts.
  ClickCell(0, 0);
  FillBoard(1);
  values.MeasuredFps = 10;
  services.Clear();
  Frames(300);
  EXPECT_EQ(services.Count("AddAnimation"), 0);
}

TEST_F(Frame, TheGameOverSequenceEmptiesTheBoardBallByBallThenPlacesTheScore) {
  values.GameMode = ModeProfessional;
  FillWithoutLines();
  for (int i = 0; i < 4; ++i) board.FCells(i, 0).Mask = 0;
  values.Score = 1234;
  values.GameUnderWay = true;
  board.DropBalls(4, false);
  ASSERT_TRUE(board.FGameOver);
  values.MeasuredFps = 60;
  // Clicks do nothing now.
  ClickCell(5, 5);
  EXPECT_FALSE(board.FSelected);
  services.Clear();
  int frames = 0;
  while (board.AnyBall()) {
    const int before = 81 - board.CountFree();
    Frames(1);
    EXPECT_EQ(81 - board.CountFree(), before - 1);
    EXPECT_DOUBLE_EQ(board.FBusyTimer, GameOverRemovalTime);
    ++frames;
  }
  EXPECT_EQ(frames, 77);
  EXPECT_EQ(services.Count("AddBall"), 77);
  EXPECT_EQ(services.Count("PlaceFinalScore"), 0);
  Frames(4);
  EXPECT_EQ(services.Count("PlaceFinalScore"), 0);
  Frames(1);
  ASSERT_EQ(services.Count("PlaceFinalScore"), 1);
  EXPECT_EQ(services.Of("PlaceFinalScore")[0].Score, 1234);
  EXPECT_EQ(values.Score, 0);
  EXPECT_FALSE(values.GameUnderWay);
  EXPECT_FALSE(board.FGameOver);
  EXPECT_EQ(values.ScoreTablePage, ModeProfessional);
  EXPECT_EQ(values.ReturnState, MenuScreen);
  EXPECT_DOUBLE_EQ(board.FBusyTimer, NoStepRunning);
  auto trace = services.Trace();
  const auto place = std::find(trace.begin(), trace.end(), "PlaceFinalScore");
  EXPECT_EQ(*(place - 1), "SelectModeButton");
  EXPECT_EQ(*(place + 1), "ClearAnimations");
}

TEST_F(Frame, DrawsPathGhostUnreachableTargetPreviewAndHidesAppearingBalls) {
  Put(0, 0, 4);
  Put(2, 1, 1);
  Put(1, 2, 1);  // (2, 2)... reachable; (8, 8) walled in below
  Put(7, 8, 1);
  Put(8, 7, 1);
  ClickCell(0, 0);
  PointAt(3, 0);
  Frames(2);
  painter.Calls.clear();
  Frames(1);
  EXPECT_EQ(painter.PatternOfCell(1, 0), 1);
  EXPECT_EQ(painter.PatternOfCell(3, 0), 1);
  EXPECT_EQ(painter.PatternOfCell(0, 5), 0);
  ASSERT_EQ(painter.Of("Ghost").size(), 1u);
  EXPECT_EQ(painter.Of("Ghost")[0].X, 3);
  EXPECT_EQ(painter.Of("Ghost")[0].Look, 3);

  PointAt(8, 8);
  Frames(1);
  painter.Calls.clear();
  Frames(1);
  EXPECT_EQ(painter.PatternOfCell(8, 8), 2);
  EXPECT_TRUE(painter.Of("Ghost").empty());

  // Left of the board: no highlight and no ghost, though the pointer maps to column 0.
  values.MouseX = 290;
  values.MouseY = BoardOriginY + 25;
  Frames(1);
  painter.Calls.clear();
  Frames(1);
  for (const PaintCall& c : painter.Of("Cell")) EXPECT_NE(c.Pattern, 1);
  EXPECT_TRUE(painter.Of("Ghost").empty());

  // The preview shows FNextCount balls.
  board.FNextCount = 2;
  board.FPreview = {BallKinds[3], BallKinds[KindBomb], BallKinds[5], BallKinds[6]};
  painter.Calls.clear();
  Frames(1);
  const auto preview = painter.Of("Preview");
  ASSERT_EQ(preview.size(), 2u);
  EXPECT_EQ(preview[0].Look, 2);
  EXPECT_EQ(preview[1].Look, BombLook);
  EXPECT_EQ(preview[1].X, 1);

  // A dropped ball is hidden for 6.75 units.
  ClickCell(0, 0, 1);
  board.FCells.Fill({});
  board.DropBalls(1, true);
  int x = 0, y = 0;
  for (int i = 0; i < 81; ++i)
    if (board.FCells(i / 9, i % 9).Mask) x = i / 9, y = i % 9;
  values.MouseX = 0;
  for (int frame = 1; frame <= 7; ++frame) {
    painter.Calls.clear();
    Frames(1);
    bool drawn = false;
    for (const PaintCall& c : painter.Of("Rest")) drawn |= c.X == x && c.Y == y;
    EXPECT_EQ(drawn, frame == 7) << frame;
  }
}

TEST_F(Frame, TheTravellingBallIsDrawnOncePerFrameAlongThePath) {
  Put(0, 0, 2);
  ClickCell(0, 0);
  PointAt(0, 4);
  Frames(1);
  ClickCell(0, 4);
  std::vector<int> rows;
  while (board.FBusyTimer > 0.0) {
    painter.Calls.clear();
    Frames(1);
    for (const PaintCall& c : painter.Of("Travelling")) rows.push_back(c.Y);
  }
  EXPECT_EQ(rows, (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(Frame, TheKeyCursorAndAHintMarkTheirCellsAndFrameThem) {
  const auto framed = [this] {
    std::vector<std::pair<int, int>> cells;
    for (const PaintCall& c : painter.Of("Frame")) cells.emplace_back(c.X, c.Y);
    return cells;
  };
  PointAt(2, 3);
  board.SetKeyCursorShown(true);
  Frames(1);
  EXPECT_EQ(painter.PatternOfCell(2, 3), 1);
  EXPECT_EQ(framed(), (std::vector<std::pair<int, int>>{{2, 3}}));

  // The pointer's hover is no cursor: nothing marked.
  board.SetKeyCursorShown(false);
  painter.Calls.clear();
  Frames(1);
  EXPECT_EQ(painter.PatternOfCell(2, 3), 0);
  EXPECT_TRUE(framed().empty());

  for (int x = 0; x < 4; ++x) Put(x, 0, KindFirstColour);
  Put(8, 8, KindFirstColour);
  board.ShowHint();
  painter.Calls.clear();
  Frames(1);
  EXPECT_EQ(painter.PatternOfCell(8, 8), 1);
  EXPECT_EQ(painter.PatternOfCell(4, 0), 1);
  EXPECT_EQ(framed(), (std::vector<std::pair<int, int>>{{8, 8}, {4, 0}}));
  Frames(22);
  painter.Calls.clear();
  Frames(1);
  EXPECT_EQ(painter.PatternOfCell(4, 0), 0);
  EXPECT_TRUE(framed().empty());
}

}  // namespace
}  // namespace marblix::testing
