// The hint's search: reachable cells by breadth-first search, and the line test of a move.
#include "board/LineHint.h"

#include <algorithm>
#include <array>
#include <deque>

namespace marblix {
namespace {

constexpr int LineLength = 5;

struct TStep {
  int X, Y;
};

// A bomb arriving next to balls goes off; alone it cannot stand in a line. A colour bomb scores
// the line it completes before it paints.
bool IsPlainBomb(uint32_t mask) {
  return (mask & MaskBomb) != 0 && (mask & MaskColourBomb) == 0;
}

// The mask of a cell as it is once the move has been made.
uint32_t MaskAfter(const TBoardGrid<TCell>& cells, const TBoardMove& move, int x, int y) {
  if (x == move.ToX && y == move.ToY) return cells(move.FromX, move.FromY).Mask;
  if (x == move.FromX && y == move.FromY) return 0;
  return cells(x, y).Mask;
}

// Whether some window of five along (dx, dy), lying on the board, holds the target and matches.
bool LineAlong(const TBoardGrid<TCell>& cells, const TBoardMove& move, int dx, int dy) {
  for (int start = -(LineLength - 1); start <= 0; ++start) {
    uint32_t common = ~0u;
    for (int k = start; k < start + LineLength && common != 0; ++k) {
      const int x = move.ToX + k * dx, y = move.ToY + k * dy;
      common = cells.Contains(x, y) ? common & MaskAfter(cells, move, x, y) : 0;
    }
    if (common != 0) return true;
  }
  return false;
}

}  // namespace

TBoardGrid<uint8_t> ReachableFrom(const TBoardGrid<TCell>& cells, int fromX, int fromY) {
  TBoardGrid<uint8_t> reachable;
  reachable.Resize(cells.Width(), cells.Height());
  TBoardGrid<int> distance;
  distance.Resize(cells.Width(), cells.Height());
  const int limit = (cells.Width() - 1) * (cells.Height() - 1);
  static constexpr std::array<TStep, 4> Neighbours{{{1, 0}, {-1, 0}, {0, 1}, {0, -1}}};
  std::deque<TStep> open{{fromX, fromY}};
  distance(fromX, fromY) = -1;  // the start is no target
  while (!open.empty()) {
    const TStep at = open.front();
    open.pop_front();
    const int next = std::max(distance(at.X, at.Y), 0) + 1;
    if (next > limit) continue;
    for (const TStep& d : Neighbours) {
      const int x = at.X + d.X, y = at.Y + d.Y;
      if (!cells.Contains(x, y) || cells(x, y).Mask != 0 || distance(x, y) != 0) continue;
      distance(x, y) = next;
      reachable(x, y) = 1;
      open.push_back({x, y});
    }
  }
  return reachable;
}

bool CompletesLine(const TBoardGrid<TCell>& cells, const TBoardMove& move) {
  const uint32_t mask = cells(move.FromX, move.FromY).Mask;
  if (mask == 0 || IsPlainBomb(mask)) return false;
  return LineAlong(cells, move, 1, 0) || LineAlong(cells, move, 0, 1) ||
         LineAlong(cells, move, 1, 1) || LineAlong(cells, move, 1, -1);
}

std::optional<TBoardMove> FindLineMove(const TBoardGrid<TCell>& cells) {
  for (int fx = 0; fx < cells.Width(); ++fx) {
    for (int fy = 0; fy < cells.Height(); ++fy) {
      const uint32_t mask = cells(fx, fy).Mask;
      if (mask == 0 || IsPlainBomb(mask)) continue;
      const TBoardGrid<uint8_t> reachable = ReachableFrom(cells, fx, fy);
      for (int tx = 0; tx < cells.Width(); ++tx) {
        for (int ty = 0; ty < cells.Height(); ++ty) {
          const TBoardMove move{fx, fy, tx, ty};
          if (reachable(tx, ty) != 0 && CompletesLine(cells, move)) return move;
        }
      }
    }
  }
  return std::nullopt;
}

}  // namespace marblix
