// strings.txt: every title, mode name and dialog text the screens show, in the game's own
// key format ("$key" then the value line; "@key", "{", lines, "}").
#include <string>

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
)";

}  // namespace

std::string stringsFile() {
  // Line ends as the game's home platform writes them.
  std::string out;
  for (char c : std::string(kStrings)) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

void makeTexts(Pack& pack) {
  pack.text("strings.txt", stringsFile());
}

}  // namespace assetgen
