// The buttons of the menu bar, panels and dialogs: picture, place, screen mask and action.
#pragma once

#include <array>
#include <cstdint>

#include "assets/texture_table.h"
#include "shell/game_shell.h"
#include "shell/shell_ports.h"
#include "widgets/qz_Menus.h"

namespace marblix {

struct ButtonSpec {
  GamePicture Picture;
  int X;
  int Y;
  uint32_t ScreenMask;
  ButtonAction Action;
};

inline constexpr uint32_t EveryScreen = 0xFFFFFFFFu;

// The options' language row, under the volume rows: its label from LanguageLabelLeft (where the
// volume rows' words begin), then the arrows (34 x 34, their outer edges where the volume rows'
// buttons have theirs) round the language's own name.
inline constexpr int LanguageRowY = 400;
inline constexpr int LanguageLabelLeft = 374;
inline constexpr int LanguageLeftArrowX = 468;
inline constexpr int LanguageRightArrowX = 672;
inline constexpr int LanguageArrowSize = 34;
inline constexpr int ButtonCount = 27;

// In index order: the bar names the mode, Yes, No and page buttons (widgets/qz_Menus.h), the shell
// the panel buttons (ButtonIndex).
inline constexpr std::array<ButtonSpec, ButtonCount> ButtonTable{{
    {GpNewGame, 80, 167, EveryScreen, ButtonAction::NewGame},
    {GpKids, 87, 208, EveryScreen, ButtonAction::Kids},
    {GpNormal, 87, 244, EveryScreen, ButtonAction::Normal},
    {GpProfessional, 87, 280, EveryScreen, ButtonAction::Professional},
    {GpOptions, 73, 383, EveryScreen, ButtonAction::OpenOptions},
    {GpInstructions, 73, 429, EveryScreen, ButtonAction::OpenInstructions},
    {GpHighScores, 73, 475, EveryScreen, ButtonAction::OpenHighScores},
    {GpExit, 73, 521, EveryScreen, ButtonAction::Exit},
    {GpHighModeL, 340, 130, HighScoresScreen, ButtonAction::PreviousTable},
    {GpHighModeR, 690, 130, HighScoresScreen, ButtonAction::NextTable},
    {GpBack, 385, 445, HighScoresScreen, ButtonAction::BackFromHighScores},
    {GpClear, 535, 445, HighScoresScreen, ButtonAction::Clear},
    {GpBack, 460, 445, InstructionsScreen, ButtonAction::BackFromInstructions},
    {GpBack, 460, 445, OptionsScreen, ButtonAction::BackFromOptions},
    {GpYes, 410, 320, DialogOpen, ButtonAction::Yes},
    {GpNo, 540, 320, DialogOpen, ButtonAction::No},
    {GpPrev, 310, 455, InstructionsScreen, ButtonAction::PreviousPage},
    {GpNext, 650, 455, InstructionsScreen, ButtonAction::NextPage},
    {GpDown, 468, 170, OptionsScreen, ButtonAction::MusicDown},
    {GpUp, 688, 170, OptionsScreen, ButtonAction::MusicUp},
    {GpDown, 468, 270, OptionsScreen, ButtonAction::SoundDown},
    {GpUp, 688, 270, OptionsScreen, ButtonAction::SoundUp},
    {GpDaily, 302, 537, EveryScreen, ButtonAction::Daily},
    {GpStatistics, 458, 496, HighScoresScreen, ButtonAction::OpenStatistics},
    {GpBack, 460, 445, StatisticsScreen, ButtonAction::BackFromStatistics},
    {GpHighModeL, LanguageLeftArrowX, LanguageRowY, OptionsScreen, ButtonAction::PreviousLanguage},
    {GpHighModeR, LanguageRightArrowX, LanguageRowY, OptionsScreen, ButtonAction::NextLanguage},
}};

static_assert(ButtonTable[NewGameButton].Action == ButtonAction::NewGame);
static_assert(ButtonTable[OptionsButton].Action == ButtonAction::OpenOptions);
static_assert(ButtonTable[InstructionsButton].Action == ButtonAction::OpenInstructions);
static_assert(ButtonTable[HighScoresButton].Action == ButtonAction::OpenHighScores);
static_assert(ButtonTable[YesButton].Action == ButtonAction::Yes);
static_assert(ButtonTable[NoButton].Action == ButtonAction::No);
static_assert(ButtonTable[PreviousPageButton].Action == ButtonAction::PreviousPage);
static_assert(ButtonTable[NextPageButton].Action == ButtonAction::NextPage);
static_assert(ButtonTable[DailyButton].Action == ButtonAction::Daily);
static_assert(ButtonTable[StatisticsButton].Action == ButtonAction::OpenStatistics);

}  // namespace marblix
