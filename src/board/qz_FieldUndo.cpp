// TGameField's undo: the board as the last move found it, and taking that move back.
#include "board/qz_Field.h"
#include "shell/defs.h"

namespace marblix {

void TGameField::TakeSnapshot() {
  FUndo = TMoveSnapshot{.Cells = FCells,
                        .Preview = FPreview,
                        .NextCount = FNextCount,
                        .Chain = FChain,
                        .Score = FValues.Score,
                        .DestX = FDestX,
                        .DestY = FDestY,
                        .MovePending = FMovePending,
                        .Seed = FValues.RandSeed,
                        .ArrivalSeed = std::nullopt};
  FUndoPending = false;
}

// Called as the ball arrives, before its lines, drop or blast draw anything.
void TGameField::PinArrivalSeed() {
  if (FReplaySeed) FValues.RandSeed = *FReplaySeed;
  FReplaySeed.reset();
  if (FUndo) FUndo->ArrivalSeed = FValues.RandSeed;
}

void TGameField::RequestUndo() {
  if (!CanUndo()) return;
  FUndoPending = true;
  UndoWhenResting();
}

void TGameField::UndoWhenResting() {
  if (!FUndoPending || !Resting()) return;
  FUndoPending = false;
  if (CanUndo()) Undo();
}

void TGameField::Undo() {
  TMoveSnapshot& before = *FUndo;
  FCells = before.Cells;
  FPreview = before.Preview;
  FNextCount = before.NextCount;
  FChain = before.Chain;
  FValues.Score = before.Score;
  FDestX = before.DestX;
  FDestY = before.DestY;
  FMovePending = before.MovePending;
  FValues.RandSeed = before.Seed;
  FReplaySeed = before.ArrivalSeed;
  FCellTimers.Fill(0.0);
  ClearPathMap();
  FHighlight.Fill(0);
  FMarks.Fill(0);
  FPaintColour = 0;
  FBusyTimer = NoStepRunning;
  Deselect();
  FServices.Sounds.StopEffect(ABombSound);
  // Rest animations and paint belong to balls that may no longer be where they were.
  ClearAllAnimations();
  FHintTimer = 0.0;  // a hint for the board that is gone
  FNoLineTimer = 0.0;
  FHintWanted = false;
  FUndo.reset();
  FServices.Keeper.KeepGame();
}

void TGameField::ForgetUndo() {
  FUndo.reset();
  FUndoPending = false;
  FReplaySeed.reset();
}

}  // namespace marblix
