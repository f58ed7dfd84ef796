// Config.bin under faults: a folder that cannot be written, a full disk, a save killed midway,
// every prefix of a real saved file and files of random bytes. Linux only: the faults are made
// with POSIX permissions, /dev/full, fork and SIGKILL.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <iostream>
#include <random>
#include <thread>

#include "integration/game_run.h"
#include "shell/config_file.h"
#include "shell/high_scores.h"
#include "shell/recording_ports.h"

namespace marblix {
namespace {

namespace fs = std::filesystem;
using test_support::CellX;
using test_support::CellY;
using test_support::GameRun;
using test_support::LogMessages;

constexpr uint32_t ResumeQuestion = DialogOpen | OldGameDialog | GameScreen;
constexpr const char* DamagedGameLine = "Saved game in Config.bin is damaged; not resumed";

bool InPlay(const TShellValues& values) {
  return values.ScreenState != LogoScreen && values.ScreenState != LoadingScreen;
}

void WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> ConfigBytes() {
  std::vector<uint8_t> bytes;
  ReadWholeFile(ConfigFileName, bytes);
  return bytes;
}

// A Config.bin written by the whole program at shutdown: a Normal game under way with a score, a
// name of its own in the Kids table and volumes moved from their defaults.
const std::vector<uint8_t>& RealSavedFile() {
  static const std::vector<uint8_t> saved = [] {
    testing::TScopedWorkingDirectory dir;
    test_support::LinkDataPack(dir.path());
    TRecordingAudio* audio = nullptr;
    GameRun run(audio);
    TShellValues& values = run.Values();
    run.Create();
    run.RunUntil([&] { return InPlay(values); });
    run.Frames(10);
    values.Score = 35;  // as if a line had been made
    HighScoreEntry& entry = values.HighScoreTable[ModeKids][3];
    entry.Score = 750;
    entry.NameLength = 6;
    std::copy_n("Keeper", 6, entry.Name.begin());
    values.MusicVolume = 33;
    values.SoundVolume = 66;
    run.Destroy();
    return ConfigBytes();
  }();
  return saved;
}

// Loads the bytes as Config.bin through the shell, as the loader does at the end of loading.
struct Loaded {
  ConfigContents Contents;  // what the shell took over
  uint32_t Screen = 0;
  bool DamageLogged = false;
  bool NewGameStarted = false;
};

Loaded LoadThroughTheShell(const std::vector<uint8_t>& bytes) {
  WriteBytes(ConfigFileName, bytes);
  TShellValues values;
  values.ScreenState = MenuScreen;
  values.GameMode = ModeNormal;
  test_support::RecordingPorts ports(values);
  GameShell shell(ports, values);
  shell.LoadConfig();
  Loaded loaded;
  loaded.Contents.Tables = values.HighScoreTable;
  loaded.Contents.MusicVolume = values.MusicVolume;
  loaded.Contents.SoundVolume = values.SoundVolume;
  loaded.Screen = values.ScreenState;
  loaded.DamageLogged = ports.Called(std::string("Log:") + DamagedGameLine);
  loaded.NewGameStarted = ports.Called("DropBalls(6,1)");
  // Saving again keeps all that was taken over.
  shell.SaveConfig();
  const std::vector<uint8_t> again = ConfigBytes();
  EXPECT_EQ(again.size(), ConfigFileSize);
  const std::vector<uint8_t> taken = EncodeConfig(loaded.Contents);
  EXPECT_TRUE(std::equal(taken.begin(), taken.begin() + 608, again.begin(), again.end() - 842))
      << "the tables and volumes are not saved as they were taken over";
  return loaded;
}

// The table bytes a prefix of `length` bytes must leave: fields it covers whole come from the
// file, the others keep their zeros (a score is one 16-bit field; name length and characters are
// single bytes).
std::vector<uint8_t> ExpectedTableBytes(const std::vector<uint8_t>& file, std::size_t length) {
  std::vector<uint8_t> expected(600, 0);
  for (std::size_t b = 0; b < expected.size(); ++b) {
    const std::size_t inEntry = b % 20;
    const std::size_t fieldEnd = inEntry < 18 ? b + 1 : b - inEntry + 20;
    if (fieldEnd <= length) expected[b] = file[b];
  }
  return expected;
}

int32_t ExpectedVolume(const std::vector<uint8_t>& file, std::size_t length, std::size_t at) {
  ConfigContents contents;
  DecodeConfig(file, contents);
  if (length < at + 4) return 0;
  return at == 600 ? contents.MusicVolume : contents.SoundVolume;
}

class ConfigFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test_support::DataPackExists()) GTEST_SKIP() << "no asset pack";
    ASSERT_EQ(RealSavedFile().size(), ConfigFileSize);
    ConfigContents contents;
    DecodeConfig(RealSavedFile(), contents);
    ASSERT_EQ(contents.SavedGameFlag, 1);
    ASSERT_TRUE(SavedGameIsSound(contents.Game));
  }
  testing::TScopedWorkingDirectory dir;
};

TEST_F(ConfigFaults, EveryPrefixOfARealFileLoadsKeepsWhatItHoldsAndOffersNoGame) {
  const std::vector<uint8_t>& file = RealSavedFile();
  for (std::size_t length = 0; length <= file.size(); ++length) {
    SCOPED_TRACE("Config.bin of " + std::to_string(length) + " bytes");
    const std::vector<uint8_t> prefix(file.begin(),
                                      file.begin() + static_cast<std::ptrdiff_t>(length));
    const Loaded loaded = LoadThroughTheShell(prefix);
    const std::vector<uint8_t> image = EncodeConfig(loaded.Contents);
    ASSERT_EQ(std::vector<uint8_t>(image.begin(), image.begin() + 600),
              ExpectedTableBytes(file, length));
    ASSERT_EQ(loaded.Contents.MusicVolume, ExpectedVolume(file, length, 600));
    ASSERT_EQ(loaded.Contents.SoundVolume, ExpectedVolume(file, length, 604));
    const bool whole = length == file.size();
    ASSERT_EQ(loaded.Screen, whole ? ResumeQuestion : GameScreen);
    ASSERT_EQ(loaded.NewGameStarted, !whole);
    // The flag byte at 608 says a game follows; a file that ends before the game's end lost it.
    ASSERT_EQ(loaded.DamageLogged, length > 608 && !whole);
  }
}

// One field of the real file changed at a time, each into something this program never writes.
TEST_F(ConfigFaults, ASavedGameWithAnImpossibleFieldIsNotOffered) {
  struct Change {
    const char* What;
    std::size_t At;
    std::vector<uint8_t> Bytes;
  };
  const std::vector<Change> changes = {
      {"mode 3", 609, {3}},
      {"score 0", 610, {0, 0, 0, 0}},
      {"negative score", 610, {0xFB, 0xFF, 0xFF, 0xFF}},
      {"drop count 0", 614, {0, 0, 0, 0}},
      {"drop count 5", 614, {5, 0, 0, 0}},
      {"preview of no kind", 618, {0, 0, 0, 0}},
      {"cell of an unknown kind", 650, {0, 0, 0, 0x80}},
      {"cell look off its kind", 654, {21, 0, 0, 0}},
  };
  for (const Change& change : changes) {
    SCOPED_TRACE(change.What);
    std::vector<uint8_t> file = RealSavedFile();
    std::copy(change.Bytes.begin(), change.Bytes.end(),
              file.begin() + static_cast<std::ptrdiff_t>(change.At));
    if (change.At == 650 || change.At == 654) {
      file[650] |= 1;  // make sure the cell holds something at all
    }
    const Loaded loaded = LoadThroughTheShell(file);
    EXPECT_EQ(loaded.Screen, GameScreen);
    EXPECT_TRUE(loaded.DamageLogged);
    EXPECT_EQ(loaded.Contents.Tables[ModeKids][3].Score, 750);  // the scores stay
  }
}

TEST_F(ConfigFaults, RandomBytesLoadSafelyAndOnlyASoundGameIsOffered) {
  std::mt19937 random(20261208);
  std::uniform_int_distribution<int> anyByte(0, 255);
  std::uniform_int_distribution<std::size_t> anyLength(0, 2 * ConfigFileSize);
  int offered = 0;
  for (int n = 0; n < 300; ++n) {
    // A third of them of the exact size with the flag set, so the saved game is looked at.
    const bool fullSize = n % 3 == 0;
    std::vector<uint8_t> bytes(fullSize ? ConfigFileSize : anyLength(random));
    for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(anyByte(random));
    if (fullSize) bytes[608] = 1;
    SCOPED_TRACE("random file " + std::to_string(n) + " of " + std::to_string(bytes.size()) +
                 " bytes");
    const Loaded loaded = LoadThroughTheShell(bytes);
    for (const auto& table : loaded.Contents.Tables) {
      for (const auto& entry : table) ASSERT_LE(entry.NameLength, 17);
    }
    ASSERT_GE(loaded.Contents.MusicVolume, 0);
    ASSERT_LE(loaded.Contents.MusicVolume, 100);
    ASSERT_GE(loaded.Contents.SoundVolume, 0);
    ASSERT_LE(loaded.Contents.SoundVolume, 100);
    if (loaded.Screen == ResumeQuestion) {
      ++offered;
      ConfigContents contents;
      DecodeConfig(bytes, contents);
      ASSERT_TRUE(SavedGameIsSound(contents.Game));
    } else {
      ASSERT_EQ(loaded.Screen, GameScreen);
    }
  }
  EXPECT_EQ(offered, 0);  // random cells are never all of known kinds
}

// ---- Whole program starts over damaged files ----

class DamagedConfigStart : public ConfigFaults {
 protected:
  void SetUp() override {
    ConfigFaults::SetUp();
    test_support::LinkDataPack(dir.path());
  }
  // Starts the game over the bytes: it must come to a new game without the resume question, let a
  // ball move, and write a whole Config.bin at shutdown.
  void StartAndPlay(const std::vector<uint8_t>& bytes, bool damageLogged) {
    WriteBytes(ConfigFileName, bytes);
    TRecordingAudio* audio = nullptr;
    GameRun run(audio);
    TShellValues& values = run.Values();
    run.Create();
    ASSERT_TRUE(run.RunUntil([&] { return InPlay(values); }));
    EXPECT_EQ(values.ScreenState, GameScreen);
    const auto log = LogMessages();
    EXPECT_EQ(std::find(log.begin(), log.end(), DamagedGameLine) != log.end(), damageLogged);
    run.Frames(10);
    TGameField& board = *run.Form().Board;
    bool moved = false;
    for (int y = 0; y < 9 && !moved; ++y) {
      for (int x = 0; x < 8 && !moved; ++x) {
        if (board.FCells(x, y).Mask == 0 || board.FCells(x + 1, y).Mask != 0) continue;
        run.Drag(CellX(x), CellY(y), CellX(x + 1), CellY(y));
        run.Frames(3);
        moved = board.FCells(x + 1, y).Mask != 0;
      }
    }
    EXPECT_TRUE(moved);
    EXPECT_TRUE(values.GameUnderWay);
    run.Destroy();
    EXPECT_EQ(ConfigBytes().size(), ConfigFileSize);
  }
};

TEST_F(DamagedConfigStart, ShortFilesStartANewGame) {
  for (std::size_t length : {0, 609, 1449}) {
    SCOPED_TRACE("Config.bin of " + std::to_string(length) + " bytes");
    StartAndPlay(
        {RealSavedFile().begin(), RealSavedFile().begin() + static_cast<std::ptrdiff_t>(length)},
        length > 608);
  }
}

TEST_F(DamagedConfigStart, RandomFilesStartANewGame) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> anyByte(0, 255);
  for (std::size_t length : {1450u, 2000u}) {
    std::vector<uint8_t> bytes(length);
    for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(anyByte(random));
    if (length >= ConfigFileSize) bytes[608] = 1;
    SCOPED_TRACE("random Config.bin of " + std::to_string(length) + " bytes");
    StartAndPlay(bytes, length >= ConfigFileSize);
  }
}

// ---- Saving where the file cannot be written ----

class UnwritableConfig : public ConfigFaults {
 protected:
  void SetUp() override {
    ConfigFaults::SetUp();
    test_support::LinkDataPack(dir.path());
    WriteBytes(ConfigFileName, RealSavedFile());
  }
  // Starts the game on the saved file, changes the tables and volumes, and shuts down; returns
  // what the game wrote to the standard error meanwhile.
  std::string PlayAndShutDown() {
    TRecordingAudio* audio = nullptr;
    GameRun run(audio);
    TShellValues& values = run.Values();
    run.Create();
    EXPECT_TRUE(run.RunUntil([&] { return InPlay(values); }));
    EXPECT_EQ(values.ScreenState, ResumeQuestion);
    values.HighScoreTable[ModeNormal][0].Score = 9999;
    values.MusicVolume = 1;
    ::testing::internal::CaptureStderr();
    run.Destroy();
    return ::testing::internal::GetCapturedStderr();
  }
  static bool Logged(const std::string& text) {
    for (const std::string& line : LogMessages()) {
      if (line.find(text) != std::string::npos) return true;
    }
    return false;
  }
};

TEST_F(UnwritableConfig, AReadOnlyFolderKeepsTheOldFileAndSaysSoOnStandardError) {
  fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
  const bool stillWritable = ::access(dir.path().c_str(), W_OK) == 0;
  if (stillWritable) {
    fs::permissions(dir.path(), fs::perms::owner_all);
    GTEST_SKIP() << "permissions do not stop this user (root) from writing; the blocked and "
                    "full-disk cases below cover the failing save";
  }
  const std::string errors = PlayAndShutDown();
  fs::permissions(dir.path(), fs::perms::owner_all);
  EXPECT_EQ(ConfigBytes(), RealSavedFile());
  EXPECT_NE(errors.find("Cannot create \"Config.bin.tmp\""), std::string::npos) << errors;
}

TEST_F(UnwritableConfig, ATemporaryFileThatCannotBeCreatedKeepsTheOldFile) {
  fs::create_directories("Config.bin.tmp/occupied");
  const std::string errors = PlayAndShutDown();
  EXPECT_EQ(ConfigBytes(), RealSavedFile());
  const std::string reason = "Cannot create \"Config.bin.tmp\": Is a directory";
  EXPECT_TRUE(Logged(reason));
  EXPECT_NE(errors.find(reason), std::string::npos) << errors;
}

TEST_F(UnwritableConfig, AFullDiskKeepsTheOldFileAndTheNextStartSavesAgain) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full to stand for a full disk";
  fs::create_symlink("/dev/full", "Config.bin.tmp");
  const std::string errors = PlayAndShutDown();
  EXPECT_EQ(ConfigBytes(), RealSavedFile());
  const std::string reason = "Cannot write \"Config.bin.tmp\": No space left on device";
  EXPECT_TRUE(Logged(reason));
  EXPECT_NE(errors.find(reason), std::string::npos) << errors;

  // With room again, the next shutdown saves what changed.
  EXPECT_FALSE(fs::exists(fs::symlink_status("Config.bin.tmp")));
  PlayAndShutDown();
  ConfigContents contents;
  DecodeConfig(ConfigBytes(), contents);
  EXPECT_EQ(contents.Tables[ModeNormal][0].Score, 9999);
  EXPECT_EQ(contents.MusicVolume, 1);
}

// A process saving over and over is killed at varied moments: Config.bin is always one whole
// image, the old or a new one, and the next start of the game reads it.
TEST_F(UnwritableConfig, ASaveKilledAtAnyMomentLeavesAWholeFile) {
  const std::vector<uint8_t>& old = RealSavedFile();
  std::vector<uint8_t> first = old, second = old;
  first[600] = 20;   // music volume 20
  second[600] = 80;  // music volume 80
  int killedMidway = 0;
  for (int round = 0; round < 24; ++round) {
    const pid_t saver = ::fork();
    ASSERT_GE(saver, 0);
    if (saver == 0) {
      for (std::string error;;) {
        ReplaceFile(ConfigFileName, first, error);
        ReplaceFile(ConfigFileName, second, error);
      }
    }
    std::this_thread::sleep_for(std::chrono::microseconds(150 + 997 * round % 7000));
    ::kill(saver, SIGKILL);
    int status = 0;
    ::waitpid(saver, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    killedMidway += fs::exists("Config.bin.tmp");
    const std::vector<uint8_t> now = ConfigBytes();
    ASSERT_TRUE(now == old || now == first || now == second) << "round " << round;
  }
  std::cout << "killed between creating and renaming the file: " << killedMidway << " of 24\n";
  // The game reads what was left, and its own save clears the leftover temporary file.
  PlayAndShutDown();
  EXPECT_FALSE(fs::exists("Config.bin.tmp"));
  ConfigContents contents;
  DecodeConfig(ConfigBytes(), contents);
  EXPECT_EQ(contents.Tables[ModeNormal][0].Score, 9999);
}

}  // namespace
}  // namespace marblix
