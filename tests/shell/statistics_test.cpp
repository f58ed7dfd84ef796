// The statistics file's reader, the daily challenge's best of the day and streak, and the daily
// game through the shell: asked for, ended, kept and resumed or ended on a later day.
#include <gtest/gtest.h>

#include <fstream>

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
  file.Totals = {{}, Dec9, 1450, Dec9, 12};
  file.Totals.Ways[WayKids] = {3, 2, 410, 700, 31, 170, 4, 2, 654321};
  file.Totals.Ways[WayDaily] = {5, 5, 1450, 5000, 60, 330, 3, 7, 9000000};
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
  for (size_t size = 0; size < image.size(); ++size)
    EXPECT_FALSE(DecodeStatistics(std::span(image).first(size), read, reason)) << size;

  const auto written = [](auto change) {
    TStatisticsFile file = SampleFile();
    change(file);
    return EncodeStatistics(file);
  };
  std::vector<uint8_t> other = image, later = image, longer = image;
  other[0] = 'C';
  later[8] = 2;
  longer.push_back(0);
  const std::pair<std::vector<uint8_t>, const char*> damaged[] = {
      {other, "not a Marblix statistics file"},
      {later, "version 2, this program reads version 1"},
      {longer, "wrong size"},
      {written([](auto& f) { f.Totals.Ways[1].Finished = 1; }), "values out of range"},
      {written([](auto& f) { f.Current.Way = 4; }), "values out of range"},
      {written([](auto& f) { f.Previous.Day = 0; }), "values out of range"},
      {written([](auto& f) { f.Current.Present = false; }), "values out of range"},
  };
  for (const auto& [bytes, expected] : damaged) {
    SCOPED_TRACE(expected);
    read = {};
    EXPECT_FALSE(DecodeStatistics(bytes, read, reason));
    EXPECT_EQ(reason, expected);
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
      {Dec9 + 2, 99, true, 1, std::nullopt},  // a clock set back breaks nothing
  };
  TPlayStatistics statistics;
  for (const Step& s : steps) {
    SCOPED_TRACE(s.Day - Dec9);
    AddGame(statistics, {true, WayDaily, s.Day, true, {2, 10, 0, 1, 6}, 1000, 0}, s.Finished,
            s.Score);
    EXPECT_EQ(statistics.Streak, s.Streak);
    EXPECT_EQ(BestOfDay(statistics, s.Day), s.BestOfDay);
  }
  EXPECT_EQ(statistics.Ways[WayDaily].Played, 7u);
  EXPECT_EQ(AverageScore(statistics.Ways[WayDaily]), 48);  // 289 / 6 finished, rounded
  EXPECT_EQ(StreakOn(statistics, Dec9 + 4), 1u);
  EXPECT_EQ(StreakOn(statistics, Dec9 + 5), 0u);
}

class DailyGame : public ::testing::Test {
 protected:
  // A run of the program on `today` in the test's folder.
  struct Run {
    explicit Run(int32_t today) {
      values.ScreenState = MenuScreen;  // as the loader leaves it before reading the files
      ports.today = today;
      shell.LoadConfig();
    }
    TShellValues values;
    test_support::RecordingPorts ports{values};
    GameShell shell{ports, values};
  };
  // The daily game after some moves, kept when the program ends.
  void PlayAndQuit(int32_t score, uint32_t moves) {
    shell.FormKeyDown(KeyD, {});
    first.ports.board.Preview = {{{1, 0}, {2, 1}, {4, 2}, {8, 3}}};
    values.Score = score;
    values.Tally = {moves / 2, 5 * (moves / 2), 0, 1, moves};
    values.GameUnderWay = true;
    shell.SaveConfig();
  }
  static std::vector<uint8_t> Read(const char* name) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(ReadWholeFile(name, bytes)) << name;
    return bytes;
  }
  static void Write(const char* name, const std::vector<uint8_t>& bytes) {
    std::ofstream(name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::ssize(bytes));
  }
  testing::TScopedWorkingDirectory dir;
  Run first{Dec9};
  TShellValues& values = first.values;
  GameShell& shell = first.shell;
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
  EXPECT_EQ(values.CurrentGame.Way, WayNormal);
  values.RequestedMode = ModeKids;
  shell.FormKeyDown(KeyD, {});
  EXPECT_EQ(values.GameMode, ModeNormal);
  EXPECT_EQ(values.CurrentGame.Way, WayDaily);
}

TEST_F(DailyGame, ItsEndShowsAndSharesTheResultAndTakesNoPlaceInATable) {
  shell.FormKeyDown(KeyD, {});
  const std::vector<uint8_t> tables = EncodeConfig({.Tables = values.HighScoreTable});
  values.Score = 1450;
  values.Tally = {12, 60, 1, 2, 40};
  shell.GameOver();
  EXPECT_EQ(EncodeConfig({.Tables = values.HighScoreTable}), tables);
  EXPECT_EQ(first.ports.clipboard, "Marblix daily 2026-12-09: 1,450 points, 12 lines");
  EXPECT_EQ(values.ScreenState, DialogOpen | DailyResultDialog | StatisticsScreen);
  EXPECT_EQ(values.Statistics.Ways[WayDaily].Lines, 12u);
  EXPECT_EQ(BestOfDay(values.Statistics, Dec9), 1450);
  EXPECT_EQ(values.DailyDay, 0);
  shell.AnswerNo();
  EXPECT_EQ(values.ScreenState, StatisticsScreen);
}

TEST_F(DailyGame, KeptItEndsAsItStoodOnALaterDay) {
  PlayAndQuit(200, 6);
  Run nextDay(Dec9 + 1);
  EXPECT_EQ(nextDay.values.ScreenState, DialogOpen | DailyResultDialog | StatisticsScreen);
  EXPECT_FALSE(nextDay.ports.Called("RestoreBoard"));
  EXPECT_EQ(nextDay.ports.clipboard, "Marblix daily 2026-12-09: 200 points, 3 lines");
  EXPECT_EQ(nextDay.values.Statistics.Ways[WayDaily].Finished, 1u);
  EXPECT_EQ(nextDay.values.Score, 0);
}

// On its day the kept game resumes as the daily when the statistics hold a record of it: the
// newest, or the one before when a crash came between writing the two files.
TEST_F(DailyGame, OnItsDayItResumesWhenTheStatisticsKnowTheKeptGame) {
  PlayAndQuit(200, 6);
  const std::vector<uint8_t> older = Read(ConfigFileName);
  std::vector<uint8_t> movedOn = older;
  movedOn[610] = 250;  // the score after one more move in an older program, which keeps no record
  values.Score = 260;
  values.Tally.Moves = 7;
  shell.SaveConfig();
  const std::tuple<std::vector<uint8_t>, int32_t, uint32_t> cases[] = {
      {Read(ConfigFileName), Dec9, 7}, {older, Dec9, 6}, {movedOn, 0, 0}};
  for (const auto& [config, dailyDay, moves] : cases) {
    SCOPED_TRACE(moves);
    Write(ConfigFileName, config);
    Run later(Dec9);
    EXPECT_EQ(later.values.ScreenState, DialogOpen | OldGameDialog | GameScreen);
    EXPECT_EQ(later.values.DailyDay, dailyDay);
    EXPECT_EQ(later.values.CurrentGame.Way, dailyDay ? WayDaily : WayNormal);
    EXPECT_EQ(later.values.Tally.Moves, moves);
    // An ordinary game now: the daily game as the statistics last saw it was left unfinished.
    EXPECT_EQ(later.values.Statistics.Ways[WayDaily].Played, dailyDay ? 0u : 1u);
    EXPECT_EQ(later.values.Statistics.Ways[WayDaily].Finished, 0u);
  }
}

TEST_F(DailyGame, ADamagedStatisticsFileIsKeptAsideAndTheStatisticsStartAfresh) {
  PlayAndQuit(200, 6);
  std::vector<uint8_t> bytes = Read(StatisticsFileName);
  bytes[40] ^= 1;
  Write(StatisticsFileName, bytes);
  Run later(Dec9);
  EXPECT_TRUE(later.ports.Called(
      "Log:Statistics file \"Statistics.bin\" is damaged (checksum mismatch); it is kept as "
      "\"Statistics.bin.bad\" and the statistics start afresh"));
  EXPECT_EQ(Read("Statistics.bin.bad"), bytes);
  EXPECT_EQ(later.values.Statistics, TPlayStatistics{});
  EXPECT_EQ(later.values.DailyDay, 0);  // nothing says the kept game is the day's
  later.shell.SaveConfig();
  TStatisticsFile fresh;
  std::string reason;
  EXPECT_TRUE(DecodeStatistics(Read(StatisticsFileName), fresh, reason)) << reason;
}

}  // namespace
}  // namespace marblix
