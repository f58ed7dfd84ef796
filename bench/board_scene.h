// The benchmarks' board: 40 balls laid out as one winding corridor, the longest path such a board
// can hold.
#pragma once

#include <cstddef>

#include "board/qz_Field.h"

namespace marblix::bench {

// 40 balls of the plain colours, no line of five: walls in columns 1, 3, 5 and 7 with gaps at
// alternate ends, and column 8 full below its top cell. The free cells form one corridor from
// (0, 0) to (8, 0).
inline void FillForty(TGameField& board) {
  board.ClearBoard();
  const auto put = [&](int x, int y) {
    const int kind = KindFirstColour + (x + 2 * y) % 7;
    board.FCells(x, y) = BallKinds[static_cast<size_t>(kind)];
  };
  for (int wall = 1; wall <= 7; wall += 2) {
    const int gap = (wall / 2) % 2 == 0 ? 8 : 0;
    for (int y = 0; y < BoardHeight; ++y)
      if (y != gap) put(wall, y);
  }
  for (int y = 1; y < BoardHeight; ++y) put(8, y);
}

// The frame coordinates of the middle of a cell.
inline int CellMiddleX(int x) {
  return BoardOriginX + CellPitch * x + 25;
}
inline int CellMiddleY(int y) {
  return BoardOriginY + CellPitch * y + 25;
}

}  // namespace marblix::bench
