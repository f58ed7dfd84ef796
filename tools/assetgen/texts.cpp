// strings.txt: every title, mode name and dialog text the screens show, in the game's own
// key format ("$key" then the value line; "@key", "{", lines, "}").
#include <sstream>
#include <string>
#include <vector>

#include "assetgen/art.h"

namespace assetgen {

namespace {

constexpr const char* kStrings = R"(; Marblix - texts of the screens and dialogs.
; Translate the lines below a key; keep the keys, the "{" and "}" lines as they are.
; A value is the one line after its "$" key; a block is every line between "{" and "}".
; Dialog texts show at most five lines.

$MainCaption
Marblix v1.00

; Panel titles
$Help
Instructions
$Options
Options
$HighScores
High scores

; Mode names shown below the board
$Kids
Kids
$Normal
Normal
$Proff
Professional

; Under the instructions page: the page shown and the number of pages
$HelpPage
{1} / {2}

; On the empty board after a game has ended
$PlayAgain
Click the board or press Enter to play again

; The hint (H) when no single move makes a line
$NoLine
No line in one move

; Rising from a line made in a chain of lines; {1} is the bonus
$ChainBonus
+{1} Chain Bonus

; Shown in the score box while the last move can be taken back
$Undo
Undo (Ctrl+Z)

; The daily challenge's name below the board; {1} is its date, 2026-12-09
$Daily
Daily {1}

; The statistics page: its title, the heads of its columns and the labels of its rows
$Statistics
Statistics
$Stats_Kids
Kids
$Stats_Normal
Normal
$Stats_Professional
Pro
$Stats_Daily
Daily
$Stats_Played
Games played
$Stats_Finished
Games finished
$Stats_Best
Best score
$Stats_Average
Average score
$Stats_Lines
Lines made
$Stats_Balls
Balls cleared
$Stats_Chain
Longest chain
$Stats_Bombs
Bombs set off
$Stats_Time
Time played
; Below the table; {1} is a score, then a number of days
$BestToday
Best daily score today: {1}
$NoBestToday
No daily challenge finished today
$Streak
Days in a row with a daily challenge: {1}

; Dialogs. In the name and low-score questions {1} is the final score, {2} its place in the
; table; put them where the sentence needs them.
$Exit_Caption
Leave Marblix?
; The game on the board has scored: it is kept.
@Exit_Text
{
Your game is kept safe and
waits for you next time.
}
; The game on the board has not scored yet: it is not kept.
@ExitUnscored_Text
{
This game has no points yet,
so it is not kept.
}
; No game is on the board.
@ExitNoGame_Text
{
Your high scores are kept.
See you next time!
}

$New_Caption
Start a new game?
@New_Text
{
The game on the board
will be lost.
}

$Old_Caption
Welcome back!
@Old_Text
{
Your last game is still here.
Do you want to go on
where you left off?
}

$Clear_Caption
Clear the high scores?
@Clear_Text
{
This table goes back to its
starting names and scores.
This cannot be undone.
}

$EnterName_Caption
A new high score!
@EnterName_Text
{
{1} points: place {2}!
Type your name:
}

$LowScore_Caption
Game over
@LowScore_Text
{
{1} points: no place in
the best ten this time.
Play again?
}

$DailyResult_Caption
Daily challenge {1}
; {1} points, {2} lines, {3} the best score of the day, {4} the days in a row
@DailyResult_Text
{
{1} points, {2} lines
Best of the day: {3}
Days in a row: {4}
Copied for sharing.
Play today's challenge?
}

$FullScreen_Caption
Switch the display?
@FullScreen_Text
{
The new display setting
is used at the next start.
Quit Marblix now?
}

; The language row of the options panel: its label, and this language's name in its own words
$Language
Language
$LanguageName
English
)";

// The room each text of strings.txt has on the screen, in the game's own font (17 px letters,
// about 10 px a letter at full size), for the template's translator comments.
struct StringRoom {
  const char* key;
  const char* room;
};

constexpr StringRoom kRooms[] = {
    {"Help",
     "Title of the instructions panel, on its plate\none line of at most 240 px at full "
     "size (about 22 letters)"},
    {"Options",
     "Title of the options panel, on its plate\none line of at most 240 px at full "
     "size (about 22 letters)"},
    {"HighScores",
     "Title of the high-score panel, on its plate\none line of at most 240 px at "
     "full size (about 22 letters)"},
    {"Kids",
     "Name of the easiest mode, in the tab under the board\nat most 150 px at 75 % "
     "(about 18 letters)"},
    {"Normal",
     "Name of the middle mode, in the tab under the board\nat most 150 px at 75 % "
     "(about 18 letters)"},
    {"Proff",
     "Name of the hardest mode (Professional), in the tab under the board\nat most "
     "150 px at 75 % (about 18 letters)"},
    {"HelpPage",
     "The page number under an instructions page: {1} is the page shown, {2} the "
     "number of pages\nat most 100 px at 70 % (about 14 letters)"},
    {"PlayAgain",
     "Across the empty board after a game has ended; a click or Enter starts the "
     "next one\none line of at most 420 px at 85 % (about 45 letters)"},
    {"NoLine",
     "Across the board when the hint (the H key) finds no single move that makes a "
     "line\none line of at most 420 px at 85 % (about 45 letters)"},
    {"ChainBonus",
     "Rises from a line made in a chain of lines, beside its score; {1} is the "
     "bonus, as 150\none line of at most 300 px at full size (about 30 letters)"},
    {"Daily",
     "The daily challenge's name in the tab under the board; {1} is its date, as "
     "2026-12-09\nat most 150 px at 75 % with the date (about 8 letters besides it)"},
    {"Statistics",
     "Title of the statistics panel, on its plate\none line of at most 240 px at "
     "full size (about 22 letters)"},
    {"Stats_Kids",
     "Statistics panel: head of the easiest mode's column\nat most 70 px at 75 % "
     "(about 9 letters)"},
    {"Stats_Normal",
     "Statistics panel: head of the middle mode's column\nat most 70 px at 75 % "
     "(about 9 letters)"},
    {"Stats_Professional",
     "Statistics panel: head of the hardest mode's column (Professional, "
     "short)\nat most 70 px at 75 % (about 9 letters)"},
    {"Stats_Daily",
     "Statistics panel: head of the daily challenge's column\nat most 70 px at "
     "75 % (about 9 letters)"},
    {"Stats_Played",
     "Statistics panel: a row's label, left of its numbers\nat most 160 px at "
     "75 % (about 20 letters)"},
    {"Stats_Finished",
     "Statistics panel: a row's label (games played to their end)\nat most "
     "160 px at 75 % (about 20 letters)"},
    {"Stats_Best", "Statistics panel: a row's label\nat most 160 px at 75 % (about 20 letters)"},
    {"Stats_Average",
     "Statistics panel: a row's label\nat most 160 px at 75 % (about 20 "
     "letters)"},
    {"Stats_Lines",
     "Statistics panel: a row's label (lines of five or more made)\nat most "
     "160 px at 75 % (about 20 letters)"},
    {"Stats_Balls",
     "Statistics panel: a row's label (balls removed by lines and bombs)\nat most "
     "160 px at 75 % (about 20 letters)"},
    {"Stats_Chain",
     "Statistics panel: a row's label (the most lines in moves one after "
     "another)\nat most 160 px at 75 % (about 20 letters)"},
    {"Stats_Bombs",
     "Statistics panel: a row's label\nat most 160 px at 75 % (about 20 "
     "letters)"},
    {"Stats_Time", "Statistics panel: a row's label\nat most 160 px at 75 % (about 20 letters)"},
    {"BestToday",
     "Statistics panel, below the table; {1} is a score\none line of at most 440 px "
     "at 75 % (about 55 letters)"},
    {"NoBestToday",
     "Statistics panel, below the table, when no daily challenge was finished "
     "today\none line of at most 440 px at 75 % (about 55 letters)"},
    {"Streak",
     "Statistics panel, below the table; {1} is a number of days\none line of at most "
     "440 px at 75 % (about 55 letters)"},
    {"Undo",
     "Over the score while the last move can be taken back; clicking it takes it back\n"
     "at most 136 px at 60 % (about 20 letters); keep the key's name Ctrl+Z"},
    {"Exit_Caption",
     "Heading of the question shown before leaving the game\none line of at "
     "most 398 px at 70 % (about 50 letters)"},
    {"Exit_Text",
     "Text of the question shown before leaving the game; answered Yes or No\nat "
     "most 5 lines of at most 398 px at 70 % (about 50 letters); break the lines "
     "where they read well"},
    {"ExitUnscored_Text",
     "Text of the question shown before leaving the game when the game on "
     "the board has no points yet, so it is not kept\nat most 5 lines of at "
     "most 398 px at 70 % (about 50 letters)"},
    {"ExitNoGame_Text",
     "Text of the question shown before leaving the game when no game is on "
     "the board; the high scores are kept\nat most 5 lines of at most 398 px "
     "at 70 % (about 50 letters)"},
    {"New_Caption",
     "Heading of the question shown before a new game while one is under way\n"
     "one line of at most 398 px at 70 % (about 50 letters)"},
    {"New_Text",
     "Text of the question shown before a new game while one is under way\nat most "
     "5 lines of at most 398 px at 70 % (about 50 letters)"},
    {"Old_Caption",
     "Heading of the question at the start when a game was kept from last "
     "time\none line of at most 398 px at 70 % (about 50 letters)"},
    {"Old_Text",
     "Text of the question at the start when a game was kept; Yes goes on with "
     "it\nat most 5 lines of at most 398 px at 70 % (about 50 letters)"},
    {"Clear_Caption",
     "Heading of the question before a high-score table is cleared\none line "
     "of at most 398 px at 70 % (about 50 letters)"},
    {"Clear_Text",
     "Text of the question before a high-score table is cleared\nat most 5 lines "
     "of at most 398 px at 70 % (about 50 letters)"},
    {"EnterName_Caption",
     "Heading shown when a score makes the best ten, beside a laughing "
     "face\none line of at most 250 px at 70 % (about 30 letters)"},
    {"EnterName_Text",
     "Says the final score ({1}) and its place in the table ({2}), then asks for the player's "
     "name, which is typed below it\nat most 2 lines of at most 250 px at 70 % (about 30 "
     "letters, with the numbers as wide as 65535 and 10)"},
    {"LowScore_Caption",
     "Heading shown when a game ends without a place in the best ten, "
     "beside a crying face\none line of at most 190 px at 70 % (about 24 "
     "letters)"},
    {"LowScore_Text",
     "Text shown when a game ends without a place in the best ten, with its final score ({1}); "
     "Yes starts a new game\nat most 5 lines of at most 190 px at 70 % (about 24 letters, with "
     "the score as wide as 65535)"},
    {"DailyResult_Caption",
     "Heading shown when the daily challenge ends; {1} is its date, as "
     "2026-12-09\none line of at most 398 px at 70 % (about 50 "
     "letters)"},
    {"DailyResult_Text",
     "The daily challenge's result; Yes plays today's challenge again. {1} "
     "points, {2} lines, {3} the best score of the day, {4} the days in a "
     "row\nat most 5 lines of at most 398 px at 70 % (about 50 letters, "
     "with the numbers at their widest)"},
    {"FullScreen_Caption",
     "Heading of the question after the full-screen box was switched\n"
     "one line of at most 398 px at 70 % (about 50 letters)"},
    {"FullScreen_Text",
     "Text of the question after the full-screen box was switched; Yes quits "
     "the game\nat most 5 lines of at most 398 px at 70 % (about 50 "
     "letters)"},
    {"Language",
     "Label of the options panel's row that lists the languages\none line of at "
     "most 120 px at full size (about 11 letters)"},
    {"LanguageName",
     "The language's own name, as its speakers write it, in the list of "
     "languages of the options panel\nat most 200 px at full size (about 19 "
     "letters)"},
};

const char* roomOf(const std::string& key) {
  for (const StringRoom& r : kRooms)
    if (key == r.key) return r.room;
  return nullptr;
}

// The file with every value and block in `language`, the rest (keys, comments, line ends) as in
// the English.
std::string translatedStrings(const Language& language) {
  std::istringstream in(kStrings);
  std::string out;
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const char* room = line.size() > 1 ? roomOf(line.substr(1)) : nullptr;
    if (line[0] == '$' && room && i + 1 < lines.size()) {
      out += line + "\n" + language.text(line.substr(1), lines[i + 1], room) + "\n";
      ++i;
    } else if (line[0] == '@' && room && i + 1 < lines.size()) {
      std::size_t end = i + 2;
      std::string english;
      while (end < lines.size() && lines[end] != "}") {
        english += (english.empty() ? "" : "\n") + lines[end];
        ++end;
      }
      out += line + "\n{\n" + language.text(line.substr(1), english, room) + "\n}\n";
      i = end;
    } else if (i == 0 && !language.isEnglish()) {
      out += "; Marblix - texts of the screens and dialogs, made from po/" + language.code() +
             ".po: translate there.\n";
    } else {
      out += line + "\n";
    }
  }
  return out;
}

// Line ends as the game's home platform writes them.
std::string withCrLf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

}  // namespace

std::string stringsFile() {
  return withCrLf(kStrings);
}

std::string stringsText(const Language& language) {
  return translatedStrings(language);
}

void makeTexts(Pack& pack, const Language& language) {
  pack.text(language.folder() + "strings.txt", withCrLf(translatedStrings(language)));
}

std::string languageName(const Language& language) {
  return language.text("LanguageName", "English", roomOf("LanguageName"));
}

}  // namespace assetgen
