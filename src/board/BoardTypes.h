// The board's vocabulary: the cell record, the ball kinds, the mask bits and the board geometry.
#pragma once

#include <array>
#include <cstdint>
#include <type_traits>

namespace marblix {

// ---- Board geometry ----------------------------------------------------------------------------
// Cell (x, y) occupies the 51 by 51 square whose top-left corner is at
// (BoardOriginX + CellPitch * x, BoardOriginY + CellPitch * y) in the 800 by 600 frame.
inline constexpr int BoardOriginX = 298;
inline constexpr int BoardOriginY = 26;
inline constexpr int CellPitch = 52;
inline constexpr int CellSize = 51;

// The board the game always plays on, and the largest one TGameField can hold.
inline constexpr int BoardWidth = 9;
inline constexpr int BoardHeight = 9;

// Particles of a cell sit at its centre.
inline constexpr int CellCentreX(int x) {
  return 323 + CellPitch * x;
}
inline constexpr int CellCentreY(int y) {
  return 51 + CellPitch * y;
}

// ---- Mask bits ---------------------------------------------------------------------------------
inline constexpr uint32_t MaskColours = 0x0000007F;        // bits 0..6: colour n is bit n - 1
inline constexpr uint32_t MaskBomb = 0x00010000;           // a bomb
inline constexpr uint32_t MaskBombExploding = 0x00020000;  // a bomb going off in this very blast
inline constexpr uint32_t MaskColourBomb = 0x01000000;     // a colour bomb
inline constexpr uint32_t MaskMultiplier = 0x02000000;  // multiplier joker; multiplier = Mask >> 28

// ---- The cell record ---------------------------------------------------------------------------
// One cell of the board, the preview or the saved game: 8 bytes, Mask then Look.
// Mask 0 is an empty cell; emptying a cell clears Mask only and keeps Look.
struct TCell {
  uint32_t Mask = 0;
  uint32_t Look = 0;  // only the low byte is read: 0..21 names the ball's pictures and sounds

  friend constexpr bool operator==(const TCell&, const TCell&) = default;
};
static_assert(sizeof(TCell) == 8);
static_assert(std::is_trivially_copyable_v<TCell>);
static_assert(std::is_standard_layout_v<TCell>);

// Number of ball looks that have pictures and sounds (0..21); 21 is the bomb.
inline constexpr uint8_t LookCount = 22;
inline constexpr uint8_t BombLook = 21;
// Looks 0..6 are the seven plain colours, the only ones with rest animations.
inline constexpr uint8_t PlainLookCount = 7;

// The look a cell's pictures and sounds are taken from (its low byte).
inline constexpr uint8_t LookOf(const TCell& cell) {
  return static_cast<uint8_t>(cell.Look & 0xFF);
}
// A look read from disk may be anything; only 0..21 has pictures and sounds.
inline constexpr bool IsKnownLook(uint8_t look) {
  return look < LookCount;
}

// ---- Ball kinds --------------------------------------------------------------------------------
// Every ball the game can create; the board copies whole entries into cells and into the preview.
inline constexpr int BallKindCount = 23;
inline constexpr std::array<TCell, BallKindCount> BallKinds{{
    {0x00000000, 255},  // 0: none (empty)
    {0x00000001, 0},    // 1..7: plain colours 1 to 7
    {0x00000002, 1},   {0x00000004, 2},  {0x00000008, 3},  {0x00000010, 4},
    {0x00000020, 5},   {0x00000040, 6},  {0x00000028, 7},  // 8: two-colour ball, colours 4 and 6
    {0x00000005, 8},                                       // 9: two-colour ball, colours 1 and 3
    {0x00000012, 9},                                       // 10: two-colour ball, colours 2 and 5
    {0x0000007F, 10},                                      // 11: joker
    {0x01000001, 11},                                      // 12..18: colour bombs of colours 1 to 7
    {0x01000002, 12},  {0x01000004, 13}, {0x01000008, 14}, {0x01000010, 15},
    {0x01000020, 16},  {0x01000040, 17}, {0x3200007F, 18},  // 19: joker with multiplier 3
    {0x6200007F, 19},                                       // 20: joker with multiplier 6
    {0x9200007F, 20},                                       // 21: joker with multiplier 9
    {0x00010000, 21},                                       // 22: bomb
}};

// Indexes into BallKinds.
inline constexpr int KindNone = 0;
inline constexpr int KindFirstColour = 1;
inline constexpr int KindFirstTwoColour = 8;
inline constexpr int KindJoker = 11;
inline constexpr int KindFirstColourBomb = 12;
inline constexpr int KindJokerX3 = 19;
inline constexpr int KindJokerX6 = 20;
inline constexpr int KindJokerX9 = 21;
inline constexpr int KindBomb = 22;

}  // namespace marblix
