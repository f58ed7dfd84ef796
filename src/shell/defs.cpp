// The single instances of the shell values and the runtime's random generator.
#include "shell/defs.h"

namespace marblix {

uint32_t ScreenState = 0;
uint32_t ReturnState = MenuScreen;
uint32_t PanelReturnState = MenuScreen;

uint8_t GameMode = ModeNormal;
uint8_t RequestedMode = ModeKids;
int32_t Score = 0;
bool GameUnderWay = false;
uint8_t ScoreTablePage = 0;
uint8_t HelpPage = 0;
HighScoreTables HighScoreTable{};
int32_t NewEntryRow = 0;
std::string PlayerName = "Player";
int32_t MusicVolume = 0;
int32_t SoundVolume = 0;
bool FullScreenSetting = true;

int32_t MouseX = 0;
int32_t MouseY = 0;
int32_t MouseButton = 0;

int32_t MeasuredFps = 0;

uint32_t RandSeed = 0;

void ResetShellValues() {
  ScreenState = 0;
  ReturnState = MenuScreen;
  PanelReturnState = MenuScreen;
  GameMode = ModeNormal;
  RequestedMode = ModeKids;
  Score = 0;
  GameUnderWay = false;
  ScoreTablePage = 0;
  HelpPage = 0;
  HighScoreTable = {};
  NewEntryRow = 0;
  PlayerName = "Player";
  MusicVolume = 0;
  SoundVolume = 0;
  FullScreenSetting = true;
  MouseX = MouseY = MouseButton = 0;
}

namespace {
void StepSeed() {
  RandSeed = RandSeed * 134775813u + 1u;
}
}  // namespace

uint32_t Random(uint32_t n) {
  StepSeed();
  return static_cast<uint32_t>((static_cast<uint64_t>(RandSeed) * n) >> 32);
}

double RandomFloat() {
  StepSeed();
  return static_cast<double>(RandSeed) / 4294967296.0;
}

}  // namespace marblix
