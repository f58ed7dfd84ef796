// Whole runs of the game over a damaged asset pack: every file missing in turn, pictures, the font,
// the lists and sounds truncated or corrupted, and a log that cannot be written. Each time the game
// starts, logs the damage, reaches the game screen, moves a ball and keeps the scores it found.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <optional>
#include <random>

#include "graphics/TGAReader.h"
#include "integration/game_run.h"
#include "platform/audio/MixerAudio.h"
#include "shell/config_file.h"
#include "shell/high_scores.h"
#include "support/DataPack.h"

namespace marblix {
namespace {

namespace fs = std::filesystem;
using test_support::CellX;
using test_support::CellY;
using test_support::GameRun;
using test_support::LogMessages;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool SanitizerBuild = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool SanitizerBuild = true;
#else
constexpr bool SanitizerBuild = false;
#endif
#else
constexpr bool SanitizerBuild = false;
#endif

const fs::path& Pack() {
  static const fs::path pack = MARBLIX_DATA_DIR;
  return pack;
}

// Every file of the generated pack. The languages' folders are left out: the runs speak English,
// which reads none of them.
std::vector<std::string> PackFiles() {
  return testing::PackFilesIn(Pack(), "lang");
}

// A Windows build runs under Wine, where each run copies the pack (Wine makes no links).
constexpr bool WindowsBuild = std::filesystem::path::preferred_separator == '\\';

// How many pack files the sweeps take: MARBLIX_FAULT_STRIDE=n takes every n-th; without it the
// optimised build takes all of them and the sanitizer and Windows builds, where a whole run costs
// ten times as much, a fixed sample.
std::optional<int> ChosenStride() {
  const char* chosen = std::getenv("MARBLIX_FAULT_STRIDE");
  if (chosen == nullptr) {
    return SanitizerBuild || WindowsBuild ? std::nullopt : std::optional<int>(1);
  }
  return std::max(1, std::atoi(chosen));
}

// The sanitizer build's sample: a dialog button, the font metrics and glyph map, the music and both
// lists.
bool InSanitizerSample(const std::string& file) {
  return file == "graphics/buttons/yes.tga" || file == "graphics/font/font.rls" ||
         file == "graphics/font/font.map" || file == "music/theme.ogg" || file == "sounds.txt" ||
         file == "strings.txt";
}

std::vector<std::string> SweptFiles() {
  const std::optional<int> stride = ChosenStride();
  std::vector<std::string> swept;
  const std::vector<std::string> all = PackFiles();
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (stride ? i % *stride == 0 : InSanitizerSample(all[i])) swept.push_back(all[i]);
  }
  return swept;
}

// Sounds are only looked at by the real audio library; everything else runs with the recording one.
bool NeedsRealAudio(const std::string& file) {
  return file.ends_with(".ogg") || file == "sounds.txt";
}

void WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

// Links `from` into `into` entry by entry, except the path to `damaged` (relative to `from`): the
// folders on its way are made anew, and the file itself is left out or written with the bytes.
void LinkFolderExcept(const fs::path& from, const fs::path& into, const fs::path& damaged,
                      const std::optional<std::vector<uint8_t>>& replacement) {
  const fs::path first = damaged.empty() ? fs::path() : *damaged.begin();
  for (const auto& entry : fs::directory_iterator(from)) {
    const fs::path name = entry.path().filename();
    if (name != first) {
      testing::LinkOrCopy(entry.path(), into / name);
    } else if (entry.is_directory()) {
      fs::create_directory(into / name);
      LinkFolderExcept(entry.path(), into / name, damaged.lexically_relative(first), replacement);
    } else if (replacement) {
      WriteFile(into / name, *replacement);
    }
  }
}

// The pack in `into`, with `damaged` left out or written with the given bytes.
void BuildPack(const fs::path& into, const std::string& damaged,
               const std::optional<std::vector<uint8_t>>& replacement) {
  for (const char* top : {"graphics", "lang", "music", "sounds", "sounds.txt", "strings.txt"}) {
    const fs::path path = Pack() / top;
    if (!fs::exists(path)) continue;
    const fs::path relative = fs::path(damaged).lexically_relative(top);
    const bool inside = !damaged.empty() && !relative.empty() && *relative.begin() != "..";
    if (!inside) {
      testing::LinkOrCopy(path, into / top);
    } else if (fs::is_directory(path)) {
      fs::create_directory(into / top);
      LinkFolderExcept(path, into / top, relative, replacement);
    } else if (replacement) {
      WriteFile(into / top, *replacement);
    }
  }
}

// A Config.bin whose tables hold a score no default has, to see that nothing is lost.
constexpr uint16_t KeptScore = 4242;
constexpr const char* KeptName = "Survivor";

void WriteKeptScores() {
  ConfigContents contents;
  TShellValues defaults;
  for (uint8_t m = 0; m < HighScoreModes; ++m) ResetScoreTable(defaults, m);
  contents.Tables = defaults.HighScoreTable;
  HighScoreEntry& best = contents.Tables[ModeNormal][0];
  best.Score = KeptScore;
  best.NameLength = static_cast<uint8_t>(std::string(KeptName).size());
  std::copy_n(KeptName, best.NameLength, best.Name.begin());
  contents.MusicVolume = 40;
  contents.SoundVolume = 60;
  std::string error;
  ASSERT_TRUE(ReplaceFile(ConfigFileName, EncodeConfig(contents), error)) << error;
}

bool KeptScoresSurvived() {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(ConfigFileName, bytes) || bytes.size() != ConfigFileSize) return false;
  ConfigContents contents;
  DecodeConfig(bytes, contents);
  const HighScoreEntry& best = contents.Tables[ModeNormal][0];
  return best.Score == KeptScore && EntryName(best) == KeptName && contents.MusicVolume == 40 &&
         contents.SoundVolume == 60;
}

// The first ball with an empty cell to its right.
bool FindMovableBall(TGameField& board, int& x, int& y) {
  for (y = 0; y < 9; ++y) {
    for (x = 0; x < 8; ++x) {
      if (board.FCells(x, y).Mask != 0 && board.FCells(x + 1, y).Mask == 0) return true;
    }
  }
  return false;
}

bool LogMentions(const std::string& text) {
  for (const std::string& line : LogMessages()) {
    if (line.find(text) != std::string::npos && line.rfind("Loaded Texture", 0) != 0) return true;
  }
  return false;
}

// The log without its texture lines, for failure messages.
std::string LogExcerpt() {
  std::string excerpt;
  for (const std::string& line : LogMessages()) {
    if (line.rfind("Loaded Texture", 0) != 0) excerpt += "  " + line + "\n";
  }
  return excerpt;
}

std::string BaseName(const std::string& file) {
  return fs::path(file).filename().string();
}

// One whole run in the current folder (with the real audio library on SDL's dummy driver when
// sounds are to be really decoded): start, game screen, a ball moved by drag and drop,
// the exit question answered Yes; the kept scores must be in Config.bin afterwards.
void PlayAMoveAndQuit(bool realAudio, const std::string& language = "en") {
  TRecordingAudio* recording = nullptr;
  GameRun run(recording);
  TShellValues& values = run.Values();
  values.Language = language;
  std::optional<TScopedAudioLibrary> mixer;
  if (realAudio) mixer.emplace(std::make_unique<TMixerAudio>());
  run.Create();
  ASSERT_TRUE(run.RunUntil(
      [&] { return values.ScreenState != LogoScreen && values.ScreenState != LoadingScreen; }));
  ASSERT_EQ(values.ScreenState, GameScreen);

  TGameField& board = *run.Form().Board;
  run.Frames(10);  // the opening balls have appeared
  int x = 0, y = 0;
  ASSERT_TRUE(FindMovableBall(board, x, y));
  const uint32_t look = board.FCells(x, y).Look;
  board.FCells(x + 1, y).Look = (look + 1) % 7;  // only the arrival can make the looks match
  run.Drag(CellX(x), CellY(y), CellX(x + 1), CellY(y));
  run.Frames(3);
  EXPECT_NE(board.FCells(x + 1, y).Mask, 0u);
  EXPECT_EQ(board.FCells(x + 1, y).Look, look);
  EXPECT_TRUE(values.GameUnderWay);

  EXPECT_FALSE(run.RequestClose());
  run.Idle();
  run.ClickYes();
  EXPECT_TRUE(run.Application().Terminated());
  run.Destroy();
  mixer.reset();
  EXPECT_TRUE(KeptScoresSurvived());
  if (fs::is_regular_file(fs::symlink_status("Log.txt"))) {
    EXPECT_EQ(LogMessages().back(), "Saving config ...");
  }
}

enum class Damage { Missing, Empty, OneByte, Half, AllButLastByte, FlippedBytes, GarbageHeader };

const char* NameOf(Damage damage) {
  switch (damage) {
    case Damage::Missing:
      return "missing";
    case Damage::Empty:
      return "empty";
    case Damage::OneByte:
      return "one_byte";
    case Damage::Half:
      return "half";
    case Damage::AllButLastByte:
      return "all_but_the_last_byte";
    case Damage::FlippedBytes:
      return "flipped_bytes";
    case Damage::GarbageHeader:
      return "garbage_header";
  }
  return "";
}

// The damaged contents of a pack file; nothing for a missing one. Seeded by the file's name.
std::optional<std::vector<uint8_t>> Damaged(const std::string& file, Damage damage) {
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(ReadWholeFile(Pack() / file, bytes)) << file;
  std::mt19937 random(static_cast<uint32_t>(std::hash<std::string>{}(file)));
  std::uniform_int_distribution<int> anyByte(0, 255);
  switch (damage) {
    case Damage::Missing:
      return std::nullopt;
    case Damage::Empty:
      bytes.clear();
      break;
    case Damage::OneByte:
      bytes.resize(std::min<std::size_t>(bytes.size(), 1));
      break;
    case Damage::Half:
      bytes.resize(bytes.size() / 2);
      break;
    case Damage::AllButLastByte:
      if (!bytes.empty()) bytes.pop_back();
      break;
    case Damage::FlippedBytes: {
      // One byte in 64 inverted, the first 32 bytes (headers) among them in any case.
      std::uniform_int_distribution<std::size_t> at(0, bytes.empty() ? 0 : bytes.size() - 1);
      for (std::size_t i = 0; i < std::min<std::size_t>(bytes.size(), 32); i += 3) bytes[i] ^= 0xFF;
      for (std::size_t n = 0; n < bytes.size() / 64 && !bytes.empty(); ++n)
        bytes[at(random)] ^= 0xFF;
      break;
    }
    case Damage::GarbageHeader:
      for (std::size_t i = 0; i < std::min<std::size_t>(bytes.size(), 64); ++i)
        bytes[i] = static_cast<uint8_t>(anyByte(random));
      break;
  }
  return bytes;
}

// Whether the game must say in its log that the file is unusable: it is missing, or too short to
// hold anything, and it is not one of the two lists (an empty list is a list without entries) nor
// a language's picture (the root's stands in for it).
bool MustBeLogged(const std::string& file, Damage damage) {
  const bool languagePicture = file.starts_with("lang/") &&
                               file.find("/graphics/") != std::string::npos &&
                               file.find("/font/") == std::string::npos;
  if (languagePicture) return false;
  const bool list = file.ends_with("strings.txt") || file == "sounds.txt";
  if (damage == Damage::Missing) return true;
  return !list && (damage == Damage::Empty || damage == Damage::OneByte);
}

struct Fault {
  std::string File;
  Damage Kind;
  std::string Language = "en";  // the language the run speaks
};

// Faults tried one after the other in one test, each over a fresh copy of the pack: one test per
// group keeps the number of processes (and the suite's time) down.
struct FaultGroup {
  std::string Name;
  std::vector<Fault> Faults;
};

void PrintTo(const FaultGroup& group, std::ostream* out) {
  *out << group.Name << " (" << group.Faults.size() << " faults)";
}

std::string TestNameOf(const FaultGroup& group) {
  std::string name = group.Name;
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return name;
}

// Every swept file missing, grouped by folder, at most 16 to a group.
std::vector<FaultGroup> EveryFileMissing() {
  constexpr std::size_t GroupSize = 16;
  std::map<std::string, std::vector<std::string>> byFolder;
  for (const std::string& file : SweptFiles())
    byFolder[fs::path(file).parent_path().string()].push_back(file);
  std::vector<FaultGroup> groups;
  for (const auto& [folder, files] : byFolder) {
    for (std::size_t first = 0; first < files.size(); first += GroupSize) {
      const std::string name = folder.empty() ? "lists" : folder;
      groups.push_back({name + "_" + std::to_string(first / GroupSize + 1), {}});
      for (std::size_t i = first; i < std::min(files.size(), first + GroupSize); ++i)
        groups.back().Faults.push_back({files[i], Damage::Missing});
    }
  }
  return groups;
}

// Pictures of each kind (ball, dialog button, large panel, start-up picture, JPEG, both BMPs),
// the font, both lists, a sound and the music, each damaged in every way; one group per file.
std::vector<FaultGroup> RepresentativeFilesDamaged() {
  if (!test_support::DataPackExists()) return {};
  if (!ChosenStride()) {
    // The sanitizer build's sample: every reader, each with another kind of damage.
    return {{"sample",
             {{"graphics/balls/1_0.tga", Damage::Half},
              {"graphics/background.jpg", Damage::GarbageHeader},
              {"graphics/font/font.bmp", Damage::AllButLastByte},
              {"graphics/font/font.rls", Damage::OneByte},
              {"graphics/font/font.map", Damage::FlippedBytes},
              {"strings.txt", Damage::FlippedBytes},
              {"sounds.txt", Damage::Half},
              {"music/theme.ogg", Damage::FlippedBytes}}}};
  }
  std::vector<FaultGroup> groups;
  for (const char* file :
       {"graphics/balls/1_0.tga", "graphics/buttons/yes.tga", "graphics/ingame.tga",
        "graphics/logo/vexmo.tga", "graphics/background.jpg", "graphics/explosion.bmp",
        "graphics/font/font.bmp", "graphics/font/font.rls", "graphics/font/font.map",
        "graphics/font/font_ext.tga", "strings.txt", "sounds.txt", "sounds/drop.ogg",
        "music/theme.ogg"}) {
    groups.push_back({file, {}});
    for (Damage damage : {Damage::Empty, Damage::OneByte, Damage::Half, Damage::AllButLastByte,
                          Damage::FlippedBytes, Damage::GarbageHeader}) {
      groups.back().Faults.push_back({file, damage});
    }
  }
  return groups;
}

// The start of the log line that reports the fault, where the README's table quotes it.
std::optional<std::string> ReportOf(const Fault& fault) {
  const bool gone = fault.Kind == Damage::Missing;
  const bool unreadable = fault.Kind == Damage::Empty || fault.Kind == Damage::OneByte;
  if (fault.File == "graphics/balls/1_0.tga") {
    if (gone) return R"(Picture ".\graphics\balls\1_0.tga" missing: NO IMAGE shown instead)";
    if (fault.Kind == Damage::Half) {
      return R"(Picture ".\graphics\balls\1_0.tga" unreadable (TGA file ")" +
             NativePath(R"(.\graphics\balls\1_0.tga)") +
             R"(" is truncated): NO IMAGE shown instead)";
    }
  }
  if (fault.File == "graphics/font/font.rls" && (gone || unreadable)) {
    return R"(Font metrics "graphics/font/font.rls" missing or shorter than 258 bytes: )"
           R"(no text is drawn)";
  }
  if (fault.File == "graphics/font/font.bmp" && unreadable)
    return R"(Font glyphs ".\graphics\font\font.bmp" unreadable ()";
  if (fault.File == "graphics/font/font.map" && gone)
    return R"(Font map "graphics/font/font.map" missing: the font is read from font.rls)";
  if (fault.File == "graphics/font/font.map" && fault.Kind == Damage::Empty)
    return R"(Font map "graphics/font/font.map" gives no glyph: the font is read from font.rls)";
  if (fault.File == "graphics/font/font_ext.tga" && gone)
    return R"(Font sheet "graphics/font/font_ext.tga" missing: its glyphs are drawn as boxes)";
  if (fault.File == "graphics/font/font_ext.tga" && unreadable)
    return R"(Font sheet "graphics/font/font_ext.tga" unreadable ()";
  if (fault.File == "lang/de/strings.txt" && gone)
    return R"(Cannot open file "lang/de/strings.txt": the root's texts are shown)";
  if (fault.File == "lang/ja/graphics/font/font_ja.tga" && gone)
    return R"(Font sheet "lang/ja/graphics/font/font_ja.tga" missing: its glyphs are drawn as boxes)";
  if (fault.File == "strings.txt" && gone)
    return R"(Cannot open file "strings.txt": the screens show no texts)";
  if (fault.File == "sounds.txt" && gone)
    return R"(Cannot open file "sounds.txt": sound effects are off)";
  if (fault.File == "sounds/drop.ogg" && (gone || unreadable))
    return R"(Cannot load sound "./sounds/drop.ogg": it stays silent)";
  if (fault.File == "music/theme.ogg" && (gone || unreadable))
    return R"(Cannot load music "./music/theme.ogg": no music plays)";
  return std::nullopt;
}

bool LogHasLineStartingWith(const std::string& start) {
  const auto log = LogMessages();
  return std::any_of(log.begin(), log.end(),
                     [&](const std::string& line) { return line.rfind(start, 0) == 0; });
}

// font.rls and font.bmp are the whole font of a pack without a glyph map (a pack made before the
// font drew every script): their faults are played in such a pack.
bool PlayedWithoutGlyphMap(const std::string& file) {
  return file == "graphics/font/font.rls" || file == "graphics/font/font.bmp";
}

// One whole run over the pack with the fault: it must start, log the fault, play and save.
void RunWith(const Fault& fault) {
  SCOPED_TRACE(fault.File + " " + NameOf(fault.Kind));
  testing::TScopedWorkingDirectory dir;
  BuildPack(dir.path(), fault.File, Damaged(fault.File, fault.Kind));
  std::error_code noMap;
  if (PlayedWithoutGlyphMap(fault.File)) fs::remove("graphics/font/font.map", noMap);
  WriteKeptScores();
  PlayAMoveAndQuit(NeedsRealAudio(fault.File), fault.Language);
  if (MustBeLogged(fault.File, fault.Kind)) {
    EXPECT_TRUE(LogMentions(BaseName(fault.File))) << "no log line names " << fault.File << ":\n"
                                                   << LogExcerpt();
  }
  if (const std::optional<std::string> report = ReportOf(fault)) {
    EXPECT_TRUE(LogHasLineStartingWith(*report)) << *report << "\n" << LogExcerpt();
  }
}

class DamagedPack : public ::testing::TestWithParam<FaultGroup> {};

TEST_P(DamagedPack, TheGameStartsLogsTheDamagePlaysAndKeepsTheScores) {
  for (const Fault& fault : GetParam().Faults) RunWith(fault);
}

// A language's files, in a run that speaks it: its texts, a picture, its glyph map and sheet.
std::vector<FaultGroup> LanguageFilesDamaged() {
  if (!test_support::DataPackExists() || !fs::is_directory(Pack() / "lang" / "ja")) return {};
  return {{"languages",
           {{"lang/de/strings.txt", Damage::Missing, "de"},
            {"lang/de/strings.txt", Damage::FlippedBytes, "de"},
            {"lang/de/graphics/buttons/new game.tga", Damage::Missing, "de"},
            {"lang/de/graphics/help0.tga", Damage::Half, "de"},
            {"lang/ja/graphics/font/font.map", Damage::GarbageHeader, "ja"},
            {"lang/ja/graphics/font/font_ja.tga", Damage::Missing, "ja"}}}};
}

INSTANTIATE_TEST_SUITE_P(EveryFileMissing, DamagedPack, ::testing::ValuesIn(EveryFileMissing()),
                         [](const auto& param) { return TestNameOf(param.param); });
INSTANTIATE_TEST_SUITE_P(Damaged, DamagedPack, ::testing::ValuesIn(RepresentativeFilesDamaged()),
                         [](const auto& param) { return TestNameOf(param.param); });
INSTANTIATE_TEST_SUITE_P(Language, DamagedPack, ::testing::ValuesIn(LanguageFilesDamaged()),
                         [](const auto& param) { return TestNameOf(param.param); });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(DamagedPack);

// A log that cannot be written, as on a full disk, does not stop the loading.
class UnwritableLog : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test_support::DataPackExists()) GTEST_SKIP() << "no asset pack";
    BuildPack(dir.path(), "", std::nullopt);
    WriteKeptScores();
  }
  testing::TScopedWorkingDirectory dir;
};

TEST_F(UnwritableLog, OnAFullDiskTheGameStillLoadsPlaysAndSaves) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  fs::create_symlink("/dev/full", "Log.txt");
  PlayAMoveAndQuit(false);
}

TEST_F(UnwritableLog, InTheWayOfAFolderTheGameStillLoadsPlaysAndSaves) {
  fs::create_directories("Log.txt/occupied");
  PlayAMoveAndQuit(false);
}

}  // namespace
}  // namespace marblix
