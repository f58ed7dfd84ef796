// A small column-major 2-D array for the board's per-cell tables, indexed (x, y).
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace marblix {

template <typename T>
class TBoardGrid {
 public:
  // Sizes the grid to width by height and fills it with T{}.
  void Resize(int width, int height) {
    FWidth = std::max(width, 0);
    FHeight = std::max(height, 0);
    FData.assign(static_cast<std::size_t>(FWidth) * static_cast<std::size_t>(FHeight), T{});
  }

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < FWidth && y < FHeight; }

  // A position outside the grid reaches a spare element (reset on every such access), so a
  // stray index never reads or writes outside the table.
  T& operator()(int x, int y) {
    if (!Contains(x, y)) return Spare();
    return FData[Index(x, y)];
  }
  const T& operator()(int x, int y) const {
    if (!Contains(x, y)) return Spare();
    return FData[Index(x, y)];
  }

  void Fill(const T& value) { std::fill(FData.begin(), FData.end(), value); }

  auto begin() { return FData.begin(); }
  auto end() { return FData.end(); }
  auto begin() const { return FData.begin(); }
  auto end() const { return FData.end(); }

 private:
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(x) * static_cast<std::size_t>(FHeight) +
           static_cast<std::size_t>(y);
  }
  T& Spare() const {
    FSpare = T{};
    return FSpare;
  }

  int FWidth = 0;
  int FHeight = 0;
  std::vector<T> FData;
  mutable T FSpare{};
};

}  // namespace marblix
