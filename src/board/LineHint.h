// The hint: a legal move that completes a line, found by pure functions over the cells.
#pragma once

#include <optional>

#include "board/BoardGrid.h"
#include "board/BoardTypes.h"

namespace marblix {

// A ball's move from one cell to another.
struct TBoardMove {
  int FromX = 0, FromY = 0, ToX = 0, ToY = 0;

  friend constexpr bool operator==(const TBoardMove&, const TBoardMove&) = default;
};

// The free cells the ball at (fromX, fromY) can travel to through orthogonally adjacent free
// cells, within the path search's limit of (width - 1) x (height - 1) steps: 1 reachable, 0 not.
TBoardGrid<uint8_t> ReachableFrom(const TBoardGrid<TCell>& cells, int fromX, int fromY);

// True when the move leaves five in a row (any direction) through its target, matched as the
// board matches lines: the masks of all five share a bit. A bomb never completes one: arriving
// next to balls it goes off instead.
bool CompletesLine(const TBoardGrid<TCell>& cells, const TBoardMove& move);

// The first legal move, sources then targets each in the board's scan order (column outer, row
// inner), that completes a line; none when there is no such move. Draws no random number.
std::optional<TBoardMove> FindLineMove(const TBoardGrid<TCell>& cells);

}  // namespace marblix
