// TQzStrings: every text of the screens and dialogs, read from the translatable file "strings.txt".
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace marblix {

using TLogSink = std::function<void(const std::string&)>;
using TStringList = std::vector<std::string>;

class TQzStrings {
 public:
  // The window caption, whatever the file says.
  std::string MainCaption;

  // Screen titles and mode names.
  std::string Help;
  std::string Options;
  std::string HighScores;
  std::string Kids;
  std::string Normal;
  std::string Proff;
  // The mark in the score box while the last move can be taken back.
  std::string Undo;
  // The instructions page shown and the number of pages: "{1} / {2}".
  std::string HelpPage;
  // On the empty board after a game has ended.
  std::string PlayAgain;
  // The hint's answer when no single move makes a line.
  std::string NoLine;
  // The score text of a line made in a chain, its bonus in "{1}".
  std::string ChainBonus;
  // The daily challenge's name below the board, its date in "{1}".
  std::string Daily;

  // The statistics page: its title, the heads of its four columns (Kids, Normal, Professional,
  // daily), the labels of its rows (StatisticsRowKeys), and the daily challenge's best of today
  // ("{1}"; another line when there is none) and streak ("{1}").
  std::string Statistics;
  TStringList StatisticsHeads;
  TStringList StatisticsRows;
  std::string BestToday;
  std::string NoBestToday;
  std::string Streak;

  // The options' language row: its label, and the language's own name.
  std::string Language;
  std::string LanguageName;

  // Dialogs: a caption and the lines of the text below it.
  std::string Exit_Caption;
  TStringList Exit_Text;          // the game on the board is kept
  TStringList ExitUnscored_Text;  // it has not scored, so it is not kept
  TStringList ExitNoGame_Text;    // no game is on the board
  std::string New_Caption;
  TStringList New_Text;
  std::string Old_Caption;
  TStringList Old_Text;
  std::string Clear_Caption;
  TStringList Clear_Text;
  std::string EnterName_Caption;
  TStringList EnterName_Text;
  std::string LowScore_Caption;
  TStringList LowScore_Text;
  std::string FullScreen_Caption;
  TStringList FullScreen_Text;
  // The daily challenge's result: its date in the caption's "{1}"; in the lines, "{1}" points,
  // "{2}" lines, "{3}" the best of the day and "{4}" the days in a row.
  std::string DailyResult_Caption;
  TStringList DailyResult_Text;

  // Index of the last instructions page; the loader sets it once everything is loaded.
  uint8_t LastHelpPage = 0;

  // The file's lines while loading; empty otherwise.
  TStringList RawLines;
  // The lines of the file whose texts stand in for keys RawLines lacks, while loading.
  TStringList FallbackLines;

  // Fills every text from the file. A file that cannot be opened is logged and leaves the texts
  // empty; the result says whether the file was read.
  bool LoadStrings(const std::string& path, const TLogSink& log = {});
  // Fills every text from a language's file, taking the keys it lacks from the root's file.
  bool LoadStrings(const std::string& path, const std::string& fallbackPath,
                   const TLogSink& log = {});
  // The value of one key in a file ("" when the file or the key is missing).
  static std::string ValueInFile(const std::string& path, const std::string& key);

  // The line after the first "$key" line, or "" when there is none (of the fallback's lines when
  // RawLines has no such line).
  std::string FindValue(const std::string& key) const;
  // Appends the lines of the first "@key" block to the list.
  void FindBlock(const std::string& key, TStringList& list) const;

 private:
  // The lines holding marker + key (RawLines, else FallbackLines) and the index of the first line
  // that reads so (trimmed, any case, comments skipped); the index is the lines' size when none
  // does.
  std::pair<const TStringList*, size_t> FindKeyLine(char marker, const std::string& key) const;
  void FillTexts();
};

// The text with every placeholder "{n}" (n counted from 1) replaced by the n-th value, so that a
// translation can put the numbers where its language wants them. A placeholder without a value
// stays as it is.
std::string FormatText(std::string_view text, std::initializer_list<std::string_view> values);
// The keys of the statistics page's column heads and row labels, in order.
extern const std::vector<std::string> StatisticsHeadKeys;
extern const std::vector<std::string> StatisticsRowKeys;

}  // namespace marblix
