// Recording doubles of the board's services and a fixture holding a 9 by 9 board wired to them.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "board/qz_Field.h"
#include "shell/defs.h"
#include "sound/SoundNames.h"

namespace marblix::testing {

// One call the board made, in the order made, across all services.
struct ServiceCall {
  std::string Op;  // "AddText", "AddBall", "PlayEffect", "SelectModeButton", ...
  BallPicture Picture{};
  bool Appear = false;
  float X = 0, Y = 0, VX = 0, VY = 0, Speed = 0;
  int Frames = 0, Loops = 0;
  std::string Text;
  SoundSlot Slot{};
  int32_t Score = 0;  // PlaceFinalScore: the score it found
};

class RecordingServices final : public IBoardParticles,
                                public IBoardSounds,
                                public IModeButtons,
                                public IScoreTable,
                                public IGameKeeper {
 public:
  // The values whose generator the text particles draw from and whose Score a placing records.
  explicit RecordingServices(TShellValues& shellValues) : values(shellValues) {}

  TShellValues& values;
  std::vector<ServiceCall> Calls;

  // Like the real engine, each text particle draws Random(360): the shadow first, then the text.
  void AddText(const std::string& text, float x, float y) override {
    values.Random(360);
    values.Random(360);
    ServiceCall& c = Record("AddText", x, y);
    c.Text = text;
  }
  void AddBall(BallPicture picture, bool appear, float x, float y) override {
    ServiceCall& c = Record("AddBall", x, y);
    c.Picture = picture;
    c.Appear = appear;
  }
  void AddFlyingBall(BallPicture picture, float x, float y, float vx, float vy) override {
    ServiceCall& c = Record("AddFlyingBall", x, y);
    c.Picture = picture;
    c.VX = vx;
    c.VY = vy;
  }
  void AddExplosion(float x, float y) override { Record("AddExplosion", x, y); }
  void AddAnimation(BallPicture picture, int frames, float x, float y, float speed,
                    int loops) override {
    ServiceCall& c = Record("AddAnimation", x, y);
    c.Picture = picture;
    c.Frames = frames;
    c.Speed = speed;
    c.Loops = loops;
  }
  void RemoveNear(float x, float y) override { Record("RemoveNear", x, y); }
  void ClearAnimations() override { Record("ClearAnimations"); }
  void EndAnimationsNear(float x, float y) override { Record("EndAnimationsNear", x, y); }

  void PlayEffect(SoundSlot slot) override { Record("PlayEffect").Slot = slot; }
  void PlayEffectLooped(SoundSlot slot) override { Record("PlayEffectLooped").Slot = slot; }
  void StopEffect(SoundSlot slot) override { Record("StopEffect").Slot = slot; }

  void SelectModeButton() override { Record("SelectModeButton"); }
  void PlaceFinalScore() override { Record("PlaceFinalScore").Score = values.Score; }
  void KeepGame() override { Record("KeepGame"); }

  // ---- Queries ----
  std::vector<ServiceCall> Of(const std::string& op) const {
    std::vector<ServiceCall> out;
    std::copy_if(Calls.begin(), Calls.end(), std::back_inserter(out),
                 [&](const ServiceCall& c) { return c.Op == op; });
    return out;
  }
  int Count(const std::string& op) const { return static_cast<int>(Of(op).size()); }
  // The names of the sounds played (once), in order.
  std::vector<std::string> Played() const {
    std::vector<std::string> out;
    for (const ServiceCall& c : Of("PlayEffect")) out.push_back(SoundSlotName(c.Slot));
    return out;
  }
  // "Op" or "Op name" for sounds, in order: a compact trace of everything.
  std::vector<std::string> Trace() const {
    std::vector<std::string> out;
    for (const ServiceCall& c : Calls) {
      const bool sound = c.Op == "PlayEffect" || c.Op == "PlayEffectLooped" || c.Op == "StopEffect";
      out.push_back(sound ? c.Op + " " + SoundSlotName(c.Slot) : c.Op);
    }
    return out;
  }
  void Clear() { Calls.clear(); }

 private:
  ServiceCall& Record(const std::string& op, float x = 0, float y = 0) {
    ServiceCall& c = Calls.emplace_back();
    c.Op = op;
    c.X = x;
    c.Y = y;
    return c;
  }
};

// A fresh 9 by 9 board on the game screen, fresh shell values, a fixed seed.
class BoardTest : public ::testing::Test {
 protected:
  TShellValues values;
  RecordingServices services{values};
  TGameField board{TBoardServices{services, services, services, services, services}, values};

  void SetUp() override {
    values.ScreenState = GameScreen;
    values.MeasuredFps = 0;  // no rest animations unless a test asks for them
    values.RandSeed = 12345;
  }

  void Put(int x, int y, int kind) { board.FCells(x, y) = BallKinds[kind]; }
  void PutMask(int x, int y, uint32_t mask, uint32_t look) { board.FCells(x, y) = {mask, look}; }
  uint32_t MaskAt(int x, int y) { return board.FCells(x, y).Mask; }

  // Puts the pointer in the middle of a cell.
  void PointAt(int x, int y) {
    values.MouseX = BoardOriginX + CellPitch * x + 25;
    values.MouseY = BoardOriginY + CellPitch * y + 25;
  }
  void ClickCell(int x, int y, int button = 0) {
    PointAt(x, y);
    values.MouseButton = button;
    board.Click();
    values.MouseButton = 0;
  }
  // Selects (x, y) and moves it to (tx, ty); returns the path's steps as the busy timer shows.
  double Move(int x, int y, int tx, int ty) {
    ClickCell(x, y);
    ClickCell(tx, ty);
    return board.FBusyTimer;
  }
  // Runs frames of one unit each until no step is running (at most limit frames).
  int RunUntilIdle(int limit = 200) {
    int frames = 0;
    while (board.FBusyTimer > -100.0 && frames < limit) {
      board.UpdateHover();
      board.UpdateAndDraw(1.0);
      ++frames;
    }
    return frames;
  }
  // The shell's new game: mode, clear animations, clear board, opening drop, score, next count.
  void StartNewGame(uint8_t mode) {
    values.GameMode = mode;
    services.ClearAnimations();
    board.ClearBoard();
    board.DropBalls(3 * mode + 3, true);
    values.Score = 0;
    board.FNextCount = mode + 2;
    values.GameUnderWay = false;
  }
  void FillBoard(int kind) {
    for (int x = 0; x < 9; ++x)
      for (int y = 0; y < 9; ++y) Put(x, y, kind);
  }
  // Fills the board with a pattern in which no five cells share a colour in any line.
  void FillWithoutLines() {
    for (int x = 0; x < 9; ++x)
      for (int y = 0; y < 9; ++y) Put(x, y, KindFirstColour + (x + 2 * y) % 7);
  }
};

}  // namespace marblix::testing
