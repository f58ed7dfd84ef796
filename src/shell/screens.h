// How every screen and dialog looks: the common layer, the three panels, the game's texts and the
// dialog box with its picture, caption, lines and buttons.
#pragma once

#include <cstdint>
#include <string>

#include "assets/game_resources.h"
#include "graphics/PowerD3D.h"
#include "shell/defs.h"
#include "shell/play_record.h"
#include "text/qz_strings.h"

namespace marblix {

// Colours, 0xAABBGGRR.
inline constexpr uint32_t White = 0xFFFFFFFFu;
inline constexpr uint32_t ShadowGrey = 0xFF888888u;
inline constexpr uint32_t CaptionRed = 0xFF0000FFu;
inline constexpr uint32_t TextYellow = 0xFF00FFFFu;
inline constexpr uint32_t CheckBoxGreen = 0xFF00CC99u;
inline constexpr uint32_t UndoMarkGrey = 0xFFBBBBBBu;
inline constexpr uint32_t PageNumberGrey = 0xFFAAAAAAu;
inline constexpr uint32_t InvitationBand = 0xB0301A10u;
inline constexpr uint32_t SelectionBlue = 0xD0A05020u;
inline constexpr uint32_t NewRowGold = 0x5840B0E0u;

class TScreenPainter {
 public:
  TScreenPainter(TPowerGraph& device, TGameResources& resources, const TShellValues& values)
      : device_(device), resources_(resources), values_(values) {}

  void DrawFourQuarters(const TAGFImage* image);
  void DrawCommonLayer(int logoFrame);
  void DrawPanelTitle(const std::string& title);
  void DrawInstructions();
  void DrawOptions();
  void DrawHighScores();
  // The totals of each way to play, the game on the board counted in, and the daily challenge's
  // best of today and streak.
  void DrawStatistics();
  void DrawGameTexts();
  // New game glows, and the empty board says how to start the next game.
  void DrawInvitation(float animClock);
  // The mark in the score box that the last move can be taken back; brighter under the pointer.
  void DrawUndoMark();
  // The hint's answer when no move makes a line, across the board.
  void DrawNoLine();
  void DrawDialog(float animClock, double blinkPhase);
  void DrawPointer();

  // The colour of a volume bar: opaque yellow at 0, the green falling by 2 per step.
  static uint32_t VolumeBarColour(int32_t volume) { return 0xFF00FFFFu - 512u * volume; }
  // The right edge of a volume bar's clip: 490 + volume * width / 100, rounded.
  static int VolumeBarRight(int32_t volume, int width);
  // The size (per cent) a text `width` pixels wide is drawn at in `room` pixels: its natural size
  // where it fits, else as much smaller as it needs (not below half).
  static uint16_t FittingPercent(int width, int room);

 private:
  void DrawVolumeBar(int32_t volume, int y);
  void DrawLanguageRow();
  void DrawScoreBox(int32_t score);
  void DrawBoardMessage(const std::string& text);
  // The name being typed, centred, with its caret or its selection.
  void DrawNameField(double blinkPhase);
  void FillRectangle(const TRect& rect, uint32_t colour);
  const TAGFImage* Game(int which) const { return resources_.GameImage(which); }

  TPowerGraph& device_;
  TGameResources& resources_;
  const TShellValues& values_;
};

// The dialog's caption and lines by its kind, the numbers they tell filled in.
struct DialogTexts {
  std::string Caption;
  TStringList Lines;
};
DialogTexts TextsOfDialog(const TQzStrings& strings, const TShellValues& values);

// The statistics page: the centres of its four columns, the left edge of its labels, the first row
// and the pitch of the rows.
inline constexpr int StatisticsColumnX[4] = {507, 581, 655, 729};
inline constexpr int StatisticsLabelX = 310;
inline constexpr int StatisticsHeadY = 88;
inline constexpr int StatisticsFirstRowY = 114;
inline constexpr int StatisticsRowPitch = 25;

// The text of one cell of the statistics page: row r (StatisticsRowKeys) of a way's totals.
std::string StatisticsCell(const TWayTotals& totals, int row);

}  // namespace marblix
