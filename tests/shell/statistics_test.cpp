// The statistics: the file reads back only what was written, the daily challenge's best of the
// day and streak, and the daily game's way through the shell: asked for, ended, kept and resumed,
// ended as it stood on a later day, and no longer the daily once an older program went on with it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "shell/game_shell.h"
#include "shell/recording_ports.h"
#include "shell/statistics.h"
#include "shell/statistics_file.h"
#include "support/TempDir.h"

namespace marblix {
namespace {

constexpr int32_t Dec9 = 20796;  // 2026-12-09

TStatisticsFile SampleFile() {
  TStatisticsFile file;
  file.Totals.Ways[WayKids] = {3, 2, 410, 700, 31, 170, 4, 2, 654321};
  file.Totals.Ways[WayDaily] = {5, 5, 1450, 5000, 60, 330, 3, 7, 9000000};
  file.Totals.BestDay = Dec9;
  file.Totals.BestOfDay = 1450;
  file.Totals.LastFinishedDay = Dec9;
  file.Totals.Streak = 12;
  file.Current = {true, WayDaily, Dec9, true, {4, 21, 1, 2, 40}, 123456, 0x0123456789ABCDEFull};
  file.Previous = {true, WayDaily, Dec9, true, {3, 16, 1, 2, 39}, 120000, 0xFEDCBA9876543210ull};
  return file;
}

TEST(StatisticsFile, ReadsBackWhatItWroteAndNothingElse) {
  const std::vector<uint8_t> image = EncodeStatistics(SampleFile());
  TStatisticsFile read;
  std::string reason;
  ASSERT_TRUE(DecodeStatistics(image, read, reason)) << reason;
  EXPECT_EQ(read, SampleFile());

  for (size_t size = 0; size < image.size(); ++size) {
    EXPECT_FALSE(DecodeStatistics(std::span(image).first(size), read, reason)) << size;
  }
  struct Damage {
    const char* Name;
    std::function<void(std::vector<uint8_t>&)> Change;
    const char* Reason;
  };
  const auto written = [](const std::function<void(TStatisticsFile&)>& change) {
    return [change](std::vector<uint8_t>& bytes) {
      TStatisticsFile file = SampleFile();
      change(file);
      bytes = EncodeStatistics(file);
    };
  };
  const Damage damages[] = {
      {"another file", [](auto& b) { b[0] = 'C'; }, "not a Marblix statistics file"},
      {"a later version", [](auto& b) { b[8] = 2; }, "version 2, this program reads version 1"},
      {"a byte more", [](auto& b) { b.push_back(0); }, "wrong size"},
      {"a bit flipped", [](auto& b) { b[100] ^= 4; }, "checksum mismatch"},
      {"more finished than played", written([](auto& f) { f.Totals.Ways[1].Finished = 1; }),
       "values out of range"},
      {"a fifth way", written([](auto& f) { f.Current.Way = 4; }), "values out of range"},
      {"a daily without its day", written([](auto& f) { f.Previous.Day = 0; }),
       "values out of range"},
      {"a game that is not there", written([](auto& f) { f.Current.Present = false; }),
       "values out of range"},
  };
  for (const Damage& d : damages) {
    SCOPED_TRACE(d.Name);
    std::vector<uint8_t> bytes = image;
    d.Change(bytes);
    read = {};
    EXPECT_FALSE(DecodeStatistics(bytes, read, reason));
    EXPECT_EQ(reason, d.Reason);
    EXPECT_EQ(read, TStatisticsFile{});
  }
}

TEST(DailyStatistics, BestOfTheDayAndTheStreakFollowTheDaysOfFinishedGames) {
  struct Step {
    int32_t Day, Score;
    bool Finished;
    uint32_t Streak;                   // after it
    std::optional<int32_t> BestOfDay;  // of its day, after it
  };
  const Step steps[] = {
      {Dec9, 50, true, 1, 50},
      {Dec9, 80, true, 1, 80},
      {Dec9, 30, true, 1, 80},
      {Dec9 + 1, 10, true, 2, 10},
      {Dec9 + 3, 20, true, 1, 20},
      {Dec9 + 4, 90, false, 1, std::nullopt},
      // A day finished out of order (a clock set back) breaks nothing and is no best of the day.
      {Dec9 + 2, 99, true, 1, std::nullopt},
  };
  TPlayStatistics statistics;
  for (const Step& s : steps) {
    SCOPED_TRACE(s.Day - Dec9);
    TGameRecord game{true, WayDaily, s.Day, true, {2, 10, 0, 1, 6}, 1000, 0};
    AddGame(statistics, game, s.Finished, s.Score);
    EXPECT_EQ(statistics.Streak, s.Streak);
    EXPECT_EQ(BestOfDay(statistics, s.Day), s.BestOfDay);
  }
  EXPECT_EQ(statistics.Ways[WayDaily].Played, 7u);
  EXPECT_EQ(statistics.Ways[WayDaily].Finished, 6u);
  EXPECT_EQ(AverageScore(statistics.Ways[WayDaily]), 48);  // 289 / 6, rounded
  EXPECT_EQ(StreakOn(statistics, Dec9 + 4), 1u);
  EXPECT_EQ(StreakOn(statistics, Dec9 + 5), 0u);
  EXPECT_EQ(DailySummaryLine({Dec9, 1450, 12}), "Marblix daily 2026-12-09: 1,450 points, 12 lines");
}

class DailyGame : public ::testing::Test {
 protected:
  void SetUp() override {
    values.ScreenState = MenuScreen;  // as the loader leaves it before reading the files
    shell.LoadConfig();
  }
  // A new run of the program on `today` in the same folder.
  struct Run {
    explicit Run(int32_t today) {
      values.ScreenState = MenuScreen;
      ports.today = today;
      shell.LoadConfig();
    }
    TShellValues values;
    test_support::RecordingPorts ports{values};
    GameShell shell{ports, values};
  };
  // The daily game after some moves with a score, kept when the program ends.
  void PlayAndQuit(int32_t score, uint32_t moves) {
    shell.FormKeyDown(KeyD, {});
    ASSERT_EQ(values.DailyDay, Dec9);
    ports.board.Preview = {{{1, 0}, {2, 1}, {4, 2}, {8, 3}}};
    values.Score = score;
    values.Tally = {moves / 2, 5 * (moves / 2), 0, 1, moves};
    values.GameUnderWay = true;
    shell.SaveConfig();
  }
  testing::TScopedWorkingDirectory dir;
  TShellValues values;
  test_support::RecordingPorts ports{values};
  GameShell shell{ports, values};
};

TEST_F(DailyGame, TheKeyAsksFirstDuringAGameAndNoForgetsTheRequest) {
  values.GameUnderWay = true;
  shell.FormKeyDown(KeyD, {});
  EXPECT_EQ(values.ScreenState, DialogOpen | NewGameDialog | GameScreen);
  shell.AnswerNo();
  // The game ends with no place in the table, and Yes asks for a new game of its mode.
  values.GameUnderWay = false;
  values.ScreenState = DialogOpen | LowScoreDialog | HighScoresScreen;
  shell.AnswerYes();
  EXPECT_EQ(values.ScreenState, GameScreen);
  EXPECT_EQ(values.DailyDay, 0);
  EXPECT_EQ(values.CurrentGame.Way, WayNormal);
  values.RequestedMode = ModeKids;
  shell.FormKeyDown(KeyD, {});
  EXPECT_EQ(values.DailyDay, Dec9);
  EXPECT_EQ(values.GameMode, ModeNormal);
  EXPECT_EQ(values.CurrentGame.Way, WayDaily);
  EXPECT_EQ(ports.Count("DropBalls(6,1)"), 3);
}

TEST_F(DailyGame, ItsEndShowsAndSharesTheResultAndTakesNoPlaceInATable) {
  shell.FormKeyDown(KeyD, {});
  const std::vector<uint8_t> tables = EncodeConfig({.Tables = values.HighScoreTable});
  values.Score = 1450;
  values.Tally = {12, 60, 1, 2, 40};
  shell.GameOver();
  EXPECT_EQ(EncodeConfig({.Tables = values.HighScoreTable}), tables);
  EXPECT_EQ(ports.clipboard, "Marblix daily 2026-12-09: 1,450 points, 12 lines");
  EXPECT_EQ(values.ScreenState, DialogOpen | DailyResultDialog | StatisticsScreen);
  EXPECT_EQ(values.Statistics.Ways[WayDaily].Finished, 1u);
  EXPECT_EQ(values.Statistics.Ways[WayDaily].Lines, 12u);
  EXPECT_EQ(BestOfDay(values.Statistics, Dec9), 1450);
  EXPECT_EQ(values.Statistics.Streak, 1u);
  EXPECT_EQ(values.DailyDay, 0);
  shell.AnswerNo();
  EXPECT_EQ(values.ScreenState, StatisticsScreen);
}

TEST_F(DailyGame, KeptItResumesOnItsDayAndOnALaterDayEndsAsItStood) {
  PlayAndQuit(200, 6);
  Run sameDay(Dec9);
  EXPECT_EQ(sameDay.values.ScreenState, DialogOpen | OldGameDialog | GameScreen);
  EXPECT_EQ(sameDay.values.DailyDay, Dec9);
  EXPECT_EQ(sameDay.values.Tally.Moves, 6u);

  Run nextDay(Dec9 + 1);
  EXPECT_EQ(nextDay.values.ScreenState, DialogOpen | DailyResultDialog | StatisticsScreen);
  EXPECT_FALSE(nextDay.ports.Called("RestoreBoard"));
  EXPECT_EQ(nextDay.ports.clipboard, "Marblix daily 2026-12-09: 200 points, 3 lines");
  EXPECT_EQ(nextDay.values.Statistics.Ways[WayDaily].Finished, 1u);
  EXPECT_EQ(nextDay.values.Statistics.Streak, 1u);
  EXPECT_EQ(nextDay.values.Score, 0);
}

TEST_F(DailyGame, AGameAnOlderProgramWentOnWithIsAnOrdinaryGame) {
  PlayAndQuit(200, 6);
  std::vector<uint8_t> config;
  ASSERT_TRUE(ReadWholeFile(ConfigFileName, config));
  config[610] = 250;  // the score after one more move there
  std::ofstream(ConfigFileName, std::ios::binary)
      .write(reinterpret_cast<const char*>(config.data()), static_cast<std::streamsize>(1450));
  Run later(Dec9);
  EXPECT_EQ(later.values.ScreenState, DialogOpen | OldGameDialog | GameScreen);
  EXPECT_EQ(later.values.DailyDay, 0);
  EXPECT_EQ(later.values.CurrentGame.Way, WayNormal);
  // The daily game as the statistics last saw it left the board unfinished.
  EXPECT_EQ(later.values.Statistics.Ways[WayDaily].Played, 1u);
  EXPECT_EQ(later.values.Statistics.Ways[WayDaily].Finished, 0u);
}

TEST_F(DailyGame, ACrashBetweenTheTwoFilesStillFindsTheKeptGamesRecord) {
  PlayAndQuit(200, 6);
  std::vector<uint8_t> older;
  ASSERT_TRUE(ReadWholeFile(ConfigFileName, older));
  values.Score = 260;  // a move later, the statistics are written and Config.bin is not
  values.Tally.Moves = 7;
  shell.SaveConfig();
  std::ofstream(ConfigFileName, std::ios::binary)
      .write(reinterpret_cast<const char*>(older.data()), static_cast<std::streamsize>(1450));
  Run later(Dec9);
  EXPECT_EQ(later.values.DailyDay, Dec9);
  EXPECT_EQ(later.values.Tally.Moves, 6u);
  EXPECT_EQ(later.values.Score, 200);
}

TEST_F(DailyGame, ADamagedStatisticsFileIsKeptAsideAndTheStatisticsStartAfresh) {
  PlayAndQuit(200, 6);
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(ReadWholeFile(StatisticsFileName, bytes));
  bytes[40] ^= 1;
  std::ofstream(StatisticsFileName, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  Run later(Dec9);
  EXPECT_TRUE(later.ports.Called(
      "Log:Statistics file \"Statistics.bin\" is damaged (checksum mismatch); it is kept as "
      "\"Statistics.bin.bad\" and the statistics start afresh"));
  std::vector<uint8_t> aside;
  ASSERT_TRUE(ReadWholeFile("Statistics.bin.bad", aside));
  EXPECT_EQ(aside, bytes);
  EXPECT_EQ(later.values.Statistics, TPlayStatistics{});
  EXPECT_EQ(later.values.DailyDay, 0);  // nothing says the kept game is the day's
  later.shell.SaveConfig();
  TStatisticsFile fresh;
  std::string reason;
  ASSERT_TRUE(ReadWholeFile(StatisticsFileName, bytes));
  EXPECT_TRUE(DecodeStatistics(bytes, fresh, reason)) << reason;
}

}  // namespace
}  // namespace marblix
