// TGameField's marks over the cells: the keyboard cursor and the hint.
#include "board/qz_Field.h"

namespace marblix {

namespace {
constexpr uint32_t CursorFrameColour = 0xF0FFFFFF;  // white
constexpr uint32_t HintFrameColour = 0xFF00C8FF;    // amber (alpha, blue, green, red)
}  // namespace

void TGameField::ShowHint() {
  FHintWanted = FBusyTimer > 0.0 && !FGameOver;
  if (FHintWanted || FGameOver) return;
  const std::optional<TBoardMove> move = FindLineMove(FCells);
  FHintTimer = move ? HintTime : 0.0;
  FNoLineTimer = move ? 0.0 : NoLineTime;
  if (move) FHint = *move;
}

bool TGameField::IsMarked(int x, int y) const {
  const bool cursor = FKeyCursorShown && x == FHoverX && y == FHoverY;
  const bool hinted = FHintTimer > 0.0 && ((x == FHint.FromX && y == FHint.FromY) ||
                                           (x == FHint.ToX && y == FHint.ToY));
  return cursor || hinted;
}

void TGameField::DrawMarkFrames() {
  if (!FPainter) return;
  if (FHintTimer > 0.0) {
    FPainter->DrawCellFrame(FHint.FromX, FHint.FromY, HintFrameColour);
    FPainter->DrawCellFrame(FHint.ToX, FHint.ToY, HintFrameColour);
  }
  if (FKeyCursorShown && OnBoard(FHoverX, FHoverY))
    FPainter->DrawCellFrame(FHoverX, FHoverY, CursorFrameColour);
}

}  // namespace marblix
