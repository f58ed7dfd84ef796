// Fuzz target: Config.bin loaded into a board, played on, saved, loaded and saved again.
// Bytes past the file's 1450 are moves: each picks a cell to click, then the board runs a frame.
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "FuzzScratch.h"
#include "FuzzShellPorts.h"

namespace marblix::fuzz {
namespace {

// What a loaded file may never leave behind, whatever its bytes.
void CheckLoadedValues(const BoardPorts& ports) {
  const TShellValues& values = ports.Values;
  if (values.MusicVolume < 0 || values.MusicVolume > 100 || values.SoundVolume < 0 ||
      values.SoundVolume > 100)
    Fail();
  for (const auto& table : values.HighScoreTable)
    for (const auto& entry : table)
      if (entry.NameLength > 17) Fail();
  if (values.GameMode > ModeProfessional) Fail();
  for (int x = 0; x < SavedBoardSize; ++x)
    for (int y = 0; y < SavedBoardSize; ++y) {
      const TCell cell = ports.Board.FCells(x, y);
      if (cell.Mask != 0 && std::find(BallKinds.begin(), BallKinds.end(), cell) == BallKinds.end())
        Fail();
    }
}

std::vector<uint8_t> ReadConfig() {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(ConfigFileName, bytes) || bytes.size() != ConfigFileSize) Fail();
  return bytes;
}

// Loads Config.bin on a fresh board and shell; true when the saved game was offered.
bool Load(BoardPorts& ports, GameShell& shell) {
  TShellValues& values = ports.Values;
  ResetShell(values);
  shell.LoadConfig();
  CheckLoadedValues(ports);
  const bool offered = (values.ScreenState & OldGameDialog) != 0;
  // A game offered for resumption is one this program could have saved.
  if (offered && (values.Score <= 0 || ports.Board.FNextCount < 1 || ports.Board.FNextCount > 4))
    Fail();
  if (offered) values.ScreenState = GameScreen;  // the player answers Yes
  return offered;
}

void Play(BoardPorts& ports, const uint8_t* moves, size_t count) {
  TShellValues& values = ports.Values;
  for (size_t i = 0; i < count && i < 48; ++i) {
    const int cell = moves[i] % (SavedBoardSize * SavedBoardSize);
    values.MouseX = BoardOriginX + CellPitch * (cell % SavedBoardSize) + 25;
    values.MouseY = BoardOriginY + CellPitch * (cell / SavedBoardSize) + 25;
    values.MouseButton = (moves[i] & 0x80) ? ButtonRight : ButtonLeft;
    if (values.ScreenState == GameScreen) ports.BoardClick();
    for (int frame = 0; frame < 12; ++frame) ports.BoardFrame(1.5);
  }
}

}  // namespace
}  // namespace marblix::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (::chdir(marblix::fuzz::ScratchFolder().c_str()) != 0) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace marblix;
  using namespace marblix::fuzz;
  const size_t fileSize = std::min(size, ConfigFileSize);
  WriteInput(ConfigFileName, data, fileSize);
  // Each input starts without the statistics an earlier one left.
  std::error_code ignored;
  std::filesystem::remove(StatisticsFileName, ignored);

  auto first = std::make_unique<BoardPorts>();
  GameShell shell(*first, first->Values);
  if (Load(*first, shell)) Play(*first, data + fileSize, size - fileSize);
  shell.SaveConfig();
  const std::vector<uint8_t> saved = ReadConfig();

  // A file this program wrote loads as it was and is written again byte for byte.
  auto second = std::make_unique<BoardPorts>();
  GameShell again(*second, second->Values);
  const bool offered = Load(*second, again);
  if (saved[SavedGameFlagOffset] != 0 && !offered) Fail();
  again.SaveConfig();
  if (ReadConfig() != saved) Fail();
  return 0;
}
