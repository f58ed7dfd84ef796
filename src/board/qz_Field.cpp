// TGameField's model and turn cycle: creation, clearing, drops and the preview, the end of each
// step.
#include "board/qz_Field.h"

#include <algorithm>
#include <optional>

#include "board/DayGame.h"
#include "shell/defs.h"

namespace marblix {

TGameField::TGameField(TBoardServices services, TShellValues& values, int width, int height)
    : FServices(services), FValues(values) {
  Create(width, height);
}

void TGameField::Create(int width, int height) {
  width = std::clamp(width, 1, BoardWidth);
  height = std::clamp(height, 1, BoardHeight);
  FMaxX = static_cast<uint8_t>(width - 1);
  FMaxY = static_cast<uint8_t>(height - 1);
  FMarks.Resize(width, height);
  FCellTimers.Resize(width, height);
  FCells.Resize(width, height);
  FPathMap.Resize(width, height);
  FHighlight.Resize(width, height);
  FRestLooks.Resize(width, height);
  FRestLooks.Fill(NoRestAnimation);
  FChain = 0;
  FBusyTimer = NoStepRunning;
  FGameOver = false;
}

void TGameField::ClearBoard() {
  for (TCell& cell : FCells) cell.Mask = 0;
  ClearPathMap();
  FMarks.Fill(0);
  FSelected = false;
  FServices.Buttons.SelectModeButton();
  FChain = 0;
  FHintTimer = 0.0;
  FNoLineTimer = 0.0;
  FHintWanted = false;
  ForgetUndo();
  EndStaleRestAnimations();
}

int TGameField::CountFree() const {
  return static_cast<int>(
      std::count_if(FCells.begin(), FCells.end(), [](const TCell& c) { return c.Mask == 0; }));
}

bool TGameField::AnyBall() const {
  return std::any_of(FCells.begin(), FCells.end(), [](const TCell& c) { return c.Mask != 0; });
}

uint8_t TGameField::Mode() const {
  return std::min<uint8_t>(FValues.GameMode, ModeProfessional);
}

// ---- Drops -------------------------------------------------------------------------------------

TCell TGameField::RandomPlainBall() {
  const uint32_t colours = Mode() == ModeKids ? 7 : 6;
  return BallKinds[KindFirstColour + FValues.Random(colours)];
}

void TGameField::DropBalls(int count, bool randomColours) {
  if (CountFree() < Mode() + 3) {
    FGameOver = true;
    ForgetUndo();
    ClearAllAnimations();
    FBusyTimer = GameOverStartTime;
    return;
  }
  // The day's game opens with the day's balls.
  std::optional<TSeedScope> dayDraws;
  if (randomColours && FValues.DailyDay != 0)
    dayDraws.emplace(FValues, OpeningSeedOf(FValues.DailyDay));
  // The preview holds four balls; a count from a damaged save never reads past it, and a drop
  // never waits for a free cell that is not there.
  if (!randomColours) count = std::min(count, PreviewSize);
  for (int placed = 0; placed < count && CountFree() > 0;) {
    const int x = static_cast<int>(FValues.Random(FMaxX + 1u));
    const int y = static_cast<int>(FValues.Random(FMaxY + 1u));
    if (FCells(x, y).Mask != 0) continue;
    const TCell ball = randomColours ? RandomPlainBall() : FPreview[placed];
    FCells(x, y) = ball;
    FCellTimers(x, y) = AppearTime;
    AddBallParticle(LookOf(ball), true, CellCentreX(x), CellCentreY(y));
    ++placed;
  }
  FServices.Sounds.PlayEffect(SoundOf(NamedSound::s_app));
  for (TCell& next : FPreview) next = PreviewBall();
  FBusyTimer = DropTime;
  FMovePending = false;
}

namespace {

// The thresholds of one mode's odds table: d up to each bound picks that kind of ball.
struct PreviewOdds {
  int Colours;      // plain colours drawn from
  uint32_t Plain;   // 0..Plain: a plain colour
  uint32_t Bomb;    // ..Bomb: the bomb (equal to Plain when the mode has none)
  uint32_t Two;     // ..Two: a two-colour ball
  uint32_t Joker;   // ..Joker: the joker
  uint32_t Colour;  // ..Colour: a colour bomb (equal to Joker when the mode has none)
  int ColourBombs;  // colours of colour bombs drawn from
};

constexpr std::array<PreviewOdds, 3> OddsByMode{{
    {6, 200, 200, 245, 255, 255, 0},  // Kids
    {6, 201, 207, 222, 232, 253, 6},  // Normal
    {7, 220, 227, 240, 245, 253, 7},  // Professional
}};

int MultiplierJoker(TShellValues& values) {
  const uint32_t r = values.Random(16);
  if (r <= 11) return KindJokerX3;
  if (r <= 14) return KindJokerX6;
  return KindJokerX9;
}

}  // namespace

TCell TGameField::PreviewBall() {
  const PreviewOdds& odds = OddsByMode[Mode()];
  const uint32_t d = FValues.Random(256);
  int kind = 0;
  if (d <= odds.Plain) {
    kind = KindFirstColour + static_cast<int>(FValues.Random(static_cast<uint32_t>(odds.Colours)));
  } else if (d <= odds.Bomb) {
    kind = KindBomb;
  } else if (d <= odds.Two) {
    kind = KindFirstTwoColour + static_cast<int>(FValues.Random(3));
  } else if (d <= odds.Joker) {
    kind = KindJoker;
  } else if (d <= odds.Colour) {
    kind = KindFirstColourBomb +
           static_cast<int>(FValues.Random(static_cast<uint32_t>(odds.ColourBombs)));
  } else {
    kind = MultiplierJoker(FValues);
  }
  return BallKinds[kind];
}

// ---- The end of a step
// ---------------------------------------------------------------------------

void TGameField::FinishStep() {
  if (FBusyTimer > 0.0 || FBusyTimer < -100.0) return;
  FServices.Sounds.StopEffect(SoundOf(NamedSound::s_ballmove));
  FBusyTimer = NoStepRunning;
  if (FGameOver) {
    FinishGame();
    FGameOver = false;
  } else {
    if (FPaintColour != 0) PaintAroundDestination();
    if (!FMovePending) RemoveLines();
    if (FMovePending) ArriveAtDestination();
    Deselect();
  }
  if (Resting()) FServices.Keeper.KeepGame();
}

void TGameField::PaintAroundDestination() {
  const uint8_t colour = std::min<uint8_t>(FPaintColour, 7);
  for (int i = FDestX - 1; i <= FDestX + 1; ++i) {
    for (int j = FDestY - 1; j <= FDestY + 1; ++j) {
      if (!OnBoard(i, j) || (i == FDestX && j == FDestY)) continue;
      if (FCells(i, j).Mask != 0) FCells(i, j) = BallKinds[colour];
    }
  }
  FPaintColour = 0;
}

uint64_t TGameField::MoveDigest() const {
  TDigest digest;
  for (const TCell& cell : FCells) {
    // An empty cell keeps the look of its last ball, which the board's history decides.
    digest.Add(cell.Mask);
    digest.Add(cell.Mask != 0 ? LookOf(cell) : 0u);
  }
  for (const TCell& next : FPreview) {
    digest.Add(next.Mask);
    digest.Add(LookOf(next));
  }
  for (const int value : {int{FSelX}, int{FSelY}, FDestX, FDestY, FNextCount})
    digest.Add(static_cast<uint32_t>(value));
  return digest.Value();
}

void TGameField::ArriveAtDestination() {
  // On the day's board, what the move brings depends on the board and the move alone.
  const uint64_t digest = FValues.DailyDay != 0 ? MoveDigest() : 0;
  PinArrivalSeed();
  std::optional<TSeedScope> dayDraws;
  if (FValues.DailyDay != 0) dayDraws.emplace(FValues, ArrivalSeedOf(FValues.DailyDay, digest));
  FValues.GameUnderWay = true;
  ++FValues.Tally.Moves;
  const TCell ball = FCells(FSelX, FSelY);
  FCells(FDestX, FDestY) = ball;
  PlayLookSound(ArriveSoundOf(LookOf(ball)), LookOf(ball), LookCount);
  FCells(FSelX, FSelY).Mask = 0;

  const bool paint = PaintBomb(FDestX, FDestY, FCells(FDestX, FDestY).Mask);
  const bool boom = ExplodeBomb(FDestX, FDestY, FCells(FDestX, FDestY).Mask);
  RestoreExplodingBombs();

  if (RemoveLines() > 0) {
    ++FChain;
    FValues.Tally.LongestChain = std::max<uint32_t>(FValues.Tally.LongestChain, FChain);
    return;
  }
  if (!paint && !boom) DropBalls(FNextCount, false);
  UpdateNextCount();
  FChain = 0;
}

void TGameField::RestoreExplodingBombs() {
  for (TCell& cell : FCells)
    if (cell.Mask == MaskBombExploding) cell.Mask = MaskBomb;
}

void TGameField::UpdateNextCount() {
  const int free = CountFree();
  const int cells = FMaxX * FMaxY;
  FNextCount = Mode() + 2;
  if (free < cells / 2) --FNextCount;
  if (free < cells / 4 && Mode() != ModeKids) --FNextCount;
}

void TGameField::Deselect() {
  FSelected = false;
  FSelX = NoSelection;
  FSelY = NoSelection;
}

void TGameField::FinishGame() {
  ClearBoard();
  FValues.GameUnderWay = false;
  FServices.Scores.PlaceFinalScore();
  FValues.Score = 0;
  ClearAllAnimations();
  FValues.ScoreTablePage = Mode();
  FValues.ReturnState = MenuScreen;
}

// ---- Effects
// -------------------------------------------------------------------------------------

void TGameField::AddBallParticle(uint8_t look, bool appear, float x, float y) {
  if (IsKnownLook(look)) FServices.Particles.AddBall(BallPictureOf(look), appear, x, y);
}

void TGameField::PlayLookSound(SoundSlot slot, uint8_t look, uint8_t limit) {
  if (look < limit) FServices.Sounds.PlayEffect(slot);
}

}  // namespace marblix
