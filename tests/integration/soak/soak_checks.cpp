// The soak bot's checks: screen words, board, shell values, score watch, placing and tables.
#include "integration/soak/soak_checks.h"

#include <algorithm>
#include <bit>
#include <sstream>

#include "platform/system/text_encoding.h"
#include "shell/high_scores.h"

namespace marblix::soak {
namespace {

constexpr uint32_t PlayingScreens = MenuScreen | GameScreen | OptionsScreen | HighScoresScreen |
                                    InstructionsScreen | StatisticsScreen;
constexpr uint32_t DialogKindBits = ExitDialog | NewGameDialog | OldGameDialog | ClearScoresDialog |
                                    EnterNameDialog | LowScoreDialog | FullScreenDialog |
                                    DailyResultDialog;

std::string Hex(uint32_t value) {
  std::ostringstream out;
  out << "0x" << std::hex << value;
  return out.str();
}

bool IsKind(const TCell& cell) {
  return std::find(BallKinds.begin() + 1, BallKinds.end(), cell) != BallKinds.end();
}

bool IsKindMask(uint32_t mask) {
  return std::any_of(BallKinds.begin() + 1, BallKinds.end(),
                     [mask](const TCell& kind) { return kind.Mask == mask; });
}

std::string CellText(const TCell& cell) {
  return "mask " + Hex(cell.Mask) + " look " + std::to_string(cell.Look);
}

}  // namespace

bool IsAllowedScreenWord(uint32_t word) {
  if (word == LogoScreen || word == LoadingScreen) return true;
  const uint32_t base = word & 0xFF;
  if (std::popcount(base) != 1 || (base & PlayingScreens) == 0) return false;
  const uint32_t rest = word & ~uint32_t{0xFF};
  if (rest == 0) return true;
  const uint32_t kind = rest & ~DialogOpen;
  return (rest & DialogOpen) != 0 && (kind & ~DialogKindBits) == 0 && std::popcount(kind) == 1;
}

bool IsGameOverWord(uint32_t word) {
  return word == (DialogOpen | EnterNameDialog | HighScoresScreen) ||
         word == (DialogOpen | LowScoreDialog | HighScoresScreen) || IsDailyResultWord(word);
}

bool IsDailyResultWord(uint32_t word) {
  return word == (DialogOpen | DailyResultDialog | StatisticsScreen);
}

std::string BoardFault(const TGameField& board) {
  int cells = 0, balls = 0;
  for (const TCell& cell : board.FCells) {
    ++cells;
    if (cell.Mask == 0) continue;
    ++balls;
    if (!IsKindMask(cell.Mask)) return "a cell holds an unknown ball kind: " + CellText(cell);
    // A ball whose look does not belong to its mask makes the saved game look damaged.
    if (!IsKind(cell)) return "a cell's look does not match its ball kind: " + CellText(cell);
  }
  if (cells != BoardWidth * BoardHeight) return "the board has " + std::to_string(cells) + " cells";
  if (balls > BoardWidth * BoardHeight) return std::to_string(balls) + " balls on the board";
  for (const TCell& next : board.FPreview) {
    // The preview is empty only before the first drop of a run.
    if (next.Mask != 0 && !IsKind(next)) return "a preview ball is unknown: " + CellText(next);
  }
  return {};
}

std::string ShellValuesFault(const TShellValues& values) {
  if (!IsAllowedScreenWord(values.ScreenState))
    return "ScreenState " + Hex(values.ScreenState) + " not allowed";
  if (values.GameMode > ModeProfessional) return "GameMode " + std::to_string(values.GameMode);
  if (values.RequestedMode > ModeProfessional)
    return "RequestedMode " + std::to_string(values.RequestedMode);
  if (values.MusicVolume < 0 || values.MusicVolume > 100)
    return "MusicVolume " + std::to_string(values.MusicVolume);
  if (values.SoundVolume < 0 || values.SoundVolume > 100)
    return "SoundVolume " + std::to_string(values.SoundVolume);
  if (NameBytes(values.PlayerName).size() > NameFieldLength)
    return "PlayerName of " + std::to_string(NameBytes(values.PlayerName).size()) + " bytes";
  if (values.NewEntryRow < 0 || values.NewEntryRow >= HighScoreRows)
    return "NewEntryRow " + std::to_string(values.NewEntryRow);
  if (values.Score < 0) return "negative score " + std::to_string(values.Score);
  return {};
}

std::string TablesFault(const HighScoreTables& tables) {
  for (int mode = 0; mode < HighScoreModes; ++mode) {
    for (int row = 0; row < HighScoreRows; ++row) {
      const HighScoreEntry& entry = tables[mode][row];
      const std::string where = "table " + std::to_string(mode) + " row " + std::to_string(row);
      if (entry.NameLength > entry.Name.size()) return where + ": name length too long";
      if (row > 0 && entry.Score > tables[mode][row - 1].Score)
        return where + ": score " + std::to_string(entry.Score) + " above the row before (" +
               std::to_string(tables[mode][row - 1].Score) + ")";
    }
  }
  return {};
}

HighScoreTables ExpectedAfterPlacing(const HighScoreTables& before, uint8_t mode,
                                     int32_t finalScore, int& row) {
  HighScoreTables after = before;
  auto& table = after[std::min<int>(mode, HighScoreModes - 1)];
  row = 0;
  while (row < HighScoreRows && int32_t{table[row].Score} >= finalScore) ++row;
  if (row == HighScoreRows) return after;
  for (int r = HighScoreRows - 1; r > row; --r) table[r] = table[r - 1];
  table[row].Score = static_cast<uint16_t>(std::clamp(finalScore, 0, HighestStoredScore));
  return after;
}

std::string KeptName(const std::string& name) {
  std::string kept = name;
  while (NameBytes(kept).size() > StoredNameLength)
    kept.resize(kept.size() - LastCharacterSize(kept));
  return kept;
}

void SetEntryName(HighScoreEntry& entry, const std::string& name) {
  const std::string bytes = NameBytes(KeptName(name));
  entry.NameLength = static_cast<uint8_t>(bytes.size());
  std::copy(bytes.begin(), bytes.end(), entry.Name.begin());
}

std::string ConfigDifference(const ConfigContents& expected, const ConfigContents& actual) {
  for (int mode = 0; mode < HighScoreModes; ++mode) {
    for (int row = 0; row < HighScoreRows; ++row) {
      const HighScoreEntry& a = expected.Tables[mode][row];
      const HighScoreEntry& b = actual.Tables[mode][row];
      if (a.Score != b.Score || EntryName(a) != EntryName(b))
        return "table " + std::to_string(mode) + " row " + std::to_string(row) + ": " +
               EntryName(a) + " " + std::to_string(a.Score) + " became " + EntryName(b) + " " +
               std::to_string(b.Score);
    }
  }
  if (expected.MusicVolume != actual.MusicVolume || expected.SoundVolume != actual.SoundVolume)
    return "volumes changed";
  if (expected.SavedGameFlag != actual.SavedGameFlag)
    return "saved-game flag " + std::to_string(expected.SavedGameFlag) + " became " +
           std::to_string(actual.SavedGameFlag);
  if (expected.SavedGameFlag == 0) return {};
  const SavedGameRecord& a = expected.Game;
  const SavedGameRecord& b = actual.Game;
  if (a.Mode != b.Mode || a.Score != b.Score || a.NextCount != b.NextCount)
    return "saved game's mode, score or drop count changed: score " + std::to_string(a.Score) +
           " became " + std::to_string(b.Score);
  if (a.Preview != b.Preview) return "saved game's preview changed";
  if (a.Cells != b.Cells) return "saved game's board changed";
  return {};
}

bool ScoreWatch::TakenBackTo(int32_t score, bool takenBack) {
  if (!takenBack || moveStarts_.empty() || score != moveStarts_.back()) return false;
  moveStarts_.pop_back();
  return true;
}

ScoreWatch::Change ScoreWatch::AfterEvent(const TShellValues& values, bool boardEmpty,
                                          bool takenBack, std::string& fault) {
  const int32_t before = last_;
  last_ = values.Score;
  if (values.Score == before) return Change::None;
  if (values.Score > before) {
    fault = "an input event raised the score from " + std::to_string(before) + " to " +
            std::to_string(values.Score);
    return Change::Rose;
  }
  const bool freshGame = values.ScreenState == GameScreen && !values.GameUnderWay;
  const bool emptyMenu = values.ScreenState == MenuScreen && boardEmpty;
  if (values.Score == 0 && (freshGame || emptyMenu)) {
    moveStarts_.clear();
    return Change::NewGame;
  }
  if (TakenBackTo(values.Score, takenBack)) return Change::TakenBack;
  fault = "an input event lowered the score from " + std::to_string(before) + " to " +
          std::to_string(values.Score) + " (screen " + Hex(values.ScreenState) + ")";
  return Change::None;
}

ScoreWatch::Change ScoreWatch::AfterFrame(const TShellValues& values, uint32_t screenBefore,
                                          bool takenBack, std::string& fault) {
  const int32_t before = last_;
  last_ = values.Score;
  const bool ended = IsGameOverWord(values.ScreenState) && !IsGameOverWord(screenBefore);
  if (values.Score < before && TakenBackTo(values.Score, takenBack)) return Change::TakenBack;
  if (values.Score < before && !(ended && values.Score == 0)) {
    fault = "a frame lowered the score from " + std::to_string(before) + " to " +
            std::to_string(values.Score) + " (screen " + Hex(values.ScreenState) + ")";
  }
  if (ended) {
    moveStarts_.clear();
    return Change::GameOver;
  }
  return values.Score > before ? Change::Rose : Change::None;
}

}  // namespace marblix::soak
