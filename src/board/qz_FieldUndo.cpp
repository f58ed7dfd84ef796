// TGameField's undo: the board as each move of the game found it, and taking moves back.
#include "board/qz_Field.h"
#include "shell/defs.h"

namespace marblix {

void TGameField::TakeSnapshot() {
  FHistory.push_back(TMoveSnapshot{.Cells = FCells,
                                   .Preview = FPreview,
                                   .NextCount = FNextCount,
                                   .Chain = FChain,
                                   .Score = FValues.Score,
                                   .Tally = FValues.Tally,
                                   .DestX = FDestX,
                                   .DestY = FDestY,
                                   .MovePending = FMovePending,
                                   .Seed = FValues.RandSeed,
                                   .ArrivalSeed = std::nullopt});
  if (FHistory.size() > UndoDepth) FHistory.pop_front();
  FUndoPending = false;
}

// Called as the ball arrives, before its lines, drop or blast draw anything.
void TGameField::PinArrivalSeed() {
  if (!FReplaySeeds.empty()) {
    FValues.RandSeed = FReplaySeeds.back();
    FReplaySeeds.pop_back();
  }
  if (!FHistory.empty()) FHistory.back().ArrivalSeed = FValues.RandSeed;
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
  const TMoveSnapshot before = std::move(FHistory.back());
  FHistory.pop_back();
  FCells = before.Cells;
  FPreview = before.Preview;
  FNextCount = before.NextCount;
  FChain = before.Chain;
  FValues.Score = before.Score;
  FValues.Tally = before.Tally;
  FDestX = before.DestX;
  FDestY = before.DestY;
  FMovePending = before.MovePending;
  FValues.RandSeed = before.Seed;
  // An undo waits for the move to rest, so its ball has arrived and drawn from ArrivalSeed.
  FReplaySeeds.push_back(before.ArrivalSeed.value_or(before.Seed));
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
  FServices.Keeper.KeepGame();
}

void TGameField::ForgetUndo() {
  FHistory.clear();
  FUndoPending = false;
  FReplaySeeds.clear();
}

}  // namespace marblix
