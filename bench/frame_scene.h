// The measured game-screen scene: 40 balls, a selected ball with its path, a line's particles and
// the exit question open over the board, set up on a game window that has finished loading.
#pragma once

#include <functional>

#include "board_scene.h"
#include "shell/defs.h"
#include "shell/form.h"

namespace marblix::bench {

// A line of five vanishes in column 8 and is put back: its balls' particles and score text stay in
// the particle engine for a while.
inline void AddLineParticles(TForm1& form) {
  TGameField& board = *form.Board;
  const TBoardGrid<TCell> before = board.FCells;
  for (int y = 4; y <= 8; ++y) board.FCells(8, y) = BallKinds[KindFirstColour];
  board.RemoveLines();
  board.FCells = before;
}

// Waits (frame by frame) for the board to settle, then lays out the scene.
inline void ArrangeFrameScene(TForm1& form, const std::function<void()>& frame) {
  for (int i = 0; i < 200 && form.Board->FBusyTimer > NoStepRunning; ++i) frame();
  FillForty(*form.Board);
  form.Board->FNextCount = 3;
  form.FormMouseMove(CellMiddleX(8), CellMiddleY(1));
  form.FormMouseDown(0, CellMiddleX(8), CellMiddleY(1));
  form.FormMouseUp(0, CellMiddleX(8), CellMiddleY(1));
  form.FormMouseMove(CellMiddleX(0), CellMiddleY(0));
  AddLineParticles(form);
  form.Shell.OpenDialog(ExitDialog);
}

inline bool OnGameScreen(const TShellValues& values) {
  return (values.ScreenState & GameScreen) != 0;
}

}  // namespace marblix::bench
