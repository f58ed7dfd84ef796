// The damage between two frames' quad lists: what is found changed, and how rectangles merge.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/FrameDamage.h"

namespace marblix {
namespace {

// A quad named by one letter, drawn over a 10 x 10 square whose left edge is 20 pixels per letter.
struct TQuad {
  char Name;
  int Left;
};

TQuadList ListOf(const std::vector<TQuad>& quads) {
  TQuadList list;
  for (const TQuad& quad : quads) {
    const auto* name = reinterpret_cast<const uint8_t*>(&quad.Name);
    list.Add({name, 1}, {}, {quad.Left, 0, quad.Left + 10, 10});
  }
  return list;
}

TEST(FrameDamage, FindsTheQuadsThatChangeOrMoveInTheOrder) {
  const std::vector<TQuad> shown{{'a', 0}, {'b', 20}, {'c', 40}, {'d', 60}};
  struct TCase {
    std::string What;
    std::vector<TQuad> Next;
    std::vector<TPixelRect> Redrawn;  // must be redrawn
    int64_t Area;                     // of all that is redrawn
  };
  const std::vector<TCase> cases{
      {"alike", shown, {}, 0},
      {"one changed", {{'a', 0}, {'x', 20}, {'c', 40}, {'d', 60}}, {{20, 0, 30, 10}}, 100},
      {"one added",
       {{'a', 0}, {'n', 100}, {'b', 20}, {'c', 40}, {'d', 60}},
       {{100, 0, 110, 10}},
       100},
      {"one removed", {{'a', 0}, {'c', 40}, {'d', 60}}, {{20, 0, 30, 10}}, 100},
      // Overlapping quads drawn in the other order blend otherwise: one of the two is redrawn.
      {"two swapped", {{'a', 0}, {'c', 40}, {'b', 20}, {'d', 60}}, {}, 100},
      {"one moved",
       {{'a', 0}, {'b', 2000}, {'c', 40}, {'d', 60}},
       {{20, 0, 30, 10}, {2000, 0, 2010, 10}},
       200},
  };
  for (const TCase& c : cases) {
    const std::vector<TPixelRect> damage = FindDamage(ListOf(shown), ListOf(c.Next), 8);
    int64_t area = 0;
    for (const TPixelRect& rect : damage) area += rect.Area();
    EXPECT_EQ(area, c.Area) << c.What << ": only what changed is redrawn";
    for (const TPixelRect& rect : c.Redrawn) {
      bool held = false;
      for (const TPixelRect& found : damage) held |= Intersection(found, rect) == rect;
      EXPECT_TRUE(held) << c.What << ": the quad at " << rect.Left << " is not redrawn";
    }
  }
}

TEST(FrameDamage, MergesIntoFewRectanglesThatDoNotOverlap) {
  std::vector<TPixelRect> rects;
  rects.reserve(41);
  for (int i = 0; i < 40; ++i)
    rects.push_back({i * 37 % 700, i * 53 % 500, i * 37 % 700 + 30, i * 53 % 500 + 20});
  rects.push_back({5, 5, 6, 6});  // inside the first
  for (size_t most : {1u, 3u, 8u}) {
    const std::vector<TPixelRect> merged = MergeRects(rects, most);
    ASSERT_LE(merged.size(), most);
    for (size_t a = 0; a < merged.size(); ++a)
      for (size_t b = a + 1; b < merged.size(); ++b)
        EXPECT_FALSE(Overlap(merged[a], merged[b])) << most << ": " << a << " and " << b;
    for (const TPixelRect& rect : rects) {
      int64_t covered = 0;
      for (const TPixelRect& m : merged) covered += Intersection(m, rect).Area();
      EXPECT_EQ(covered, rect.Area()) << most << ": every rectangle stays covered";
    }
  }
  EXPECT_EQ(MergeRects({{0, 0, 10, 10}, {500, 500, 510, 510}}, 8).size(), 2u) << "far apart";
}

}  // namespace
}  // namespace marblix
