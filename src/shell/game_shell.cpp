// The game window's logic: transitions, menu actions, dialogs, input, clocks and Config.bin.
#include "shell/game_shell.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

#include "board/DayGame.h"
#include "platform/system/language_choice.h"
#include "platform/system/player_messages.h"
#include "platform/system/text_encoding.h"
#include "shell/high_scores.h"
#include "shell/statistics.h"

namespace marblix {
namespace {

constexpr uint32_t DialogKinds = 0x0001FF00;
// The longest name the question takes (the table stores its first 16 characters).

// The statistics' record of a game that has just come on the board.
TGameRecord NewRecord(uint8_t way, int32_t day) {
  TGameRecord record;
  record.Present = true;
  record.Way = way;
  record.Day = day;
  return record;
}

int RoundHalfEven(double v) {
  return static_cast<int>(std::nearbyint(v));
}

}  // namespace

// A game is on the screen, or a panel opened over it (options, instructions, high scores,
// statistics) leads back to it; a game that has ended shows its result and is not kept.
KeptGame WhatTheExitKeeps(const TShellValues& values) {
  constexpr uint32_t Panels =
      OptionsScreen | HighScoresScreen | InstructionsScreen | StatisticsScreen;
  constexpr uint32_t GameEndDialogs = EnterNameDialog | LowScoreDialog | DailyResultDialog;
  const bool overGame =
      (values.ScreenState & Panels) != 0 && (values.PanelReturnState & GameScreen) != 0;
  const bool shown = (values.ScreenState & GameScreen) != 0 || overGame;
  const bool ended = values.FinalScore.has_value() || (values.ScreenState & GameEndDialogs);
  if (!shown || ended) return KeptGame::NoGame;
  return values.Score > 0 ? KeptGame::Kept : KeptGame::Unscored;
}

bool InvitesNewGame(const TShellValues& values) {
  if (values.ScreenState & DialogOpen) return false;
  return (values.ScreenState & MenuScreen) != 0 ||
         ((values.ScreenState & GameScreen) != 0 && values.FinalScore.has_value());
}

// ---------------------------------------------------------------------------------------------
// Pointer mapping and cells

int PointerMapping::ToFrameX(int x) const {
  return RoundHalfEven((x - OffsetX) * 800.0 / Width);
}
int PointerMapping::ToFrameY(int y) const {
  return RoundHalfEven((y - OffsetY) * 600.0 / Height);
}

int CellOf(int v, int origin) {
  return (v - origin) / CellPitch;
}

bool OnBoardArea(int x, int y) {
  return x >= BoardOriginX && y >= BoardOriginY && CellOf(x, BoardOriginX) < BoardWidth &&
         CellOf(y, BoardOriginY) < BoardHeight;
}

bool OnUndoMark(int x, int y) {
  return x > UndoMarkX - UndoMarkHalfWidth && x < UndoMarkX + UndoMarkHalfWidth && y >= UndoMarkY &&
         y < UndoMarkY + UndoMarkHeight;
}

// ---------------------------------------------------------------------------------------------
// Menu actions and dialogs

void GameShell::RequestNewGame() {
  if (values_.GameUnderWay && DialogIsOpen()) {
    requestedDaily_ = false;
    return;  // a dialog never opens over another one
  }
  values_.ReturnState = values_.ScreenState;
  if (values_.GameUnderWay) {
    values_.ScreenState += DialogOpen + NewGameDialog;
  } else {
    StartNewGame();
  }
}

void GameShell::StartNewGame() {
  values_.Today = ports_.Today();
  LeaveGame();
  const bool daily = std::exchange(requestedDaily_, false);
  values_.DailyDay = daily ? values_.Today : 0;
  values_.GameMode = daily ? ModeNormal : values_.RequestedMode;
  ports_.ClearAnimations();
  ports_.ClearBoard();
  ports_.DropBalls(3 * values_.GameMode + 3, true);
  values_.Score = 0;
  values_.FinalScore.reset();
  ports_.SetNextCount(values_.GameMode + 2);
  values_.PanelReturnState = MenuScreen;
  ports_.SelectModeButton();
  values_.ScreenState = GameScreen;
  values_.GameUnderWay = false;
  values_.Tally = {};
  values_.CurrentGame = NewRecord(WayOf(values_.GameMode, daily), values_.DailyDay);
  CentreKeyCursor();
}

void GameShell::RequestDailyGame() {
  RequestGame(ModeNormal, true);
}

void GameShell::TakeTally() {
  TGameRecord& game = values_.CurrentGame;
  if (!game.Present) return;
  game.Tally = values_.Tally;
  if (values_.Tally.Moves > 0) game.Counted = true;
}

void GameShell::LeaveGame() {
  TakeTally();
  const TGameRecord& game = values_.CurrentGame;
  const bool earlierDay = game.Way == WayDaily && game.Day < values_.Today;
  AddGame(values_.Statistics, game, earlierDay, values_.Score);
  values_.CurrentGame = {};
}

void GameShell::GameOver() {
  if (values_.DailyDay != 0) {
    EndDailyGame();
    return;
  }
  TakeTally();
  AddGame(values_.Statistics, values_.CurrentGame, true, values_.Score);
  values_.CurrentGame = {};
  PlaceFinalScore(values_);
}

void GameShell::EndDailyGame() {
  TakeTally();
  values_.LastDaily = {values_.DailyDay, values_.Score, values_.Tally.Lines};
  values_.FinalScore = values_.Score;  // the score box keeps it until the next game
  TGameRecord& game = values_.CurrentGame;
  // A game the statistics never saw (an older program's) is still the day's.
  if (!game.Present) game = NewRecord(WayDaily, values_.DailyDay);
  AddGame(values_.Statistics, game, true, values_.Score);
  game = {};
  values_.DailyDay = 0;
  ports_.SelectModeButton();
  ports_.CopyToClipboard(DailySummaryLine(values_.LastDaily));
  values_.ScreenState = DialogOpen | DailyResultDialog | StatisticsScreen;
}

void GameShell::OpenStatistics() {
  values_.Today = ports_.Today();
  TakeTally();
  OpenPanel(StatisticsScreen, StatisticsButton);
}

void GameShell::CountPlayTime(double d) {
  if (!(values_.ScreenState & GameScreen) || DialogIsOpen() || !values_.CurrentGame.Present) return;
  playTime_ += d * 1000.0 / 15.0;
  const double whole = std::floor(playTime_);
  values_.CurrentGame.Milliseconds += static_cast<uint64_t>(whole);
  playTime_ -= whole;
}

void GameShell::OpenDialog(uint32_t kind) {
  if (DialogIsOpen()) return;  // a dialog never opens over another one
  values_.ReturnState = values_.ScreenState;
  values_.ScreenState = values_.ScreenState + DialogOpen + kind;
}

void GameShell::ToggleFullScreen() {
  if (DialogIsOpen()) return;
  values_.FullScreenSetting = !values_.FullScreenSetting;
  OpenDialog(FullScreenDialog);
}

void GameShell::RequestMode(uint8_t mode) {
  RequestGame(mode, false);
}

void GameShell::RequestGame(uint8_t mode, bool daily) {
  if (!daily) values_.RequestedMode = mode;
  requestedDaily_ = daily;
  RequestNewGame();
}

void GameShell::OpenPanel(uint32_t panel, int ownButton) {
  values_.ScoreTablePage = values_.GameMode;
  if (values_.ScreenState & GameScreen) values_.PanelReturnState = values_.ScreenState;
  values_.ScreenState = panel;
  if (panel == InstructionsScreen) values_.HelpPage = 0;
  ports_.SelectModeButton();
  ports_.SelectButton(ownButton);
}

void GameShell::Back() {
  values_.ScreenState = values_.PanelReturnState;
  ports_.SelectModeButton();
}

void GameShell::StepVolume(int32_t& volume, int step, bool music) {
  if ((step < 0 && volume > 0) || (step > 0 && volume < 100)) {
    volume = std::clamp(volume + step, 0, 100);
  }
  if (music) ports_.ApplyMusicVolume();
  KeepConfig();
}

void GameShell::RunButtonAction(ButtonAction action) {
  switch (action) {
    case ButtonAction::NewGame:
      RequestMode(std::min<uint8_t>(values_.GameMode, ModeProfessional));
      break;
    case ButtonAction::Kids:
      RequestMode(ModeKids);
      break;
    case ButtonAction::Normal:
      RequestMode(ModeNormal);
      break;
    case ButtonAction::Professional:
      RequestMode(ModeProfessional);
      break;
    case ButtonAction::OpenOptions:
      OpenPanel(OptionsScreen, OptionsButton);
      break;
    case ButtonAction::OpenInstructions:
      OpenPanel(InstructionsScreen, InstructionsButton);
      break;
    case ButtonAction::OpenHighScores:
      OpenPanel(HighScoresScreen, HighScoresButton);
      break;
    case ButtonAction::Exit:
      if (!(values_.ScreenState & ExitDialog)) OpenDialog(ExitDialog);
      break;
    case ButtonAction::PreviousTable:
      values_.ScoreTablePage = values_.ScoreTablePage == 0 ? 2 : values_.ScoreTablePage - 1;
      break;
    case ButtonAction::NextTable:
      values_.ScoreTablePage = values_.ScoreTablePage >= 2 ? 0 : values_.ScoreTablePage + 1;
      break;
    case ButtonAction::BackFromHighScores:
    case ButtonAction::BackFromInstructions:
    case ButtonAction::BackFromOptions:
      Back();
      break;
    case ButtonAction::Clear:
      OpenDialog(ClearScoresDialog);
      break;
    case ButtonAction::Yes:
      AnswerYes();
      break;
    case ButtonAction::No:
      AnswerNo();
      break;
    case ButtonAction::PreviousPage:
      if (values_.HelpPage > 0) --values_.HelpPage;
      break;
    case ButtonAction::NextPage:
      if (values_.HelpPage < ports_.LastHelpPage()) ++values_.HelpPage;
      break;
    case ButtonAction::MusicDown:
      StepVolume(values_.MusicVolume, -10, true);
      break;
    case ButtonAction::MusicUp:
      StepVolume(values_.MusicVolume, 10, true);
      break;
    case ButtonAction::SoundDown:
      StepVolume(values_.SoundVolume, -10, false);
      break;
    case ButtonAction::SoundUp:
      StepVolume(values_.SoundVolume, 10, false);
      break;
    case ButtonAction::Daily:
      RequestDailyGame();
      break;
    case ButtonAction::OpenStatistics:
      OpenStatistics();
      break;
    case ButtonAction::BackFromStatistics:
      Back();
      break;
    case ButtonAction::PreviousLanguage:
      ports_.StepLanguage(-1);
      break;
    case ButtonAction::NextLanguage:
      ports_.StepLanguage(1);
      break;
  }
}

void GameShell::AnswerYes() {
  if (!DialogIsOpen()) return;
  const uint32_t kind = values_.ScreenState & DialogKinds;
  if (kind & ExitDialog) {
    ports_.Terminate();
  } else if (kind & NewGameDialog) {
    StartNewGame();
  } else if (kind & OldGameDialog) {
    values_.RequestedMode =
        values_.GameMode;  // Yes after this game's end starts a game of the same mode
    values_.ScreenState = GameScreen;
    CentreKeyCursor();
  } else if (kind & ClearScoresDialog) {
    ResetScoreTable(values_, values_.ScoreTablePage);
    values_.ScreenState = values_.ReturnState;
    KeepConfig();
  } else if (kind & EnterNameDialog) {
    StoreName();
    values_.ScreenState =
        values_.ReturnState;  // the dialog is answered; a new game replaces the screen
    RequestNewGame();
  } else if (kind & LowScoreDialog) {
    values_.ScreenState = values_.ReturnState;
    RequestNewGame();
  } else if (kind & DailyResultDialog) {
    values_.ScreenState = values_.ReturnState;
    RequestDailyGame();
  } else if (kind & FullScreenDialog) {
    ports_.ReleaseDevice();
    ports_.Terminate();
  }
}

void GameShell::AnswerNo() {
  if (!DialogIsOpen()) return;
  const uint32_t kind = values_.ScreenState & DialogKinds;
  if (kind & OldGameDialog) {
    LeaveGame();
    values_.DailyDay = 0;
    ports_.SelectModeButton();
    values_.Score = 0;
    ports_.ClearBoard();
  } else if (kind & (EnterNameDialog | LowScoreDialog)) {
    if (kind & EnterNameDialog) StoreName();
    values_.ReturnState = HighScoresScreen;
  } else if (kind & DailyResultDialog) {
    values_.ReturnState = StatisticsScreen;
  } else if (kind & NewGameDialog) {
    requestedDaily_ = false;
  } else if (kind & FullScreenDialog) {
    values_.FullScreenSetting = !values_.FullScreenSetting;
  }
  values_.ScreenState = values_.ReturnState;
}

// ---------------------------------------------------------------------------------------------
// Input

void GameShell::FormMouseMove(int x, int y) {
  const int frameX = mapping_.ToFrameX(x), frameY = mapping_.ToFrameY(y);
  const bool moved = frameX != pointerX_ || frameY != pointerY_;
  pointerX_ = frameX;
  pointerY_ = frameY;
  if (moved) ports_.HideFocus();          // the mouse is in use again
  if (keyCursorShown_ && !moved) return;  // the board keeps pointing at the cursor
  ShowKeyCursor(false);
  values_.MouseX = frameX;
  values_.MouseY = frameY;
}

void GameShell::FormMouseDown(int button, int x, int y) {
  if (keyCursorShown_) {
    // A press is the mouse's again: it acts where the pointer is.
    ShowKeyCursor(false);
    values_.MouseX = pointerX_;
    values_.MouseY = pointerY_;
  }
  ports_.HideFocus();
  pressCol_ = CellOf(mapping_.ToFrameX(x), BoardOriginX);
  pressRow_ = CellOf(mapping_.ToFrameY(y), BoardOriginY);
  if (IsLogoOrLoading()) {
    ports_.SkipLogo();
    return;
  }
  values_.MouseButton = button;
  ports_.PressButtons();
  const bool onBoard = OnBoardArea(mapping_.ToFrameX(x), mapping_.ToFrameY(y));
  if (button == ButtonLeft && InvitesNewGame(values_) && onBoard) {
    RequestMode(values_.GameMode);
    return;
  }
  if ((values_.ScreenState & GameScreen) && !DialogIsOpen()) {
    ports_.BoardClick();
    if (button == ButtonLeft && OnUndoMark(values_.MouseX, values_.MouseY) && ports_.BoardCanUndo())
      ports_.BoardUndo();
  }
  if ((values_.ScreenState & OptionsScreen) && !DialogIsOpen()) {
    HandleVolumeBars();
    if (values_.MouseX > 411 && values_.MouseX < 433 && values_.MouseY > 362 &&
        values_.MouseY < 383)
      ToggleFullScreen();
  }
}

void GameShell::HandleVolumeBars() {
  const int width = ports_.VolumeBarWidth();
  if (width <= 0 || !(values_.MouseX > 490 && values_.MouseX < 490 + width)) return;
  const int share = RoundHalfEven((values_.MouseX - 490) / static_cast<double>(width) * 100.0);
  if (values_.MouseY > 172 && values_.MouseY < 190) values_.MusicVolume = share;
  ports_.ApplyMusicVolume();
  if (values_.MouseY > 272 && values_.MouseY < 290) values_.SoundVolume = share;
  KeepConfig();
}

void GameShell::FormMouseUp(int /*button*/, int x, int y) {
  if (IsLogoOrLoading()) return;
  values_.MouseButton = ButtonLeft;
  ports_.ReleaseButtons();
  const int col = CellOf(mapping_.ToFrameX(x), BoardOriginX);
  const int row = CellOf(mapping_.ToFrameY(y), BoardOriginY);
  const bool moved = col != pressCol_ || row != pressRow_;
  if (moved && (values_.ScreenState & GameScreen) && !DialogIsOpen()) ports_.BoardClick();
}

// Every key goes through here first: the logo, the name question's text field, Alt+Enter, the
// focus over the buttons, then the question shown or the screen's own keys.
void GameShell::FormKeyDown(int key, ShiftState shift) {
  if (IsLogoOrLoading()) {
    if (key != KeyShift && key != KeyControl && key != KeyAlt) ports_.SkipLogo();
    return;
  }
  const bool naming = (values_.ScreenState & EnterNameDialog) != 0;
  const bool altEnter = key == KeyEnter && shift.Alt;
  if (naming && NameKey(key) && !altEnter) return;
  if (altEnter) {
    if (!DialogIsOpen()) ToggleFullScreen();
    return;
  }
  if (FocusKey(key, shift)) return;
  if (naming) return;  // the name question's other keys type the name
  if (DialogIsOpen()) {
    AnswerKey(key);
  } else if (IsUndoKey(key, shift) && (values_.ScreenState & GameScreen)) {
    ports_.BoardUndo();
  } else {
    ScreenKey(key);
  }
}

bool GameShell::IsUndoKey(int key, ShiftState shift) {
  return key == KeyBackspace || (key == KeyZ && shift.Ctrl);
}

void GameShell::AnswerKey(int key) {
  if (key == KeyY) AnswerYes();
  if (key == KeyN || key == KeyEscape) AnswerNo();
}

bool GameShell::FocusKey(int key, ShiftState shift) {
  const bool naming = (values_.ScreenState & EnterNameDialog) != 0;
  const bool onBoard = (values_.ScreenState & GameScreen) && !DialogIsOpen();
  const bool instructions = (values_.ScreenState & InstructionsScreen) && !DialogIsOpen();
  if (key == KeyTab) {
    MoveFocus(shift.Shift ? -1 : 1);
    return true;
  }
  if (naming) {
    // The text field keeps its keys; Enter presses Yes or No once Tab has reached them.
    if (key != KeyEnter || !ports_.FocusShown()) return false;
    ports_.PressFocused();
    return true;
  }
  if (instructions && (key == KeyLeft || key == KeyRight)) {
    RunButtonAction(key == KeyLeft ? ButtonAction::PreviousPage : ButtonAction::NextPage);
    return true;
  }
  const int step = (key == KeyUp || key == KeyLeft)      ? -1
                   : (key == KeyDown || key == KeyRight) ? 1
                                                         : 0;
  if (step != 0 && (ports_.FocusShown() || !onBoard)) {
    MoveFocus(step);
    return true;
  }
  if (key == KeyEscape && onBoard && ports_.FocusShown()) {
    ports_.HideFocus();
    MoveKeyCursor(0, 0);  // Escape leaves the buttons for the board
    return true;
  }
  const bool press = key == KeyEnter || key == KeySpace;
  if (press && ports_.FocusShown()) {
    ports_.PressFocused();
    return true;
  }
  // Off the board, Enter or Space first shows what they would press (Enter on the empty board
  // still starts the next game).
  if (press && !onBoard && !(key == KeyEnter && InvitesNewGame(values_))) {
    MoveFocus(1);
    return true;
  }
  return false;
}

void GameShell::MoveFocus(int step) {
  const bool onBoard = (values_.ScreenState & GameScreen) && !DialogIsOpen();
  if (ports_.MoveFocus(step, !onBoard)) {
    ShowKeyCursor(false);
  } else if (onBoard) {
    MoveKeyCursor(0, 0);  // past the last button the board has the focus: its cursor shows
  }
}

void GameShell::ScreenKey(int key) {
  const bool onBoard = (values_.ScreenState & GameScreen) != 0;
  constexpr uint32_t Panels =
      OptionsScreen | InstructionsScreen | HighScoresScreen | StatisticsScreen;
  if (key == KeyEnter && InvitesNewGame(values_)) {
    RequestMode(values_.GameMode);
  } else if (key == KeyF2) {
    RunButtonAction(ButtonAction::NewGame);
  } else if (key == KeyEscape && (values_.ScreenState & Panels)) {
    Back();
  } else if (key == KeyD) {
    RunButtonAction(ButtonAction::Daily);
  } else if (key == KeyS && !(values_.ScreenState & StatisticsScreen)) {
    RunButtonAction(ButtonAction::OpenStatistics);
  } else if (key == KeyEscape && !(onBoard && ports_.BoardHasSelection())) {
    RunButtonAction(ButtonAction::Exit);
  } else if (onBoard) {
    BoardKey(key);
  }
}

void GameShell::BoardKey(int key) {
  switch (key) {
    case KeyLeft:
      MoveKeyCursor(-1, 0);
      break;
    case KeyRight:
      MoveKeyCursor(1, 0);
      break;
    case KeyUp:
      MoveKeyCursor(0, -1);
      break;
    case KeyDown:
      MoveKeyCursor(0, 1);
      break;
    case KeySpace:
    case KeyEnter:
      // A hidden cursor is shown first, so the player sees the cell a key acts on.
      if (keyCursorShown_) {
        ClickAtKeyCursor(ButtonLeft);
      } else {
        MoveKeyCursor(0, 0);
      }
      break;
    case KeyEscape:
      ClickAtKeyCursor(ButtonRight);  // deselects, wherever the cursor is
      break;
    case KeyH:
      ports_.ShowHint();
      break;
    default:
      break;
  }
}

// The first key shows the cursor where it is; the next ones move it, round the board's edges.
void GameShell::MoveKeyCursor(int dx, int dy) {
  if (keyCursorShown_) {
    keyCursorX_ = (keyCursorX_ + dx + BoardWidth) % BoardWidth;
    keyCursorY_ = (keyCursorY_ + dy + BoardHeight) % BoardHeight;
  }
  ShowKeyCursor(true);
  AimAtKeyCursor();
}

void GameShell::ClickAtKeyCursor(int button) {
  const int32_t held = values_.MouseButton;
  AimAtKeyCursor();
  values_.MouseButton = button;
  ports_.BoardClick();
  values_.MouseButton = held;
}

void GameShell::CentreKeyCursor() {
  keyCursorX_ = BoardWidth / 2;
  keyCursorY_ = BoardHeight / 2;
  AimAtKeyCursor();
}

void GameShell::ShowKeyCursor(bool shown) {
  if (shown == keyCursorShown_) return;
  keyCursorShown_ = shown;
  ports_.ShowKeyCursor(shown);
}

void GameShell::AimAtKeyCursor() {
  if (!keyCursorShown_) return;
  values_.MouseX = CellCentreX(keyCursorX_);
  values_.MouseY = CellCentreY(keyCursorY_);
}

void GameShell::FormKeyPress(char32_t character) {
  if (!(values_.ScreenState & EnterNameDialog) || IsLogoOrLoading()) return;
  if (!IsNameCharacter(character)) return;
  TypeIntoName(character);
}

// The name's letters are UTF-8: the caret stands between letters, never inside one.
void GameShell::TypeIntoName(char32_t character) {
  std::string& name = values_.PlayerName;
  if (values_.NameSelected) {
    name.clear();
    values_.NameSelected = false;
  }
  const std::size_t caret = std::min(values_.NameCaret, name.size());
  std::string letter;
  AppendUtf8(letter, character);
  // A letter is taken while the name, kept as its row keeps it, fills at most the row's 17 bytes.
  std::string longer = name;
  longer.insert(caret, letter);
  if (NameBytes(longer).size() > NameFieldLength) return;
  name = std::move(longer);
  values_.NameCaret = caret + letter.size();
  ports_.PlayKeySound();
}

bool GameShell::NameKey(int key) {
  std::string& name = values_.PlayerName;
  std::size_t caret = std::min(values_.NameCaret, name.size());
  const bool selected = values_.NameSelected;
  const std::size_t before = LastCharacterSize(std::string_view(name).substr(0, caret));
  const std::size_t after = CharacterSizeAt(name, caret);
  switch (key) {
    case KeyBackspace:
    case KeyDelete:
      if (selected) {
        name.clear();
        caret = 0;
      } else if (key == KeyBackspace && caret > 0) {
        caret -= before;
        name.erase(caret, before);
      } else if (key == KeyDelete && caret < name.size()) {
        name.erase(caret, after);
      }
      ports_.PlayKeySound();
      break;
    case KeyLeft:
      caret = selected ? 0 : caret - before;
      break;
    case KeyRight:
      caret = selected ? name.size() : caret + after;
      break;
    case KeyHome:
      caret = 0;
      break;
    case KeyEnd:
      caret = name.size();
      break;
    case KeyEnter:
      if (ports_.FocusShown()) return false;  // Enter presses the focused Yes or No
      StoreName();
      values_.ScreenState = HighScoresScreen;
      ports_.PlayKeySound();
      return true;
    default:
      return false;
  }
  values_.NameSelected = false;
  values_.NameCaret = caret;
  return true;
}

bool GameShell::FormCloseQuery() {
  if (IsLogoOrLoading()) {
    CloseAtOnce();
    return true;
  }
  if (!DialogIsOpen()) OpenDialog(ExitDialog);
  return false;
}

void GameShell::CloseAtOnce() {
  ports_.SetFramesRunning(false);
  ports_.ReleaseDevice();
  ports_.Terminate();
}

void GameShell::EndSession() {
  if (IsLogoOrLoading()) {
    CloseAtOnce();
    return;
  }
  // A question left unanswered changes nothing: the full-screen switch is not made, and a name
  // being typed is kept as Enter would keep it.
  if (values_.ScreenState & FullScreenDialog)
    values_.FullScreenSetting = !values_.FullScreenSetting;
  if (values_.ScreenState & EnterNameDialog) StoreName();
  ports_.Terminate();
}

// ---------------------------------------------------------------------------------------------
// Frame

void GameShell::AdvanceClocks(double d) {
  blinkPhase_ += d / 4;
  if (blinkPhase_ >= 2) blinkPhase_ = 2 - blinkPhase_;
  animClock_ += static_cast<float>(d);
  if (animClock_ < 38) logoFrame_ = static_cast<int32_t>(animClock_);
  if (animClock_ > 500) animClock_ = 0;
  values_.NewRowMarkTime = std::max(0.0, values_.NewRowMarkTime - d);
}

void GameShell::PowerTimer1RealTime(double d) {
  LogKeeperNews();
  AdvanceClocks(d);
  CountPlayTime(d);
  if (values_.ScreenState == LoadingScreen) {
    ports_.LoadAssets();
    return;
  }
  ports_.UpdateParticles(d);
  ports_.BeginFrame();
  if (values_.ScreenState == LogoScreen) {
    ports_.DrawLogoBackground();
    ports_.StepLogo(d);
  } else {
    ports_.DrawCommonLayer(logoFrame_);
    if (values_.ScreenState & InstructionsScreen) ports_.DrawInstructions();
    if (values_.ScreenState & OptionsScreen) ports_.DrawOptions();
    if (values_.ScreenState & HighScoresScreen) ports_.DrawHighScores();
    if (values_.ScreenState & StatisticsScreen) ports_.DrawStatistics();
    if (values_.ScreenState & GameScreen) {
      ports_.BoardFrame(d);
      ports_.DrawGameTexts();
      ports_.DrawParticles();
    }
    if (InvitesNewGame(values_)) ports_.DrawInvitation(animClock_);
    if (DialogIsOpen()) ports_.DrawDialog(animClock_, blinkPhase_);
  }
  if (!keyCursorShown_) ports_.DrawPointer();  // the pointer is not in use meanwhile
  ports_.EndAndPresentFrame();
}

// ---------------------------------------------------------------------------------------------
// Config.bin

void GameShell::SetConfigFolder(const std::filesystem::path& folder) {
  configFile_ = folder / ConfigFileName;
  statisticsFile_ = folder / StatisticsFileName;
}

// Tells the log (in English) and the player (in the game's language): the log may be unwritable
// too.
void GameShell::Report(std::string_view key, const std::vector<std::string>& arguments) {
  ports_.Log(PlayerMessage(key, EnglishLanguage, arguments).c_str());
  ports_.TellPlayer(PlayerMessage(key, values_.Language, arguments));
}

void GameShell::LoadConfig() {
  std::vector<uint8_t> bytes;
  configLoaded_ = true;
  values_.Today = ports_.Today();
  LoadStatistics();
  std::string reason;
  const FileReading reading = ReadExistingFile(configFile_, bytes, reason);
  if (reading == FileReading::Unreadable) {
    keptUnreadable_ = true;
    Report("ConfigUnreadable", {PathText(configFile_), reason});
  }
  if (reading != FileReading::Read) {
    for (uint8_t mode = 0; mode < HighScoreModes; ++mode) ResetScoreTable(values_, mode);
    values_.MusicVolume = 50;
    values_.SoundVolume = 75;
    FollowKeptGame(0);
    values_.RequestedMode = ModeNormal;
    RequestNewGame();
    return;
  }
  ConfigContents contents;
  contents.Tables = values_.HighScoreTable;
  contents.MusicVolume = values_.MusicVolume;
  contents.SoundVolume = values_.SoundVolume;
  DecodeConfig(bytes, contents);
  SanitizeSettings(contents);
  values_.HighScoreTable = contents.Tables;
  values_.MusicVolume = contents.MusicVolume;
  values_.SoundVolume = contents.SoundVolume;
  const bool complete = bytes.size() >= ConfigFileSize;
  if (contents.SavedGameFlag != 0 && complete && SavedGameIsSound(contents.Game)) {
    values_.GameMode = contents.Game.Mode;
    values_.Score = contents.Game.Score;
    FollowKeptGame(KeptGameFingerprint(bytes));
    if (values_.DailyDay != 0 && values_.DailyDay < values_.Today) {
      // The day has passed: the daily game ends as it stood when it was kept.
      ports_.Log(("The daily challenge of " + DayText(values_.DailyDay) +
                  " ends as it stood, with " + std::to_string(values_.Score) + " points")
                     .c_str());
      values_.ReturnState = MenuScreen;
      EndDailyGame();
      values_.Score = 0;
      return;
    }
    ports_.RestoreBoard(contents.Game);
    ports_.SelectModeButton();
    values_.ScreenState = DialogOpen | OldGameDialog | GameScreen;
    return;
  }
  if (contents.SavedGameFlag != 0) ports_.Log("Saved game in Config.bin is damaged; not resumed");
  FollowKeptGame(0);
  values_.RequestedMode = ModeNormal;
  RequestNewGame();
}

void GameShell::FollowKeptGame(uint64_t fingerprint) {
  TGameRecord record;
  for (const TGameRecord* kept : {&keptRecord_, &keptBefore_}) {
    if (fingerprint != 0 && kept->Present && kept->Fingerprint == fingerprint) record = *kept;
  }
  if (!record.Present && keptRecord_.Present) {
    // The game the statistics followed is not the one kept (it had not scored, or an older
    // program went on with the game): it left the board unfinished.
    values_.CurrentGame = keptRecord_;
    values_.Tally = keptRecord_.Tally;
    LeaveGame();
  }
  if (fingerprint == 0) return;
  if (!record.Present) {
    // A kept game the statistics never saw began in an older program, which counted nothing.
    record = NewRecord(WayOf(values_.GameMode, false), 0);
    record.Counted = true;
  }
  values_.CurrentGame = record;
  values_.Tally = record.Tally;
  values_.DailyDay = record.Way == WayDaily ? record.Day : 0;
}

void GameShell::LoadStatistics() {
  std::vector<uint8_t> bytes;
  std::string reason;
  const FileReading reading = ReadExistingFile(statisticsFile_, bytes, reason);
  TStatisticsFile file;
  if (reading == FileReading::Unreadable) {
    statisticsWritable_ = false;
    Report("StatisticsUnreadable", {PathText(statisticsFile_), reason});
  } else if (reading == FileReading::Read && !DecodeStatistics(bytes, file, reason)) {
    file = {};
    std::filesystem::path aside = statisticsFile_;
    aside += BadStatisticsSuffix;
    std::string moveError;
    if (MoveFileOver(statisticsFile_, aside, moveError)) {
      Report("StatisticsSetAside", {PathText(statisticsFile_), reason, PathText(aside)});
    } else {
      statisticsWritable_ = false;
      Report("StatisticsStuck", {PathText(statisticsFile_), reason, moveError});
    }
  }
  values_.Statistics = file.Totals;
  keptRecord_ = file.Current;
  keptBefore_ = file.Previous;
}

std::vector<uint8_t> GameShell::StatisticsImage(std::span<const uint8_t> configImage) {
  TakeTally();
  TGameRecord record = values_.CurrentGame;
  record.Fingerprint = KeptGameFingerprint(configImage);
  // The record of the kept game before this one stays, so a crash between the two files' writes
  // still finds the game Config.bin keeps.
  if (record.Fingerprint != keptRecord_.Fingerprint) keptBefore_ = keptRecord_;
  keptRecord_ = record;
  return EncodeStatistics({values_.Statistics, keptRecord_, keptBefore_});
}

ConfigContents GameShell::ContentsToSave() {
  ConfigContents contents;
  contents.Tables = values_.HighScoreTable;
  contents.MusicVolume = values_.MusicVolume;
  contents.SoundVolume = values_.SoundVolume;
  contents.SavedGameFlag = WhatTheExitKeeps(values_) == KeptGame::Kept ? 1 : 0;
  contents.Game.Mode = values_.GameMode;
  contents.Game.Score = values_.Score;
  ports_.SaveBoard(contents.Game);
  return contents;
}

std::filesystem::path GameShell::SaveTarget() const {
  // A Config.bin that could not be read may still hold scores: this run's go beside it.
  std::filesystem::path target = configFile_;
  if (keptUnreadable_) target += ".new";
  return target;
}

void GameShell::StoreName() {
  StoreEntryName(values_);
  values_.NewRowMarkTime = NewRowMarkDuration;
  KeepConfig();
}

void GameShell::KeepConfig() {
  if (!configLoaded_) return;
  std::vector<uint8_t> config = EncodeConfig(ContentsToSave());
  // The statistics go first: their record of the kept game is on disk before the game is.
  std::vector<uint8_t> statistics = StatisticsImage(config);
  if (statisticsWritable_) keeper_.Keep(statisticsFile_, std::move(statistics));
  keeper_.Keep(SaveTarget(), std::move(config));
}

void GameShell::LogKeeperNews() {
  for (const std::string& line : keeper_.TakeNews()) ports_.Log(line.c_str());
}

void GameShell::SaveConfig() {
  // Before loading has read the file, the stored scores, volumes and game stay as they are.
  if (!configLoaded_) return;
  keeper_.Finish();
  LogKeeperNews();
  const std::filesystem::path target = SaveTarget();
  const std::vector<uint8_t> config = EncodeConfig(ContentsToSave());
  std::string error;
  const std::vector<uint8_t> statistics = StatisticsImage(config);
  if (statisticsWritable_ && !ReplaceFile(statisticsFile_, statistics, error)) {
    ports_.Log(error.c_str());
    ports_.TellPlayer(PlayerMessage("StatisticsNotSaved", values_.Language, {error}));
  }
  if (!ReplaceFile(target, config, error)) {
    ports_.Log(error.c_str());
    // The log may sit in the same unwritable folder: the player's terminal hears of it too.
    ports_.TellPlayer(PlayerMessage("ConfigNotSaved", values_.Language, {error}));
  } else if (keptUnreadable_) {
    Report("ConfigSavedBeside", {PathText(target), PathText(configFile_)});
  }
}

// ---------------------------------------------------------------------------------------------
// Application

void GameShell::Activate() {
  ports_.SetFramesRunning(true);
  ports_.ResumeMusic();
}

void GameShell::Deactivate() {
  ports_.SetFramesRunning(false);
  ports_.PauseMusic();
}

}  // namespace marblix
