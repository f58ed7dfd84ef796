// Fuzz target: Statistics.bin read back, its rules run over whatever it holds, and the file loaded
// beside a kept game whose record it names, as the next start would load it, then written again.
#include <unistd.h>

#include <span>
#include <vector>

#include "FuzzScratch.h"
#include "FuzzShellPorts.h"
#include "shell/statistics.h"
#include "shell/statistics_file.h"

namespace marblix::fuzz {
namespace {

// A kept Normal game with a score: the one Config.bin holds in every run.
std::vector<uint8_t> KeptConfigImage() {
  ConfigContents contents;
  contents.SavedGameFlag = 1;
  contents.Game.Mode = ModeNormal;
  contents.Game.Score = 340;
  contents.Game.NextCount = 3;
  for (size_t i = 0; i < 4; ++i) contents.Game.Preview[i] = BallKinds[i + 1];
  for (size_t x = 0; x < 9; ++x) contents.Game.Cells[x][(x * 5) % 9] = BallKinds[1 + x % 7];
  return EncodeConfig(contents);
}

void WriteFile(const char* name, const std::vector<uint8_t>& bytes) {
  WriteInput(name, bytes.data(), bytes.size());
}

// The rules and the page's texts over the file's values, whatever they are.
void RunRules(const TStatisticsFile& file) {
  TPlayStatistics totals = file.Totals;
  for (const TGameRecord* game : {&file.Current, &file.Previous}) {
    const TPlayStatistics shown = WithGameOnBoard(totals, *game);
    for (const TWayTotals& way : shown.Ways) {
      if (way.Finished > 0 && AverageScore(way) > way.Best) Fail();
      (void)PlayTimeText(way.Milliseconds);
    }
    AddGame(totals, *game, true, 1450);
    (void)StreakOn(totals, game->Day);
    (void)BestOfDay(totals, game->Day);
    (void)DailySummaryLine({game->Day, INT32_MAX, game->Tally.Lines});
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
  const std::span<const uint8_t> input(data, size);
  TStatisticsFile file;
  std::string reason;
  const bool read = DecodeStatistics(input, file, reason);
  if (!read && reason.empty()) Fail();
  // What is read is what was written: the image comes back byte for byte.
  if (read && EncodeStatistics(file) != std::vector<uint8_t>(input.begin(), input.end())) Fail();
  if (read) RunRules(file);

  // The start after: the file beside the kept game, its newest record naming that game.
  const std::vector<uint8_t> config = KeptConfigImage();
  if (read) {
    file.Current.Fingerprint = KeptGameFingerprint(config);
    WriteFile(StatisticsFileName, EncodeStatistics(file));
  } else {
    WriteInput(StatisticsFileName, data, size);
  }
  WriteFile(ConfigFileName, config);
  auto ports = std::make_unique<BoardPorts>();
  GameShell shell(*ports, ports->Values);
  ResetShell(ports->Values);
  shell.LoadConfig();
  if (ports->Values.Score < 0 || ports->Values.GameMode > ModeProfessional) Fail();
  shell.SaveConfig();
  // What the shell writes, it reads back.
  std::vector<uint8_t> written;
  TStatisticsFile again;
  if (ReadWholeFile(StatisticsFileName, written) && !DecodeStatistics(written, again, reason))
    Fail();
  std::error_code ignored;
  std::filesystem::remove(std::string(StatisticsFileName) + BadStatisticsSuffix, ignored);
  return 0;
}
