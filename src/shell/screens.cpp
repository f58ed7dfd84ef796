// The layouts of the screens and dialogs, drawn through the render device and the bitmap font.
#include "shell/screens.h"

#include <cmath>

#include "board/DayGame.h"
#include "shell/button_table.h"
#include "shell/defs.h"
#include "shell/game_shell.h"
#include "shell/high_scores.h"
#include "shell/shell_ports.h"
#include "shell/statistics.h"
#include "widgets/qz_Menus.h"

namespace marblix {
namespace {

constexpr TRect WholeFrame{0, 0, 800, 600};
// The widths the language row's label and name have at most.
constexpr int LanguageLabelRoom = LanguageLeftArrowX - LanguageLabelLeft - 6;
constexpr int LanguageNameRoom = LanguageRightArrowX - LanguageLeftArrowX - LanguageArrowSize - 8;

// The instructions' page number, ending at the page's lower right corner.
constexpr int PageNumberRight = 748;
constexpr int PageNumberY = 412;
constexpr uint16_t PageNumberPercent = 70;

const char* ModeName(const TQzStrings& strings, uint8_t mode) {
  switch (mode) {
    case ModeKids:
      return strings.Kids.c_str();
    case ModeNormal:
      return strings.Normal.c_str();
    default:
      return strings.Proff.c_str();
  }
}

}  // namespace

int TScreenPainter::VolumeBarRight(int32_t volume, int width) {
  return 490 + static_cast<int>(std::nearbyint(volume * width / 100.0));
}

std::string StatisticsCell(const TWayTotals& t, int row) {
  const bool finished = t.Finished > 0;
  switch (row) {
    case 0:
      return std::to_string(t.Played);
    case 1:
      return std::to_string(t.Finished);
    case 2:
      return finished ? std::to_string(t.Best) : "-";
    case 3:
      return finished ? std::to_string(AverageScore(t)) : "-";
    case 4:
      return std::to_string(t.Lines);
    case 5:
      return std::to_string(t.Balls);
    case 6:
      return std::to_string(t.LongestChain);
    case 7:
      return std::to_string(t.Bombs);
    default:
      return PlayTimeText(t.Milliseconds);
  }
}

namespace {

const TStringList& ExitText(const TQzStrings& s, const TShellValues& values) {
  switch (WhatTheExitKeeps(values)) {
    case KeptGame::Kept:
      return s.Exit_Text;
    case KeptGame::Unscored:
      return s.ExitUnscored_Text;
    case KeptGame::NoGame:
      break;
  }
  return s.ExitNoGame_Text;
}

// The end of a game: "{1}" is the final score, "{2}" the new row's place in the table.
TStringList WithResult(const TStringList& lines, const TShellValues& values) {
  const std::string score = std::to_string(values.FinalScore.value_or(values.Score));
  const std::string place = std::to_string(values.NewEntryRow + 1);
  TStringList filled;
  for (const std::string& line : lines) filled.push_back(FormatText(line, {score, place}));
  return filled;
}

// The daily challenge's end: its date in the caption; its score, lines, the best of its day and the
// streak in the lines.
DialogTexts DailyResultTexts(const TQzStrings& s, const TShellValues& values) {
  const TDailyResult& result = values.LastDaily;
  const std::optional<int32_t> best = BestOfDay(values.Statistics, result.Day);
  const std::string score = std::to_string(result.Score);
  const std::string lines = std::to_string(result.Lines);
  const std::string bestScore = std::to_string(best.value_or(result.Score));
  const std::string streak = std::to_string(values.Statistics.Streak);
  TStringList filled;
  for (const std::string& line : s.DailyResult_Text)
    filled.push_back(FormatText(line, {score, lines, bestScore, streak}));
  return {FormatText(s.DailyResult_Caption, {DayText(result.Day)}), filled};
}

}  // namespace

DialogTexts TextsOfDialog(const TQzStrings& s, const TShellValues& values) {
  const uint32_t state = values.ScreenState;
  if (state & ExitDialog) return {s.Exit_Caption, ExitText(s, values)};
  if (state & NewGameDialog) return {s.New_Caption, s.New_Text};
  if (state & OldGameDialog) return {s.Old_Caption, s.Old_Text};
  if (state & ClearScoresDialog) return {s.Clear_Caption, s.Clear_Text};
  if (state & EnterNameDialog) return {s.EnterName_Caption, WithResult(s.EnterName_Text, values)};
  if (state & LowScoreDialog) return {s.LowScore_Caption, WithResult(s.LowScore_Text, values)};
  if (state & FullScreenDialog) return {s.FullScreen_Caption, s.FullScreen_Text};
  if (state & DailyResultDialog) return DailyResultTexts(s, values);
  return {};
}

void TScreenPainter::DrawFourQuarters(const TAGFImage* image) {
  device_.DrawImage(image, 0, 0, 0, blendAlpha);
  device_.DrawImage(image, 400, 0, 1, blendAlpha);
  device_.DrawImage(image, 0, 300, 2, blendAlpha);
  device_.DrawImage(image, 400, 300, 3, blendAlpha);
}

void TScreenPainter::DrawCommonLayer(int logoFrame) {
  DrawFourQuarters(Game(GpIngame));
  for (int c = 0; c < 9; ++c) {
    for (int r = 0; r < 9; ++r) {
      device_.DrawImage(Game(GpField), 298 + 52 * c, 26 + 52 * r, 3, blendAlpha);
    }
  }
  if (resources_.Buttons) resources_.Buttons->DrawButtons();
  device_.DrawImage(Game(GpLogoSmall), 80, 40, logoFrame, blendAlpha);
  if (values_.FinalScore) DrawScoreBox(*values_.FinalScore);
}

void TScreenPainter::DrawScoreBox(int32_t score) {
  if (resources_.Font) resources_.Font->DrawCentered(std::to_string(score), 142, 340, CaptionRed);
}

void TScreenPainter::FillRectangle(const TRect& r, uint32_t colour) {
  device_.DrawQuadColor(nullptr, r.Left, r.Top, r.Right, r.Top, r.Right, r.Bottom, r.Left, r.Bottom,
                        colour, 0, blendAlpha);
}

// A line of text across the middle of the board, on a dark band.
void TScreenPainter::DrawBoardMessage(const std::string& text) {
  if (!resources_.Font) return;
  FillRectangle({BoardOriginX + 20, 232, 766 - 20, 268}, InvitationBand);
  resources_.Font->DrawCenteredScaled(text, 532, 240, 85, White);
}

void TScreenPainter::DrawNoLine() {
  if (resources_.Strings) DrawBoardMessage(resources_.Strings->NoLine);
}

void TScreenPainter::DrawInvitation(float animClock) {
  if (resources_.Buttons && NewGameButton < resources_.Buttons->Count()) {
    // The highlight fades in and out about once a second.
    const TButtonItem& button = (*resources_.Buttons)[NewGameButton];
    const double wave = 0.5 + 0.5 * std::sin(animClock * 2 * 3.14159265 / 15);
    const auto alpha = static_cast<uint32_t>(std::lround(80 + 175 * wave));
    device_.DrawImageColor(button.image, button.x, button.y, alpha << 24 | 0xFFFFFFu,
                           ButtonHighlightPattern, blendAlpha);
  }
  if (resources_.Strings) DrawBoardMessage(resources_.Strings->PlayAgain);
}

void TScreenPainter::DrawPanelTitle(const std::string& title) {
  device_.DrawImage(Game(GpHeadText), 400, 23, 0, blendAlpha);
  if (!resources_.Font) return;
  resources_.Font->DrawCentered(title, 532, 27, ShadowGrey);
  resources_.Font->DrawCentered(title, 530, 25, White);
}

void TScreenPainter::DrawInstructions() {
  if (resources_.Strings) DrawPanelTitle(resources_.Strings->Help);
  const int page = std::min<int>(values_.HelpPage, HelpPageCount - 1);
  device_.DrawImage(Game(GpFirstHelp + page), 303, 31, 0, blendAlpha);
  if (!resources_.Font || !resources_.Strings) return;
  const std::string number =
      FormatText(resources_.Strings->HelpPage,
                 {std::to_string(page + 1), std::to_string(resources_.Strings->LastHelpPage + 1)});
  const int width = resources_.Font->ScaledTextWidth(number, PageNumberPercent);
  resources_.Font->DrawCenteredScaled(number, PageNumberRight - width / 2, PageNumberY,
                                      PageNumberPercent, PageNumberGrey);
}

void TScreenPainter::DrawVolumeBar(int32_t volume, int y) {
  const TAGFImage* bar = Game(GpSoundOptG);
  const int width = bar ? bar->PatternWidth : 0;
  device_.SetClipRectangle({0, 0, VolumeBarRight(volume, width), 600});
  device_.DrawImageColor(bar, 490, y, VolumeBarColour(volume), 1, blendAlpha);
}

void TScreenPainter::DrawOptions() {
  if (resources_.Strings) DrawPanelTitle(resources_.Strings->Options);
  device_.DrawImage(Game(GpSoundOpt), 330, 160, 1, blendAlpha);
  device_.DrawImage(Game(GpSoundOpt), 330, 260, 0, blendAlpha);
  DrawVolumeBar(values_.MusicVolume, 172);
  DrawVolumeBar(values_.SoundVolume, 272);
  device_.SetClipRectangle(WholeFrame);
  device_.DrawImageColor(Game(GpFullScreen), 410, 360, CheckBoxGreen,
                         values_.FullScreenSetting ? 1 : 0, blendAlpha);
  DrawLanguageRow();
  if (resources_.Buttons) resources_.Buttons->DrawButtons();
}

// The row's label, and between its arrows the language's own name; each at its natural size, or
// smaller where that is wider than its room.
void TScreenPainter::DrawLanguageRow() {
  if (!resources_.Font || !resources_.Strings) return;
  TQzFont& font = *resources_.Font;
  const int textY = LanguageRowY + LanguageArrowSize / 2 - 12;
  const std::string& label = resources_.Strings->Language;
  const uint16_t labelSize = FittingPercent(font.TextWidth(label), LanguageLabelRoom);
  font.DrawCenteredScaled(label, LanguageLabelLeft + font.ScaledTextWidth(label, labelSize) / 2,
                          textY, labelSize, White);
  std::string name = resources_.Strings->LanguageName;
  for (const TPackLanguage& language : resources_.Languages) {
    if (language.Code == values_.Language) name = language.Name;
  }
  const int middle = (LanguageLeftArrowX + LanguageArrowSize + LanguageRightArrowX) / 2;
  font.DrawCenteredScaled(name, middle, textY,
                          FittingPercent(font.TextWidth(name), LanguageNameRoom), TextYellow);
}

uint16_t TScreenPainter::FittingPercent(int width, int room) {
  return static_cast<uint16_t>(width <= room ? 100 : std::max(50, room * 100 / width));
}

void TScreenPainter::DrawHighScores() {
  if (resources_.Strings) DrawPanelTitle(resources_.Strings->HighScores);
  const int page = std::min<int>(values_.ScoreTablePage, HighScoreModes - 1);
  device_.DrawImage(Game(GpHighMode), 345, 70, page, blendAlpha);
  if (!resources_.Font) return;
  // The row of the name just stored is marked for a few seconds, fading for the last of them.
  const bool marking = values_.NewRowMarkTime > 0 && !(values_.ScreenState & DialogOpen) &&
                       page == std::min<int>(values_.GameMode, HighScoreModes - 1);
  if (marking) {
    const double fade = std::min(1.0, values_.NewRowMarkTime / 15);
    const auto alpha = static_cast<uint32_t>(std::lround((NewRowGold >> 24) * fade));
    const int top = 170 + 25 * values_.NewEntryRow;
    FillRectangle({352, top - 2, 708, top + 23}, alpha << 24 | (NewRowGold & 0xFFFFFFu));
  }
  for (int r = 0; r < HighScoreRows; ++r) {
    const HighScoreEntry& entry = values_.HighScoreTable[page][r];
    resources_.Font->DrawLeft(EntryName(entry), 360, 170 + 25 * r, White);
    resources_.Font->DrawNumberRight(entry.Score, 700, 170 + 25 * r, White);
  }
}

void TScreenPainter::DrawStatistics() {
  if (!resources_.Strings) return;
  const TQzStrings& s = *resources_.Strings;
  DrawPanelTitle(s.Statistics);
  if (!resources_.Font) return;
  TQzFont& font = *resources_.Font;
  const TPlayStatistics shown = WithGameOnBoard(values_.Statistics, values_.CurrentGame);
  for (int way = 0; way < PlayWayCount; ++way) {
    if (static_cast<size_t>(way) < s.StatisticsHeads.size())
      font.DrawCenteredScaled(s.StatisticsHeads[way], StatisticsColumnX[way], StatisticsHeadY, 75,
                              TextYellow);
  }
  for (int row = 0; row < static_cast<int>(StatisticsRowKeys.size()); ++row) {
    const int y = StatisticsFirstRowY + StatisticsRowPitch * row;
    if (static_cast<size_t>(row) < s.StatisticsRows.size())
      font.DrawLeftScaled(s.StatisticsRows[row], StatisticsLabelX, y, 75, UndoMarkGrey);
    for (int way = 0; way < PlayWayCount; ++way)
      font.DrawCenteredScaled(StatisticsCell(shown.Ways[way], row), StatisticsColumnX[way], y, 75,
                              White);
  }
  const std::optional<int32_t> best = BestOfDay(shown, values_.Today);
  const std::string bestLine =
      best ? FormatText(s.BestToday, {std::to_string(*best)}) : s.NoBestToday;
  const uint32_t streak = StreakOn(shown, values_.Today);
  font.DrawCenteredScaled(bestLine, 532, 352, 75, TextYellow);
  font.DrawCenteredScaled(FormatText(s.Streak, {std::to_string(streak)}), 532, 377, 75, TextYellow);
}

void TScreenPainter::DrawGameTexts() {
  if (!resources_.Font) return;
  if (!values_.FinalScore) DrawScoreBox(values_.Score);
  if (!resources_.Strings) return;
  const std::string name = values_.DailyDay != 0
                               ? FormatText(resources_.Strings->Daily, {DayText(values_.DailyDay)})
                               : ModeName(*resources_.Strings, values_.GameMode);
  resources_.Font->DrawCenteredScaled(name, 530, 502, 75, White);
}

void TScreenPainter::DrawUndoMark() {
  if (!resources_.Font || !resources_.Strings) return;
  const bool pointed = OnUndoMark(values_.MouseX, values_.MouseY);
  resources_.Font->DrawCenteredScaled(resources_.Strings->Undo, UndoMarkX, UndoMarkY,
                                      UndoMarkPercent, pointed ? White : UndoMarkGrey);
}

void TScreenPainter::DrawDialog(float animClock, double blinkPhase) {
  device_.DrawImage(Game(GpInform), 310, 130, 0, blendAlpha);
  int textX = 530;
  const int frame = static_cast<int>(animClock);
  if (values_.ScreenState & EnterNameDialog) {
    device_.DrawImage(Game(GpLau), 360, 200, frame % 2, blendAlpha);
    textX = 550;
  } else if (values_.ScreenState & LowScoreDialog) {
    device_.DrawImage(Game(GpCry), 360, 200, frame % 10, blendAlpha);
    textX = 600;
  }
  if (resources_.Font && resources_.Strings) {
    const DialogTexts texts = TextsOfDialog(*resources_.Strings, values_);
    resources_.Font->DrawCenteredScaled(texts.Caption, textX, 200, 70, CaptionRed);
    resources_.Font->DrawLinesCentered(texts.Lines, textX, 230, 70, TextYellow);
    if (values_.ScreenState & EnterNameDialog) DrawNameField(blinkPhase);
  }
  if (resources_.Buttons) {
    resources_.Buttons->DrawButton(YesButton);
    resources_.Buttons->DrawButton(NoButton);
  }
}

void TScreenPainter::DrawNameField(double blinkPhase) {
  constexpr int CentreX = 550, Top = 265;
  constexpr uint16_t Percent = 85;
  TQzFont& font = *resources_.Font;
  const std::string& name = values_.PlayerName;
  // Centred with room for the caret after the last letter, so the name keeps its place.
  const int left = CentreX - font.ScaledTextWidth(name + " ", Percent) / 2;
  const int height = font.GlyphCellHeight * Percent / 100;
  if (values_.NameSelected && !name.empty()) {
    FillRectangle({left - 2, Top, left + font.ScaledTextWidth(name, Percent) + 2, Top + height},
                  SelectionBlue);
  }
  font.DrawCenteredScaled(name + " ", CentreX, Top, Percent, White);
  if (values_.NameSelected || blinkPhase <= 1) return;
  const std::size_t caret = std::min(values_.NameCaret, name.size());
  // A thin bar between the letters: an "I" there would read as a letter.
  const int caretX = left + font.ScaledTextWidth(name.substr(0, caret), Percent);
  FillRectangle({caretX, Top + 2, caretX + 2, Top + height - 1}, White);
}

void TScreenPainter::DrawPointer() {
  device_.DrawImage(resources_.StartupImage(PicCursor), values_.MouseX, values_.MouseY, 0,
                    blendAlpha);
}

}  // namespace marblix
