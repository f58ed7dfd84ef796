// A seeded bot that plays the board through clicks until the game is over.
#pragma once

#include <cstdint>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "BoardDoubles.h"

namespace marblix::testing {

// The bot's own generator, so that its choices never touch the game's.
class BotChoices {
 public:
  explicit BotChoices(uint64_t seed) : FState(seed * 2654435761u + 1) {}
  uint32_t Next(uint32_t n) {
    FState ^= FState << 13;
    FState ^= FState >> 7;
    FState ^= FState << 17;
    return static_cast<uint32_t>(FState % n);
  }
  template <typename T>
  void Shuffle(std::vector<T>& items) {
    for (size_t i = items.size(); i > 1; --i) std::swap(items[i - 1], items[Next(i)]);
  }

 private:
  uint64_t FState;
};

// Every call's details, so that two games can be compared call by call.
inline std::string Fingerprint(const RecordingServices& services) {
  std::ostringstream out;
  for (const ServiceCall& c : services.Calls) {
    out << c.Op << ' ' << SoundSlotName(c.Slot) << ' ' << int(c.Picture.Look) << '/'
        << int(c.Picture.Variant) << ' ' << c.X << ',' << c.Y << ' ' << c.VX << ',' << c.VY << ' '
        << c.Text << ' ' << c.Score << '\n';
  }
  return out.str();
}

// The empty cells a ball at (x, y) can reach through empty neighbours.
inline std::vector<std::pair<int, int>> Reachable(TGameField& board, int x, int y) {
  std::vector<std::pair<int, int>> found, todo{{x, y}};
  std::vector<bool> seen(
      static_cast<size_t>(board.FMaxX + 1) * static_cast<size_t>(board.FMaxY + 1), false);
  const auto index = [&](int i, int j) { return i * (board.FMaxY + 1) + j; };
  seen[index(x, y)] = true;
  while (!todo.empty()) {
    auto [cx, cy] = todo.back();
    todo.pop_back();
    for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
      const int nx = cx + dx, ny = cy + dy;
      if (!board.OnBoard(nx, ny) || seen[index(nx, ny)] || board.FCells(nx, ny).Mask) continue;
      seen[index(nx, ny)] = true;
      found.emplace_back(nx, ny);
      todo.emplace_back(nx, ny);
    }
  }
  return found;
}

// How many balls sharing a colour with `mask` the cell (x, y) would join in its best direction.
inline int RunThrough(TGameField& board, int x, int y, uint32_t mask, int skipX, int skipY) {
  int best = 0;
  for (auto [dx, dy] : {std::pair{1, 0}, {0, 1}, {1, 1}, {1, -1}}) {
    int run = 1;
    for (int sign : {1, -1}) {
      for (int k = 1; k < 5; ++k) {
        const int nx = x + sign * k * dx, ny = y + sign * k * dy;
        if (!board.OnBoard(nx, ny) || (nx == skipX && ny == skipY)) break;
        if ((board.FCells(nx, ny).Mask & mask) == 0) break;
        ++run;
      }
    }
    best = std::max(best, run);
  }
  return best;
}

// Selects a ball and moves it, through clicks, to the reachable empty cell where it joins the
// longest run of its colour (ties by the bot's shuffled order); false when no ball can move.
inline bool BotMove(TGameField& board, BotChoices& bot,
                    const std::function<void(int, int, int)>& click) {
  std::vector<std::pair<int, int>> balls;
  for (int x = 0; x <= board.FMaxX; ++x)
    for (int y = 0; y <= board.FMaxY; ++y)
      if (board.FCells(x, y).Mask) balls.emplace_back(x, y);
  bot.Shuffle(balls);
  int best = -1, fromX = 0, fromY = 0, toX = 0, toY = 0;
  for (auto [bx, by] : balls) {
    auto holes = Reachable(board, bx, by);
    bot.Shuffle(holes);
    for (auto [hx, hy] : holes) {
      const int run = RunThrough(board, hx, hy, board.FCells(bx, by).Mask, bx, by);
      if (run > best) best = run, fromX = bx, fromY = by, toX = hx, toY = hy;
    }
  }
  if (best < 0) return false;
  click(fromX, fromY, 0);
  click(toX, toY, 0);
  return board.FMovePending;
}

}  // namespace marblix::testing
