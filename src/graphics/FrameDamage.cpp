// Damage between two frames: quad lists, their order-keeping match, and the merge of the
// unmatched quads' rectangles into a few.
#include "graphics/FrameDamage.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

namespace marblix {

namespace {

constexpr size_t None = std::numeric_limits<size_t>::max();

// Neighbouring rectangles merge when the merged one redraws at most this many pixels that neither
// holds: a pass over the frame's draws costs about as much as that.
constexpr int64_t SmallWaste = int64_t{64} * 64;

uint64_t HashBytes(std::span<const uint8_t> bytes) {
  uint64_t hash = 0x243F6A8885A308D3u ^ bytes.size();
  size_t i = 0;
  const auto mix = [&hash](uint64_t word) {
    hash = (hash ^ word) * 0x9E3779B97F4A7C15u;
    hash ^= hash >> 29;
  };
  for (; i + 8 <= bytes.size(); i += 8) {
    uint64_t word = 0;
    std::memcpy(&word, bytes.data() + i, 8);
    mix(word);
  }
  uint64_t tail = 0;
  if (i < bytes.size()) std::memcpy(&tail, bytes.data() + i, bytes.size() - i);
  mix(tail);
  return hash;
}

// Pixels the merged rectangle would redraw that neither of the two holds.
int64_t Waste(const TPixelRect& a, const TPixelRect& b) {
  return Union(a, b).Area() - a.Area() - b.Area() + Intersection(a, b).Area();
}

// Merges one pair: the first pair that overlaps or wastes little, else (when there are more than
// `most`) the pair that wastes least. False when no pair needs merging.
bool MergeOnePair(std::vector<TPixelRect>& rects, size_t most) {
  size_t bestA = None, bestB = None;
  int64_t bestWaste = std::numeric_limits<int64_t>::max();
  for (size_t a = 0; a < rects.size(); ++a) {
    for (size_t b = a + 1; b < rects.size(); ++b) {
      const int64_t waste = Waste(rects[a], rects[b]);
      if (Overlap(rects[a], rects[b]) || waste <= SmallWaste) {
        bestA = a, bestB = b;
        bestWaste = -1;
        break;
      }
      if (waste < bestWaste) bestA = a, bestB = b, bestWaste = waste;
    }
    if (bestWaste < 0) break;
  }
  if (bestA == None || (bestWaste >= 0 && rects.size() <= most)) return false;
  rects[bestA] = Union(rects[bestA], rects[bestB]);
  rects.erase(rects.begin() + static_cast<ptrdiff_t>(bestB));
  return true;
}

// The positions of a list's quads sorted by hash, to find the next quad like a given one.
class TQuadIndex {
 public:
  explicit TQuadIndex(const TQuadList& list) : FList(list) {
    FSorted.reserve(list.Size());
    for (size_t i = 0; i < list.Size(); ++i) FSorted.emplace_back(list.Hash(i), i);
    std::sort(FSorted.begin(), FSorted.end());
  }

  // The first position from `from` on whose quad is quad `j` of `other`, or None.
  size_t NextLike(const TQuadList& other, size_t j, size_t from) const {
    const uint64_t hash = other.Hash(j);
    auto it = std::lower_bound(FSorted.begin(), FSorted.end(), std::pair{hash, from});
    for (; it != FSorted.end() && it->first == hash; ++it)
      if (FList.Same(it->second, other, j)) return it->second;
    return None;
  }

 private:
  const TQuadList& FList;
  std::vector<std::pair<uint64_t, size_t>> FSorted;
};

void AddBounds(const TQuadList& list, size_t from, size_t to, std::vector<TPixelRect>& rects) {
  for (size_t i = from; i < to; ++i) rects.push_back(list.Bounds(i));
}

}  // namespace

TPixelRect Intersection(const TPixelRect& a, const TPixelRect& b) {
  return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
          std::min(a.Bottom, b.Bottom)};
}

TPixelRect Union(const TPixelRect& a, const TPixelRect& b) {
  if (a.Empty()) return b;
  if (b.Empty()) return a;
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
          std::max(a.Bottom, b.Bottom)};
}

bool Overlap(const TPixelRect& a, const TPixelRect& b) {
  return !Intersection(a, b).Empty();
}

void TQuadList::Clear() {
  FHashes.clear();
  FEnds.clear();
  FBytes.clear();
  FBounds.clear();
}

void TQuadList::Add(std::span<const uint8_t> state, std::span<const uint8_t> vertices,
                    const TPixelRect& bounds) {
  const size_t start = FBytes.size();
  FBytes.insert(FBytes.end(), state.begin(), state.end());
  FBytes.insert(FBytes.end(), vertices.begin(), vertices.end());
  FEnds.push_back(FBytes.size());
  FHashes.push_back(HashBytes(std::span(FBytes).subspan(start)));
  FBounds.push_back(bounds);
}

std::span<const uint8_t> TQuadList::Bytes(size_t i) const {
  const size_t start = i == 0 ? 0 : FEnds[i - 1];
  return std::span(FBytes).subspan(start, FEnds[i] - start);
}

bool TQuadList::Same(size_t i, const TQuadList& other, size_t j) const {
  if (FHashes[i] != other.FHashes[j] || FBounds[i] != other.FBounds[j]) return false;
  const std::span<const uint8_t> mine = Bytes(i), theirs = other.Bytes(j);
  return mine.size() == theirs.size() && std::memcmp(mine.data(), theirs.data(), mine.size()) == 0;
}

bool TQuadList::operator==(const TQuadList& other) const {
  return FHashes == other.FHashes && FBounds == other.FBounds && FEnds == other.FEnds &&
         FBytes == other.FBytes;
}

std::vector<TPixelRect> FindDamage(const TQuadList& shown, const TQuadList& next, size_t most) {
  if (shown == next) return {};
  const TQuadIndex shownIndex(shown), nextIndex(next);
  std::vector<TPixelRect> changed;
  size_t i = 0, j = 0;
  // Walk both lists, matching alike quads in order; at a difference, skip the shorter run that
  // leads to the next match (quads added to one list or removed from it).
  while (i < shown.Size() && j < next.Size()) {
    if (shown.Same(i, next, j)) {
      ++i, ++j;
      continue;
    }
    const size_t q = nextIndex.NextLike(shown, i, j + 1);
    const size_t p = shownIndex.NextLike(next, j, i + 1);
    if (q == None && p == None) {
      changed.push_back(shown.Bounds(i++));
      changed.push_back(next.Bounds(j++));
    } else if (p == None || (q != None && q - j <= p - i)) {
      AddBounds(next, j, q, changed);
      j = q;
    } else {
      AddBounds(shown, i, p, changed);
      i = p;
    }
  }
  AddBounds(shown, i, shown.Size(), changed);
  AddBounds(next, j, next.Size(), changed);
  return MergeRects(changed, most);
}

std::vector<TPixelRect> MergeRects(const std::vector<TPixelRect>& rects, size_t most) {
  most = std::max<size_t>(most, 1);
  const size_t room = most * 4;
  std::vector<TPixelRect> merged;
  for (const TPixelRect& rect : rects) {
    if (rect.Empty()) continue;
    size_t best = None;
    int64_t bestWaste = std::numeric_limits<int64_t>::max();
    for (size_t k = 0; k < merged.size(); ++k) {
      const int64_t waste = Waste(merged[k], rect);
      if (waste < bestWaste) best = k, bestWaste = waste;
    }
    if (best != None &&
        (bestWaste <= SmallWaste || Overlap(merged[best], rect) || merged.size() >= room))
      merged[best] = Union(merged[best], rect);
    else
      merged.push_back(rect);
  }
  while (MergeOnePair(merged, most)) {
  }
  return merged;
}

}  // namespace marblix
