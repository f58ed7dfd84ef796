// TGameField: the board, the drops and the preview, the turn cycle, moves, lines, bombs and
// scoring.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "board/BoardGrid.h"
#include "board/BoardPainter.h"
#include "board/BoardServices.h"
#include "board/BoardTypes.h"
#include "board/LineHint.h"
#include "shell/defs.h"

namespace marblix {

// Sentinels of the board's coordinates and of the busy timer.
inline constexpr uint8_t NoSelection = 254;
inline constexpr uint8_t NoHover = 255;
inline constexpr double NoStepRunning = -200.0;
// Timers (in units of 1/15 s).
inline constexpr double AppearTime = 6.75;
inline constexpr double DropTime = 7.0;
inline constexpr double PaintTime = 6.5;
inline constexpr double GameOverRemovalTime = 5.0;
inline constexpr double GameOverStartTime = 1000.0;
inline constexpr double HintTime = 22.5;
inline constexpr double NoLineTime = 30.0;
inline constexpr int PreviewSize = 4;
// FHighlight values.
inline constexpr uint8_t HighlightUnreachable = 255;
// FindPath's result for no path.
inline constexpr uint8_t NoPath = 255;
// FRestLooks value of a cell without a rest animation.
inline constexpr uint8_t NoRestAnimation = 255;
// How many moves can be taken back; older ones are forgotten. A move costs under a kilobyte.
inline constexpr std::size_t UndoDepth = 1000;

class TGameField {
 public:
  // The services and the shell values must outlive the board. Creates a width by height board
  // (the game uses 9 by 9).
  TGameField(TBoardServices services, TShellValues& values, int width = BoardWidth,
             int height = BoardHeight);

  TGameField(const TGameField&) = delete;
  TGameField& operator=(const TGameField&) = delete;

  // ---- Board model and turn cycle ----
  // Sizes the tables (1..9 each way) and zeroes them; FChain 0, no step running, no game over.
  void Create(int width, int height);
  // Empties every cell, zeroes the path map and the marks, deselects, resets the mode button.
  void ClearBoard();
  // Drops count balls (random plain colours, or the preview) unless the board is too full.
  void DropBalls(int count, bool randomColours);
  int CountFree() const;
  bool AnyBall() const;
  // Ends the running animation step once the busy timer has run out.
  void FinishStep();
  // The end of the game-over sequence: the score goes to the table of its mode.
  void FinishGame();

  // ---- Path search and ball movement ----
  // A press (or a release on another cell) at MouseX, MouseY with MouseButton.
  void Click();
  // Number of steps of the shortest path, or NoPath.
  uint8_t FindPath(int fromX, int fromY, int toX, int toY);
  // The cell under the pointer and the path highlight.
  void UpdateHover();

  // ---- Lines, bombs and scoring ----
  uint8_t RemoveLines();
  bool PaintBomb(int x, int y, uint32_t mask);
  bool ExplodeBomb(int x, int y, uint32_t mask);

  // ---- Keyboard cursor and hint ----
  // While shown, the hovered cell is the keyboard cursor's: it is drawn marked and framed.
  void SetKeyCursorShown(bool shown) { FKeyCursorShown = shown; }
  // Marks a move that completes a line for HintTime units, or, when there is none, says so for
  // NoLineTime units (FNoLineTimer); asked during an animation step, it is found when the step has
  // ended. Draws no random number.
  void ShowHint();

  // ---- Taking moves back ----
  // Moves can be taken back one after another to the first of the game (at most UndoDepth of
  // them) until a new game begins or the game ends.
  bool CanUndo() const { return !FHistory.empty() && !FGameOver; }
  // How many moves can be taken back now.
  std::size_t MovesToTakeBack() const { return FGameOver ? 0 : FHistory.size(); }
  // Takes the last move back at once when the board rests, else as soon as the running move, with
  // its lines, drop or blast, has come to rest.
  void RequestUndo();

  // ---- Per frame ----
  // Counts every timer down by elapsed, draws through the painter, runs the turn cycle.
  void UpdateAndDraw(double elapsed);
  // The painter that receives the board's drawing; null draws nothing.
  void SetPainter(IBoardPainter* painter) { FPainter = painter; }

  // The cell of a point of the frame; false when it is off the board.
  bool CellAt(int px, int py, int& x, int& y) const;
  bool OnBoard(int x, int y) const { return x >= 0 && y >= 0 && x <= FMaxX && y <= FMaxY; }

  // ---- State (read and written directly by the shell to save and restore a game) ----
  uint8_t FMaxX = 0;
  uint8_t FMaxY = 0;
  TBoardGrid<uint8_t> FMarks;
  TBoardGrid<double> FCellTimers;
  bool FSelected = false;
  double FBusyTimer = NoStepRunning;
  int32_t FDestX = 0;
  int32_t FDestY = 0;
  int16_t FMoveDirX = 0;
  int16_t FMoveDirY = 0;
  bool FMovePending = false;
  uint8_t FHoverX = NoHover;
  uint8_t FHoverY = NoHover;
  uint8_t FHoverSoundX = NoHover;
  uint8_t FHoverSoundY = NoHover;
  double FBombPhase = 0.0;
  double FHoverTimer = 0.0;
  uint8_t FPaintColour = 0;
  bool FGameOver = false;
  int32_t FNextCount = 0;
  uint8_t FSelX = NoSelection;
  uint8_t FSelY = NoSelection;
  uint8_t FSelLook = 0;
  float FPhase = 0.0f;
  TBoardGrid<TCell> FCells;
  TBoardGrid<float> FPathMap;
  TBoardGrid<uint8_t> FHighlight;
  std::array<TCell, PreviewSize> FPreview{};
  uint8_t FChain = 0;

  // The look of the ball each cell's rest animation was started on, or NoRestAnimation. An
  // animation ends as soon as its cell no longer holds that ball at rest.
  TBoardGrid<uint8_t> FRestLooks;

  // The keyboard cursor, and the hint shown while its timer is above 0.
  bool FKeyCursorShown = false;
  bool FHintWanted = false;
  double FHintTimer = 0.0;
  TBoardMove FHint{};
  // While above 0, the board tells the player that no move makes a line.
  double FNoLineTimer = 0.0;

  // The selected ball's jump sounds: time since the last one and the next entry (0..3).
  float StepSoundTimer = 0.0f;
  uint8_t StepSoundIndex = 0;

 private:
  // Turn cycle.
  void ArriveAtDestination();
  // The board, the preview and the move about to arrive, as the day's game draws from them.
  uint64_t MoveDigest() const;
  void PaintAroundDestination();
  void RestoreExplodingBombs();
  void UpdateNextCount();
  void Deselect();
  TCell PreviewBall();
  TCell RandomPlainBall();

  // Lines.
  bool WindowMatches(int x, int y, int dx, int dy) const;
  void MarkWindow(int x, int y, int dx, int dy);
  // Marks the balls in lines; returns the number of lines (a longer run counts once).
  int FindLines();
  void ThrowBall(int i, int j, int x, int y);

  // Path search.
  void FillSearchMap(int fromX, int fromY);
  void SweepLevel(float level);
  void TraceBack(int toX, int toY, int level);
  void ClearPathMap() { FPathMap.Fill(0.0f); }

  // Taking a move back.
  void TakeSnapshot();
  void PinArrivalSeed();
  void Undo();
  void ForgetUndo();
  void UndoWhenResting();
  bool Resting() const { return FBusyTimer < -100.0 && !FGameOver; }

  // Per frame.
  void CountDownPathMap(double elapsed);
  void CountDownTimers(double elapsed);
  void AdvancePhases(double elapsed);
  void PlayJumpSound();
  void DrawCellBackgrounds();
  void DrawRestingBalls();
  void DrawSelectedBall();
  void UpdateHoveredBall(double elapsed);
  void DrawPreview();
  void UpdateTravellingBall();
  void DrawMarkFrames();
  bool IsMarked(int x, int y) const;
  void StartRestAnimation();
  // Ends every rest animation whose ball has gone from its cell, has changed, is selected or is
  // hidden (travelling away, or appearing).
  void EndStaleRestAnimations();
  // Takes out every animation particle; no rest animation is left running.
  void ClearAllAnimations();
  void RemoveOneBallAtGameOver();

  // Effects.
  void AddBallParticle(uint8_t look, bool appear, float x, float y);
  void PlayLookSound(SoundSlot slot, uint8_t look, uint8_t limit);
  // GameMode as the rules read it: a mode above Professional (from a damaged save) plays as one.
  uint8_t Mode() const;

  // The board as it was when a move started.
  struct TMoveSnapshot {
    TBoardGrid<TCell> Cells;
    std::array<TCell, PreviewSize> Preview{};
    int32_t NextCount = 0;
    uint8_t Chain = 0;
    int32_t Score = 0;
    TGameTally Tally;
    int32_t DestX = 0;
    int32_t DestY = 0;
    bool MovePending = false;
    uint32_t Seed = 0;  // the generator when the move started
    // The generator when the ball arrived: its lines, drop or blast drew from here on.
    std::optional<uint32_t> ArrivalSeed;
  };

  TBoardServices FServices;
  TShellValues& FValues;
  IBoardPainter* FPainter = nullptr;
  // The moves of this game that can be taken back, the last one at the back.
  std::deque<TMoveSnapshot> FHistory;
  // An undo asked for while a move was running; it happens when the board rests.
  bool FUndoPending = false;
  // The seeds the taken-back arrivals drew from, the earliest move's at the back: each following
  // arrival draws from the next one, so the same moves bring the same balls however long the
  // player waited.
  std::vector<uint32_t> FReplaySeeds;
};

}  // namespace marblix
