// The narrow interfaces through which the board reaches particles, sounds, the button bar and the
// high-score table; the game's real objects implement them, the tests record them.
#pragma once

#include <cstdint>
#include <string>

namespace marblix {

// ---- Pictures
// A ball picture the board hands to the particle engine. Look 0..21 and Variant 0..6 name the file
// ".\graphics\balls\<Look + 1>_<Variant>.tga" (Look 21: ".\graphics\balls\bomb_<Variant>.tga").
// Variant 0 is the ball, 1 the selected ball, 2..5 the rest animations, 6 the paint of a colour
// bomb (the paint of colour c, 1..7, is Look c - 1). The board only ever passes Look 0..21.
struct BallPicture {
  uint8_t Look = 0;
  uint8_t Variant = 0;

  friend constexpr bool operator==(const BallPicture&, const BallPicture&) = default;
};

inline constexpr uint8_t BallVariant = 0;
inline constexpr uint8_t SelectedVariant = 1;
inline constexpr uint8_t RestVariant2 = 2;
inline constexpr uint8_t RestVariant3 = 3;
inline constexpr uint8_t RestVariant4 = 4;
inline constexpr uint8_t RestVariant5 = 5;
inline constexpr uint8_t PaintVariant = 6;

inline constexpr BallPicture BallPictureOf(uint8_t look) {
  return {look, BallVariant};
}
inline constexpr BallPicture PaintPictureOf(uint8_t colour) {
  return {static_cast<uint8_t>(colour - 1), PaintVariant};
}

// ---- Particles
// The particle engine's operations the board uses; positions are pixels in the 800 by 600 frame.
class IBoardParticles {
 public:
  virtual ~IBoardParticles() = default;
  // Two pkText particles (shadow, then text); each draws Random(360), shadow first.
  virtual void AddText(const std::string& text, float x, float y) = 0;
  // A pkBall: appearing (growing) when appear is true, else vanishing.
  virtual void AddBall(BallPicture picture, bool appear, float x, float y) = 0;
  // A pkFlyingBall thrown with the given speed (negative vy is upwards).
  virtual void AddFlyingBall(BallPicture picture, float x, float y, float vx, float vy) = 0;
  // A pkExplosion flash.
  virtual void AddExplosion(float x, float y) = 0;
  // A pkAnimation of frames patterns played loops times at speed frames per unit.
  virtual void AddAnimation(BallPicture picture, int frames, float x, float y, float speed,
                            int loops) = 0;
  // Takes out every particle closer than 3 pixels in both directions to (x, y).
  virtual void RemoveNear(float x, float y) = 0;
  // Takes out every pkAnimation particle.
  virtual void ClearAnimations() = 0;
  // Takes out every pkAnimation particle closer than 3 pixels in both directions to (x, y).
  virtual void EndAnimationsNear(float x, float y) = 0;
};

// ---- Sounds
// The named slots of the sound table.
enum class NamedSound : uint8_t {
  s_app,
  s_disapp,
  s_disapp2,
  s_disapp3,
  s_ballmove,
  s_pin,
  s_click,
  s_hover,
  s_press,
  s_paint,
};
inline constexpr int NamedSoundCount = static_cast<int>(NamedSound::s_paint) + 1;

// Which table of the sound table a slot lives in.
enum class SoundTable : uint8_t {
  Named,   // Index is a NamedSound
  Select,  // KindSelectSounds: Index N = Look + 1 (1..23), Sample 0..3 for a..d
  Hover,   // KindHoverSounds: Index N (1..23)
  Blast,   // KindBlastSounds: Index N (1..23)
  Arrive,  // KindArriveSounds: Index N (1..22)
  Vanish,  // KindVanishSounds: Index N (1..22)
};

// One slot of the sound table. Per-look tables are numbered from 1 (N = Look + 1), as in
// sounds.txt, whose names for the slots are in sound/SoundNames.h.
struct SoundSlot {
  SoundTable Table = SoundTable::Named;
  uint8_t Index = 0;
  uint8_t Sample = 0;

  friend constexpr bool operator==(const SoundSlot&, const SoundSlot&) = default;
};

inline constexpr SoundSlot SoundOf(NamedSound name) {
  return {SoundTable::Named, static_cast<uint8_t>(name), 0};
}
inline constexpr SoundSlot SelectSoundOf(uint8_t look, uint8_t sample) {
  return {SoundTable::Select, static_cast<uint8_t>(look + 1), sample};
}
inline constexpr SoundSlot HoverSoundOf(uint8_t look) {
  return {SoundTable::Hover, static_cast<uint8_t>(look + 1), 0};
}
inline constexpr SoundSlot ArriveSoundOf(uint8_t look) {
  return {SoundTable::Arrive, static_cast<uint8_t>(look + 1), 0};
}
inline constexpr SoundSlot VanishSoundOf(uint8_t look) {
  return {SoundTable::Vanish, static_cast<uint8_t>(look + 1), 0};
}
// The three fixed bomb samples: "./sounds/a_bomb.ogg", "./sounds/h_bomb.ogg",
// "./sounds/Bomb_boom.ogg".
inline constexpr SoundSlot ABombSound{SoundTable::Select, 23, 0};
inline constexpr SoundSlot HBombSound{SoundTable::Hover, 23, 0};
inline constexpr SoundSlot BombBoomSound{SoundTable::Blast, 23, 0};

// The sound table's three ways of playing a slot; an empty slot plays nothing.
class IBoardSounds {
 public:
  virtual ~IBoardSounds() = default;
  virtual void PlayEffect(SoundSlot slot) = 0;
  virtual void PlayEffectLooped(SoundSlot slot) = 0;
  virtual void StopEffect(SoundSlot slot) = 0;
};

// ---- Button bar and high-score table
class IModeButtons {
 public:
  virtual ~IModeButtons() = default;
  // Clears every button's selection and selects the button of GameMode (GameMode + 1).
  virtual void SelectModeButton() = 0;
};

class IScoreTable {
 public:
  virtual ~IScoreTable() = default;
  // Places Score in the table of GameMode and opens the name question or the low-score message.
  virtual void PlaceFinalScore() = 0;
};

// ---- The kept game
class IGameKeeper {
 public:
  virtual ~IGameKeeper() = default;
  // The board has come to rest after a move (its lines removed or its drop done), an undo or the
  // end of a game: what the board, the score and the tables hold now is worth keeping.
  virtual void KeepGame() = 0;
};

// Everything the board talks to; the objects outlive the board.
struct TBoardServices {
  IBoardParticles& Particles;
  IBoardSounds& Sounds;
  IModeButtons& Buttons;
  IScoreTable& Scores;
  IGameKeeper& Keeper;
};

}  // namespace marblix
