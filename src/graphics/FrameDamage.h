// Damage between two frames: a frame's quads as a device compares them with the frame it showed
// before, and the few rectangles in which the two differ.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace marblix {

// The pixels from (Left, Top) up to, not including, (Right, Bottom); top row 0.
struct TPixelRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  bool Empty() const { return Right <= Left || Bottom <= Top; }
  int64_t Area() const { return Empty() ? 0 : int64_t(Right - Left) * int64_t(Bottom - Top); }
  bool operator==(const TPixelRect&) const = default;
};

TPixelRect Intersection(const TPixelRect& a, const TPixelRect& b);
// The smallest rectangle holding both (an empty one adds nothing).
TPixelRect Union(const TPixelRect& a, const TPixelRect& b);
bool Overlap(const TPixelRect& a, const TPixelRect& b);

// The quads of one frame in drawing order. Each holds the bytes of everything its pixels depend on
// (the draw's state and the quad's vertices) and the rectangle of pixels it may touch; two quads
// alike in both draw the same pixels.
class TQuadList {
 public:
  void Clear();
  // The quad's bytes are its state's followed by its vertices'.
  void Add(std::span<const uint8_t> state, std::span<const uint8_t> vertices,
           const TPixelRect& bounds);
  size_t Size() const { return FBounds.size(); }
  uint64_t Hash(size_t i) const { return FHashes[i]; }
  const TPixelRect& Bounds(size_t i) const { return FBounds[i]; }
  bool Same(size_t i, const TQuadList& other, size_t j) const;
  bool operator==(const TQuadList& other) const;

 private:
  std::span<const uint8_t> Bytes(size_t i) const;

  std::vector<uint64_t> FHashes;
  std::vector<size_t> FEnds;  // where each quad's bytes end in FBytes
  std::vector<uint8_t> FBytes;
  std::vector<TPixelRect> FBounds;
};

// The rectangles, at most `most` and none overlapping another, that hold every quad of `shown` and
// of `next` that the other frame does not draw alike in the same order. Outside them each pixel
// is drawn by the same quads in the same order in both frames. Empty when the frames are alike.
std::vector<TPixelRect> FindDamage(const TQuadList& shown, const TQuadList& next, size_t most);

// At most `most` rectangles, none overlapping another, holding all of `rects`; neighbours merge
// where that redraws little more than they hold.
std::vector<TPixelRect> MergeRects(const std::vector<TPixelRect>& rects, size_t most);

}  // namespace marblix
