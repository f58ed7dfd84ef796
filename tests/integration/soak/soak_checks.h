// What the soak bot checks after every frame and event: the screen word, the board, the shell's
// values, the score across a game, the placing of a final score and the high-score tables.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "board/qz_Field.h"
#include "shell/config_file.h"
#include "shell/defs.h"

namespace marblix::soak {

// The words the screen table allows: a plain base screen, or a base screen from the menu to the
// instructions with DialogOpen and exactly one dialog kind.
bool IsAllowedScreenWord(uint32_t word);

// Each returns a description of the first fault it finds, or an empty string.

// At most 81 balls, every ball and preview entry one of the kinds the game creates.
std::string BoardFault(const TGameField& board);
// The screen word, the mode, the volumes, the player's name and the new entry's row in range.
std::string ShellValuesFault(const TShellValues& values);
// Every table in descending order of score, every name length within its field.
std::string TablesFault(const HighScoreTables& tables);

// The table of `mode` after a game that ended with `finalScore`: the rows that score beats move
// down one and it takes the place of the first of them, keeping that row's name for now.
// `row` is the row it takes, or HighScoreRows when it does not enter the table.
HighScoreTables ExpectedAfterPlacing(const HighScoreTables& before, uint8_t mode,
                                     int32_t finalScore, int& row);

// Sets a row's name as the game stores it: as many of its first letters as 16 bytes hold.
void SetEntryName(HighScoreEntry& entry, const std::string& name);
// The name's longest beginning, in whole letters, whose kept bytes fit a row.
std::string KeptName(const std::string& name);

// Compares two Config.bin images as a fresh start reads them: the tables, the volumes, the
// saved-game flag and, when a game is saved, the game itself.
std::string ConfigDifference(const ConfigContents& expected, const ConfigContents& actual);

// Follows the score through one stretch of play. The score never falls during a game: it goes
// back to 0 only when a new game starts (an input event leaves a fresh game or the empty menu)
// or when the game ends (a frame opens the name question or the low-score message), and back to
// the score a move started from only when that move is taken back.
class ScoreWatch {
 public:
  enum class Change { None, Rose, NewGame, GameOver, TakenBack };

  // Takes the current score as the baseline (start of a run, a resumed game).
  void Restart(int32_t score) { last_ = score; }
  int32_t Last() const { return last_; }
  // A move started with this score.
  void MoveStarted(int32_t score) { moveStarts_.push_back(score); }

  // After an input event; `boardEmpty` tells whether the board holds no ball, `takenBack`
  // whether the board took a move back in it.
  Change AfterEvent(const TShellValues& values, bool boardEmpty, bool takenBack,
                    std::string& fault);
  // After a frame; `screenBefore` is the screen word before the frame.
  Change AfterFrame(const TShellValues& values, uint32_t screenBefore, bool takenBack,
                    std::string& fault);

 private:
  // A fall to the score the last move not yet taken back started from, when it was taken back.
  bool TakenBackTo(int32_t score, bool takenBack);

  int32_t last_ = 0;
  // The scores the game's moves started from, the last move's at the back.
  std::vector<int32_t> moveStarts_;
};

// True when the word shows the end of a game: the name question, the low-score message or the
// daily challenge's result.
bool IsGameOverWord(uint32_t word);
bool IsDailyResultWord(uint32_t word);

}  // namespace marblix::soak
