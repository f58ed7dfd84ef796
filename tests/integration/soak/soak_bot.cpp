// The soak bot: sessions of seeded games through the window's input handlers, restarts, dialogs,
// name entry, and the checks after every frame and event.
#include "integration/soak/soak_bot.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

#include "integration/game_run.h"
#include "integration/soak/soak_checks.h"
#include "shell/button_table.h"
#include "shell/config_file.h"
#include "shell/high_scores.h"
#include "support/DataPack.h"

namespace marblix::soak {

// ---- Seeds -----------------------------------------------------------------------------------

uint64_t BotRandom::Next() {
  state_ += 0x9E3779B97F4A7C15ull;
  uint64_t z = state_;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

int BotRandom::Below(int n) {
  return n <= 0 ? 0 : static_cast<int>(Next() % static_cast<uint64_t>(n));
}

double BotRandom::Uniform(double low, double high) {
  return low + (high - low) * (static_cast<double>(Next() >> 11) / 9007199254740992.0);
}

double BotRandom::LogUniform(double low, double high) {
  return std::exp(Uniform(std::log(low), std::log(high)));
}

uint64_t MixSeed(uint64_t seed, uint64_t index) {
  BotRandom mixer(seed ^ (index * 0xD1B54A32D192ED03ull));
  mixer.Next();
  return mixer.Next();
}

uint64_t SessionSeed(uint64_t seed, int index) {
  return MixSeed(seed, static_cast<uint64_t>(index));
}

namespace {

constexpr std::size_t BoardCells = std::size_t{BoardWidth} * BoardHeight;

// What a crash report prints: kept up to date as the bot goes.
char* ContextBuffer() {
  static char buffer[256] = "";
  return buffer;
}

class Violation : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

void Require(const std::string& fault) {
  if (!fault.empty()) throw Violation(fault);
}

bool SameEntries(const HighScoreTables& a, const HighScoreTables& b) {
  for (int mode = 0; mode < HighScoreModes; ++mode) {
    for (int row = 0; row < HighScoreRows; ++row) {
      if (a[mode][row].Score != b[mode][row].Score ||
          EntryName(a[mode][row]) != EntryName(b[mode][row]))
        return false;
    }
  }
  return true;
}

std::string Hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%x", value);
  return text;
}

// The frame times the bot draws from, in units of 1/15 s.
// The bytes of Config.bin up to and including the saved-game flag.
constexpr std::size_t TablesAndSettingsSize = HighScoreModes * HighScoreRows * 20 + 4 + 4 + 1;

constexpr double ShortestFrame = 0.01;
constexpr double LongestFrame = 40.0;

// What the bot types: letters, digits, "é", the euro sign, a character outside the code page, a
// sequence cut short, bytes that are no UTF-8, a name too long to keep, a control character.
constexpr std::array<const char*, 12> TypedTexts = {"A",
                                                    "z",
                                                    "Mo",
                                                    "0123456789",
                                                    " ",
                                                    "\xC3\xA9",
                                                    "\xE2\x82\xAC",
                                                    "\xF0\x9F\x8E\xB1",
                                                    "\xC3",
                                                    "\xFF\xFE",
                                                    "ABCDEFGHIJKLMNOPQRSTUVWXYZ",
                                                    "~\x7F"};

struct Move {
  int FromX, FromY, ToX, ToY;
};

class Bot {
 public:
  Bot(const SoakOptions& options, uint64_t sessionSeed, SoakFigures& figures)
      : options_(options), sessionSeed_(sessionSeed), figures_(figures) {
    LinkPack();
  }
  ~Bot() {
    if (run_) run_->Destroy();
  }

  void PlayGame(int index);
  // The end of a session: the tables are sorted, Config.bin reads back as written.
  void Finish();

  SoakFailure Failure(const std::string& what) const {
    std::string state =
        " [screen " + Hex(Values().ScreenState) + ", score " + std::to_string(Values().Score);
    if (run_) {
      const TGameField& board = *run_->Form().Board;
      state += ", balls " + std::to_string(81 - board.CountFree()) + ", busy timer " +
               std::to_string(board.FBusyTimer) + (Paused() ? ", paused" : "") + ", window " +
               std::to_string(run_->Host().ClientWidth) + "x" +
               std::to_string(run_->Host().ClientHeight) + (fullScreen_ ? " full screen" : "");
    }
    return {sessionSeed_, game_, gameSeed_, gameFrames_, gameSteps_, what + state + "]"};
  }

 private:
  void LinkPack();
  void UpdateContext();

  // ---- Runs of the program ----
  void StartRun();
  void EndRun();
  void CheckLoaded();
  ConfigContents StateToSave() const;

  // ---- Frames and events, each followed by the checks ----
  void Frame();
  void Frames(int count) {
    for (int i = 0; i < count && run_; ++i) Frame();
  }
  template <typename Handler>
  void Event(Handler handler);
  void CheckAll();
  void Trace(const char* what);
  void AfterGameOver(const HighScoreTables& before, uint8_t mode, int32_t finalScore);

  // ---- Input in frame coordinates ----
  double FrameScale() const;
  int ClientX(int x) const;
  int ClientY(int y) const;
  void MoveTo(int x, int y);
  void Press(int button, int x, int y);
  void Release(int button, int x, int y);
  void Click(int x, int y, int button = ButtonLeft);
  void ClickButton(int index);
  void ClickCell(int x, int y, int button = ButtonLeft);
  void DragCells(int fromX, int fromY, int toX, int toY);

  // ---- What the bot does ----
  void Step();
  void PlayOnBoard();
  bool PurposefulMove();
  std::vector<Move> PossibleMoves(int sampleBalls);
  int LineScore(const Move& move) const;
  void RandomInput();
  void MenuAction();
  void PanelAction();
  void AnswerDialog();
  void EnterName();
  void WaitForBoard();
  bool Paused() const { return run_ && !run_->Form().PowerTimer1->MayRealTime; }

  TForm1& Form() { return run_->Form(); }
  // The shell values of the current run, or of the last one once it has ended.
  TShellValues& Values() const { return *values_; }
  TGameField& Board() { return *run_->Form().Board; }

  const SoakOptions& options_;
  uint64_t sessionSeed_;
  SoakFigures& figures_;
  testing::TScopedWorkingDirectory dir_;
  std::shared_ptr<TShellValues> values_ = std::make_shared<TShellValues>();
  std::unique_ptr<test_support::GameRun> run_;
  TRecordingAudio* audio_ = nullptr;
  BotRandom random_{0};
  ScoreWatch score_;

  // The program's state that outlives a run.
  bool fullScreen_ = false;
  std::optional<ConfigContents> saved_;
  int runsInGame_ = 0;

  // The game under way.
  int game_ = 0;
  uint32_t gameSeed_ = 0;
  long gameFrames_ = 0;
  long gameSteps_ = 0;
  bool gameEnded_ = false;
  double skill_ = 0.5;
  int movesInGame_ = 0;
  int fillAfterMoves_ = 100;
  int abandons_ = 0;
  // The row a finished game's score took, and its mode, while the name question is open.
  int entryRow_ = -1;
  uint8_t entryMode_ = 0;
  std::array<uint32_t, 3> traced_{};
};

// ---- Set-up ------------------------------------------------------------------------------------

void Bot::LinkPack() {
  const std::filesystem::path pack = options_.DataDir;
  for (const char* name : testing::PackEntries) {
    if (std::filesystem::exists(pack / name)) testing::LinkOrCopy(pack / name, dir_.path() / name);
  }
}

void Bot::UpdateContext() {
  std::snprintf(ContextBuffer(), 256,
                "session seed 0x%llx, game %d of the session (game seed 0x%x), frame %ld, step %ld",
                static_cast<unsigned long long>(sessionSeed_), game_, gameSeed_, gameFrames_,
                gameSteps_);
}

// ---- Runs --------------------------------------------------------------------------------------

void Bot::StartRun() {
  values_ = std::make_shared<TShellValues>();
  run_ = std::make_unique<test_support::GameRun>(audio_, values_);
  Values().FullScreenSetting = fullScreen_;
  if (fullScreen_) {
    static constexpr std::array<std::array<int, 2>, 5> Desktops{
        {{1024, 768}, {800, 600}, {1280, 720}, {640, 480}, {1920, 1080}}};
    const auto& desktop = Desktops[random_.Below(Desktops.size())];
    run_->Host().DesktopWidth = desktop[0];
    run_->Host().DesktopHeight = desktop[1];
    // A display that offers the game's own mode besides the desktop's.
    run_->Recording().Modes = {{800, 600, 60, D3DFMT_X8R8G8B8},
                               {static_cast<uint32_t>(desktop[0]),
                                static_cast<uint32_t>(desktop[1]), 60, D3DFMT_X8R8G8B8}};
  }
  run_->Create();
  score_.Restart(Values().Score);
  // The program seeds its generator from the clock; a soak run must replay exactly.
  Values().RandSeed =
      static_cast<uint32_t>(MixSeed(gameSeed_, static_cast<uint64_t>(++runsInGame_)));
  ++figures_.Restarts;
  CheckAll();
  const bool closeEarly = random_.Chance(0.03);
  for (int frame = 0; frame < 400 && run_; ++frame) {
    if (Values().ScreenState != LogoScreen && Values().ScreenState != LoadingScreen) break;
    if (closeEarly && frame == 2) {
      // Closing during the logo ends the program at once and keeps Config.bin as it was.
      bool closes = false;
      Event([&] { closes = Form().FormCloseQuery(); });
      if (!closes) throw Violation("a close request during the logo was refused");
      if (run_) throw Violation("a close request during the logo did not end the program");
      return;
    }
    if (random_.Chance(0.2)) RandomInput();
    // A window sent to the background during the logo comes back before long.
    if (run_ && Paused() && random_.Chance(0.3))
      Event([&] { run_->Application().OnActivate(nullptr); });
    if (run_) Frame();
  }
  if (!run_) return;
  if (Values().ScreenState == LogoScreen || Values().ScreenState == LoadingScreen)
    throw Violation("the program did not finish loading");
  CheckLoaded();
}

// What a start must show after reading the Config.bin the last run wrote.
void Bot::CheckLoaded() {
  score_.Restart(Values().Score);
  if (!saved_) {
    if (Values().ScreenState != GameScreen || Values().Score != 0)
      throw Violation("a first start did not open a new game: screen " + Hex(Values().ScreenState));
    return;
  }
  if (!SameEntries(Values().HighScoreTable, saved_->Tables))
    throw Violation("the high-score tables read at the start differ from the ones saved");
  if (Values().MusicVolume != saved_->MusicVolume || Values().SoundVolume != saved_->SoundVolume)
    throw Violation("the volumes read at the start differ from the ones saved");
  if (saved_->SavedGameFlag == 0) {
    if (Values().ScreenState != GameScreen || Values().Score != 0)
      throw Violation("no saved game, yet the start shows screen " + Hex(Values().ScreenState));
    return;
  }
  ++figures_.ResumedGames;
  if (Values().ScreenState != (DialogOpen | OldGameDialog | GameScreen))
    throw Violation("a saved game of score " + std::to_string(saved_->Game.Score) +
                    " was not offered: screen " + Hex(Values().ScreenState));
  if (Values().Score != saved_->Game.Score || Values().GameMode != saved_->Game.Mode)
    throw Violation("the offered game's score or mode differs from the one saved");
  for (int x = 0; x < BoardWidth; ++x) {
    for (int y = 0; y < BoardHeight; ++y) {
      if (!(Board().FCells(x, y) == saved_->Game.Cells[x][y]))
        throw Violation("the offered game's board differs from the one saved");
    }
  }
}

ConfigContents Bot::StateToSave() const {
  ConfigContents state;
  state.Tables = Values().HighScoreTable;
  state.MusicVolume = Values().MusicVolume;
  state.SoundVolume = Values().SoundVolume;
  // A panel whose Back leads to the game is shown over a game in progress; the high-score panel
  // that shows a game's end is not.
  const bool panel = (Values().ScreenState & 0x70) != 0 &&
                     (Values().ScreenState & (EnterNameDialog | LowScoreDialog)) == 0;
  const uint32_t shown = panel ? Values().PanelReturnState : Values().ScreenState;
  state.SavedGameFlag = ((shown & GameScreen) && Values().Score > 0) ? 1 : 0;
  state.Game.Mode = Values().GameMode;
  state.Game.Score = Values().Score;
  const TGameField& board = *run_->Form().Board;
  state.Game.NextCount = board.FNextCount;
  state.Game.Preview = board.FPreview;
  for (int x = 0; x < BoardWidth; ++x) {
    for (int y = 0; y < BoardHeight; ++y) state.Game.Cells[x][y] = board.FCells(x, y);
  }
  if (board.FGameOver && run_->Form().Shell.ConfigLoaded()) {
    // Closed while the game was ending: its score goes to the table under the last name (the
    // daily challenge's to no table).
    int row = HighScoreRows;
    if (Values().DailyDay == 0) {
      state.Tables =
          ExpectedAfterPlacing(Values().HighScoreTable, Values().GameMode, Values().Score, row);
    }
    if (row < HighScoreRows)
      SetEntryName(state.Tables[Values().GameMode][row], Values().PlayerName);
    state.SavedGameFlag = 0;
  }
  return state;
}

// Destroys the window (which writes Config.bin) and checks the file against what was shown.
void Bot::EndRun() {
  const bool loaded = run_->Form().Shell.ConfigLoaded();
  const ConfigContents expected = StateToSave();
  if (run_->Form().Board->FGameOver && loaded) gameEnded_ = true;
  std::vector<uint8_t> before;
  ReadWholeFile(ConfigFileName, before);
  fullScreen_ = Values().FullScreenSetting;
  run_->Destroy();
  run_.reset();
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(ConfigFileName, bytes)) {
    if (loaded) throw Violation("closing the program wrote no Config.bin");
    return;
  }
  if (!loaded) {
    if (bytes != before) throw Violation("closing during the logo changed Config.bin");
    return;
  }
  if (bytes.size() != ConfigFileSize)
    throw Violation("Config.bin has " + std::to_string(bytes.size()) + " bytes");
  ConfigContents written;
  DecodeConfig(bytes, written);
  // Without a saved game the reader stops after the flag: the rest of the file is not read.
  const std::vector<uint8_t> again = EncodeConfig(written);
  const std::size_t read = written.SavedGameFlag != 0 ? ConfigFileSize : TablesAndSettingsSize;
  if (!std::equal(again.begin(), again.begin() + static_cast<std::ptrdiff_t>(read), bytes.begin()))
    throw Violation("Config.bin does not encode back the same");
  Require(ConfigDifference(expected, written));
  Require(TablesFault(written.Tables));
  if (written.SavedGameFlag != 0 && !SavedGameIsSound(written.Game))
    throw Violation("the saved game would be refused as damaged at the next start");
  saved_ = written;
}

// ---- Frames and events -------------------------------------------------------------------------

void Bot::Trace(const char* what) {
  if (!options_.Trace) return;
  const int balls = BoardWidth * BoardHeight - Board().CountFree();
  if (Values().ScreenState == traced_[0] && static_cast<uint32_t>(Values().Score) == traced_[1] &&
      static_cast<uint32_t>(balls) == traced_[2])
    return;
  traced_ = {Values().ScreenState, static_cast<uint32_t>(Values().Score),
             static_cast<uint32_t>(balls)};
  std::printf("  game %d frame %ld step %ld, after %s: screen 0x%x, score %d, balls %d\n", game_,
              gameFrames_, gameSteps_, what, Values().ScreenState, Values().Score, balls);
}

void Bot::CheckAll() {
  Require(ShellValuesFault(Values()));
  Require(BoardFault(Board()));
  Require(TablesFault(Values().HighScoreTable));
}

void Bot::Frame() {
  const uint32_t screenBefore = Values().ScreenState;
  const HighScoreTables tablesBefore = Values().HighScoreTable;
  const uint8_t modeBefore = Values().GameMode;
  const int32_t scoreBefore = score_.Last();
  const size_t undoable = Board().MovesToTakeBack();
  const double units = random_.Chance(0.5) ? random_.LogUniform(ShortestFrame, LongestFrame)
                                           : random_.Uniform(ShortestFrame, LongestFrame);
  audio_->ClearCalls();
  if (random_.Chance(0.02)) {
    // Two idle passes in the same instant: the timer's rate has no time to measure.
    run_->Idle(0);
  } else if (random_.Chance(0.5)) {
    // Through the frame timer, which measures the time itself (and rounds long frames).
    run_->Idle(units * 1000.0 / 15.0);
  } else if (!Paused()) {
    // Straight into the frame routine with exactly this time.
    run_->Recording().Clear();
    Form().PowerTimer1->OnRealTime(nullptr, units);
  }
  ++figures_.Frames;
  ++gameFrames_;
  Trace("a frame");
  figures_.ScreenWords.insert(Values().ScreenState);
  CheckAll();
  std::string fault;
  const bool takenBack = Board().MovesToTakeBack() < undoable;
  const ScoreWatch::Change change = score_.AfterFrame(Values(), screenBefore, takenBack, fault);
  Require(fault);
  figures_.BestScore = std::max(figures_.BestScore, Values().Score);
  if (change == ScoreWatch::Change::GameOver) AfterGameOver(tablesBefore, modeBefore, scoreBefore);
}

void Bot::AfterGameOver(const HighScoreTables& before, uint8_t mode, int32_t finalScore) {
  if (IsDailyResultWord(Values().ScreenState)) {
    // The daily challenge has its own best score: the tables stay as they were.
    if (!SameEntries(Values().HighScoreTable, before))
      throw Violation("the daily challenge's score went into a table");
    gameEnded_ = true;
    entryRow_ = -1;
    ++figures_.DailyResults;
    return;
  }
  int row = 0;
  const HighScoreTables expected = ExpectedAfterPlacing(before, mode, finalScore, row);
  if (!SameEntries(Values().HighScoreTable, expected))
    throw Violation("the final score " + std::to_string(finalScore) +
                    " was not placed as the table's order asks");
  const bool entered = row < HighScoreRows;
  const uint32_t word =
      DialogOpen | (entered ? EnterNameDialog : LowScoreDialog) | HighScoresScreen;
  if (Values().ScreenState != word)
    throw Violation("game over opened " + Hex(Values().ScreenState));
  if (entered && Values().NewEntryRow != row) throw Violation("the name goes to the wrong row");
  gameEnded_ = true;
  entryRow_ = entered ? row : -1;
  entryMode_ = mode;
  ++(entered ? figures_.NameEntries : figures_.LowScores);
}

template <typename Handler>
void Bot::Event(Handler handler) {
  const size_t undoable = run_ ? Board().MovesToTakeBack() : 0;
  const bool resting = run_ && Board().FBusyTimer <= 0.0;
  handler();
  ++figures_.Events;
  if (!run_) return;
  if (run_->Application().Terminated()) {
    EndRun();
    return;
  }
  Trace("an event");
  CheckAll();
  std::string fault;
  const bool empty = !Board().AnyBall();
  const bool takenBack = Board().MovesToTakeBack() < undoable;
  if (score_.AfterEvent(Values(), empty, takenBack, fault) == ScoreWatch::Change::NewGame &&
      Values().GameUnderWay)
    throw Violation("a new game started already under way");
  Require(fault);
  if (resting && Board().FBusyTimer > 0.0 && Board().FMovePending)
    score_.MoveStarted(Values().Score);
}

// ---- Input -------------------------------------------------------------------------------------

// Where the window shows the 800 x 600 frame: scaled to fit its client area and centred.
double Bot::FrameScale() const {
  return std::min(run_->Host().ClientWidth / 800.0, run_->Host().ClientHeight / 600.0);
}
int Bot::ClientX(int x) const {
  const double offset = (run_->Host().ClientWidth - 800 * FrameScale()) / 2;
  return static_cast<int>(std::lround(offset + x * FrameScale()));
}
int Bot::ClientY(int y) const {
  const double offset = (run_->Host().ClientHeight - 600 * FrameScale()) / 2;
  return static_cast<int>(std::lround(offset + y * FrameScale()));
}

void Bot::MoveTo(int x, int y) {
  Event([&] { Form().FormMouseMove(ClientX(x), ClientY(y)); });
}
void Bot::Press(int button, int x, int y) {
  Event([&] { Form().FormMouseDown(button, ClientX(x), ClientY(y)); });
}
void Bot::Release(int button, int x, int y) {
  Event([&] { Form().FormMouseUp(button, ClientX(x), ClientY(y)); });
}
void Bot::Click(int x, int y, int button) {
  MoveTo(x, y);
  if (run_) Press(button, x, y);
  if (run_) Release(button, x, y);
}

void Bot::ClickButton(int index) {
  const TButtons* buttons = Form().Resources.Buttons.get();
  if (buttons == nullptr || index >= buttons->Count()) return;
  const TButtonItem& item = (*buttons)[index];
  const int w = item.image ? item.image->PatternWidth : 0;
  const int h = item.image ? item.image->PatternHeight : 0;
  Click(item.x + w / 2 + random_.Between(-w / 4, w / 4),
        item.y + h / 2 + random_.Between(-h / 4, h / 4));
}

void Bot::ClickCell(int x, int y, int button) {
  Click(CellCentreX(x) + random_.Between(-18, 18), CellCentreY(y) + random_.Between(-18, 18),
        button);
}

void Bot::DragCells(int fromX, int fromY, int toX, int toY) {
  const int x0 = CellCentreX(fromX), y0 = CellCentreY(fromY);
  const int x1 = CellCentreX(toX), y1 = CellCentreY(toY);
  MoveTo(x0, y0);
  if (run_) Press(ButtonLeft, x0, y0);
  const int steps = random_.Between(0, 4);
  for (int i = 1; i <= steps && run_; ++i)
    MoveTo(x0 + (x1 - x0) * i / (steps + 1), y0 + (y1 - y0) * i / (steps + 1));
  if (run_ && random_.Chance(0.2)) Frame();  // the drag may last over a frame
  if (run_) MoveTo(x1, y1);
  if (run_) Release(ButtonLeft, x1, y1);
}

// ---- Games -------------------------------------------------------------------------------------

void Bot::PlayGame(int index) {
  game_ = index;
  gameSeed_ = static_cast<uint32_t>(MixSeed(sessionSeed_, 2 * static_cast<uint64_t>(index)));
  random_ = BotRandom(MixSeed(sessionSeed_, 2 * static_cast<uint64_t>(index) + 1));
  Values().RandSeed = gameSeed_;
  gameFrames_ = gameSteps_ = 0;
  gameEnded_ = false;
  runsInGame_ = 0;
  movesInGame_ = 0;
  abandons_ = 0;
  entryRow_ = -1;
  skill_ = random_.Uniform(0, 1);
  fillAfterMoves_ = random_.Between(20, 160);
  UpdateContext();
  // The game is over once its score is placed and the question after it answered.
  while (!gameEnded_ || (run_ && IsGameOverWord(Values().ScreenState))) {
    if (++gameSteps_ > options_.MaxStepsPerGame)
      throw Violation("the game did not end within " + std::to_string(options_.MaxStepsPerGame) +
                      " steps");
    UpdateContext();
    Step();
  }
  ++figures_.Games;
}

void Bot::Step() {
  if (!run_) {
    StartRun();
    return;
  }
  if (Paused() && random_.Chance(0.5)) {
    Event([&] { run_->Application().OnActivate(nullptr); });
  } else if (Values().ScreenState & DialogOpen) {
    if (random_.Chance(0.1)) RandomInput();
    if (run_ && (Values().ScreenState & DialogOpen)) AnswerDialog();
  } else if (Values().ScreenState & GameScreen) {
    PlayOnBoard();
  } else if (random_.Chance(0.1)) {
    RandomInput();
  } else {
    PanelAction();
  }
  if (run_) Frames(random_.Between(1, 3));
}

void Bot::PlayOnBoard() {
  // A game with points can always go on: some ball can move, or the game is ending.
  const TGameField& board = Board();
  if (board.FBusyTimer < -100.0 && !board.FGameOver && !board.AnyBall()) {
    if (Values().Score > 0)
      throw Violation("the game on the board has no ball to move and does not end");
    // Back from a panel after a game's end shows its empty board: start a new game.
    ClickButton(random_.Below(4));
    return;
  }
  const double r = random_.Uniform(0, 1);
  if (r < 0.82) {
    if (!PurposefulMove()) WaitForBoard();
  } else if (r < 0.95) {
    RandomInput();
  } else {
    MenuAction();
  }
}

void Bot::WaitForBoard() {
  for (int i = 0; i < 50 && run_ && Board().FBusyTimer > 0 && !Paused(); ++i) Frame();
}

// ---- Purposeful moves
// ----------------------------------------------------------------------------

// Every move of a ball to an empty cell it can reach, for up to `sampleBalls` balls.
std::vector<Move> Bot::PossibleMoves(int sampleBalls) {
  const TGameField& board = *run_->Form().Board;
  std::array<int, BoardCells> region{};
  region.fill(-1);
  auto empty = [&](int x, int y) { return board.FCells(x, y).Mask == 0; };
  int regions = 0;
  for (int x = 0; x < BoardWidth; ++x) {
    for (int y = 0; y < BoardHeight; ++y) {
      if (!empty(x, y) || region[x * BoardHeight + y] >= 0) continue;
      std::vector<std::array<int, 2>> stack{{x, y}};
      region[x * BoardHeight + y] = regions;
      while (!stack.empty()) {
        const auto [cx, cy] = stack.back();
        stack.pop_back();
        for (const auto& [dx, dy] : {std::array{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
          const int nx = cx + dx, ny = cy + dy;
          if (nx < 0 || ny < 0 || nx >= BoardWidth || ny >= BoardHeight || !empty(nx, ny) ||
              region[nx * BoardHeight + ny] >= 0)
            continue;
          region[nx * BoardHeight + ny] = regions;
          stack.push_back({nx, ny});
        }
      }
      ++regions;
    }
  }
  std::vector<std::array<int, 2>> balls;
  for (int x = 0; x < BoardWidth; ++x)
    for (int y = 0; y < BoardHeight; ++y)
      if (!empty(x, y)) balls.push_back({x, y});
  std::vector<Move> moves;
  int tried = 0;
  std::vector<int> order(balls.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  BotRandom shuffle(random_.Next());
  for (std::size_t i = order.size(); i > 1; --i)
    std::swap(order[i - 1], order[shuffle.Below(static_cast<int>(i))]);
  for (int index : order) {
    const auto [bx, by] = balls[index];
    std::array<bool, BoardCells> reach{};
    bool any = false;
    for (const auto& [dx, dy] : {std::array{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
      const int nx = bx + dx, ny = by + dy;
      if (nx < 0 || ny < 0 || nx >= BoardWidth || ny >= BoardHeight || !empty(nx, ny)) continue;
      for (int c = 0; c < BoardWidth * BoardHeight; ++c)
        if (region[c] == region[nx * BoardHeight + ny]) reach[c] = any = true;
    }
    if (!any) continue;
    for (int c = 0; c < BoardWidth * BoardHeight; ++c)
      if (reach[c]) moves.push_back({bx, by, c / BoardHeight, c % BoardHeight});
    if (++tried >= sampleBalls) break;
  }
  return moves;
}

// The longest row of shared colours the moved ball would stand in.
int Bot::LineScore(const Move& move) const {
  const TGameField& board = *run_->Form().Board;
  const uint32_t colours = board.FCells(move.FromX, move.FromY).Mask & MaskColours;
  if (colours == 0) return 0;
  int best = 0;
  for (const auto& [dx, dy] : {std::array{1, 0}, {0, 1}, {1, 1}, {1, -1}}) {
    int length = 1;
    for (int sign : {1, -1}) {
      uint32_t common = colours;
      for (int k = 1; k < 5; ++k) {
        const int x = move.ToX + sign * k * dx, y = move.ToY + sign * k * dy;
        if (x < 0 || y < 0 || x >= BoardWidth || y >= BoardHeight) break;
        if (x == move.FromX && y == move.FromY) break;
        common &= board.FCells(x, y).Mask;
        if (common == 0) break;
        ++length;
      }
    }
    best = std::max(best, length);
  }
  return best;
}

bool Bot::PurposefulMove() {
  if (Paused()) Event([&] { run_->Application().OnActivate(nullptr); });
  if (!run_ || Board().FBusyTimer > 0) return false;
  const bool greedy = movesInGame_ < fillAfterMoves_ && random_.Chance(skill_);
  std::vector<Move> moves = PossibleMoves(greedy ? 14 : 1);
  if (moves.empty()) return false;
  Move move = moves[random_.Below(static_cast<int>(moves.size()))];
  if (greedy) {
    int best = -1;
    for (const Move& m : moves) {
      const int score = LineScore(m);
      if (score > best) best = score, move = m;
    }
  }
  ++movesInGame_;
  ++figures_.Moves;
  const TGameField& board = Board();
  const bool holding = board.FSelected && board.FSelX == move.FromX && board.FSelY == move.FromY;
  const double style = random_.Uniform(0, 1);
  if (style < 0.55) {
    if (!holding) ClickCell(move.FromX, move.FromY);
    if (run_) ClickCell(move.ToX, move.ToY);
  } else if (style < 0.85) {
    // A press on the held ball lets it go: a right click first makes the drag pick it up.
    if (holding) ClickCell(move.FromX, move.FromY, ButtonRight);
    if (run_) DragCells(move.FromX, move.FromY, move.ToX, move.ToY);
  } else {
    // Pick a ball, change one's mind with a right click, then move the chosen one.
    ClickCell(random_.Below(BoardWidth), random_.Below(BoardHeight));
    if (run_) ClickCell(random_.Below(BoardWidth), random_.Below(BoardHeight), ButtonRight);
    if (run_) ClickCell(move.FromX, move.FromY);
    if (run_) ClickCell(move.ToX, move.ToY);
  }
  return true;
}

// ---- Random input ------------------------------------------------------------------------------

void Bot::RandomInput() {
  const int w = run_->Host().ClientWidth, h = run_->Host().ClientHeight;
  auto anyX = [&] {
    return random_.Chance(0.05) ? random_.Between(-5000, 5000) : random_.Between(-40, w + 40);
  };
  auto anyY = [&] {
    return random_.Chance(0.05) ? random_.Between(-5000, 5000) : random_.Between(-40, h + 40);
  };
  auto anyButton = [&] { return random_.Chance(0.7) ? ButtonLeft : random_.Between(1, 2); };
  TForm1& form = Form();
  switch (random_.Below(16)) {
    case 0:
      Event([&] { form.FormMouseMove(anyX(), anyY()); });
      break;
    case 1:
      Event([&] { form.FormMouseDown(anyButton(), anyX(), anyY()); });
      break;
    case 2:
      Event([&] { form.FormMouseUp(anyButton(), anyX(), anyY()); });
      break;
    case 3: {
      const int x = anyX(), y = anyY(), button = anyButton();
      Event([&] { form.FormMouseMove(x, y); });
      if (run_) Event([&] { form.FormMouseDown(button, x, y); });
      if (run_) Event([&] { form.FormMouseUp(button, x, y); });
      break;
    }
    case 4:
      ClickCell(random_.Below(BoardWidth), random_.Below(BoardHeight),
                random_.Chance(0.8) ? ButtonLeft : ButtonRight);
      break;
    case 5:
      DragCells(random_.Below(BoardWidth), random_.Below(BoardHeight), random_.Below(BoardWidth),
                random_.Below(BoardHeight));
      break;
    case 6:
      ClickButton(random_.Below(ButtonCount));
      break;
    case 7:
      Event([&] { form.FormKeyDown(random_.Chance(0.5) ? KeyBackspace : KeyEnter, {}); });
      break;
    case 8:
      if (random_.Chance(0.3)) Event([&] { form.FormKeyDown(KeyEnter, {.Alt = true}); });
      break;
    case 9:
      Event([&] { form.FormKeyDown(random_.Between(0, 300), {.Alt = random_.Chance(0.2)}); });
      break;
    case 10:
      Event([&] { form.TextInput(TypedTexts[random_.Below(TypedTexts.size())]); });
      break;
    case 11:
      Event([&] { form.FormKeyPress(static_cast<uint32_t>(random_.Between(0, 0x2200))); });
      break;
    case 12:
      if (random_.Chance(0.3)) Event([&] { form.FormCloseQuery(); });
      break;
    case 13:
      Event([&] { run_->Application().OnDeactivate(nullptr); });
      break;
    case 14:
      run_->Recording().Fail("Present", D3DERR_DEVICELOST, random_.Between(1, 3));
      break;
    default:
      Event([&] { run_->Application().OnActivate(nullptr); });
      break;
  }
}

// ---- Menus, panels and dialogs -----------------------------------------------------------------

// From the game: a new game in one of the modes, a panel, the exit question, full screen.
void Bot::MenuAction() {
  const int choice = random_.Below(12);
  if (choice < 4) {
    // New game, Kids, Normal, Professional: over a game under way this asks first.
    if (abandons_ < 2 || !Values().GameUnderWay) ClickButton(choice);
  } else if (choice < 9) {
    ClickButton(4 + random_.Below(3));  // options, instructions, high scores
  } else if (choice == 9) {
    ClickButton(7);  // exit
  } else if (choice == 10) {
    if (random_.Chance(0.3)) Event([&] { Form().FormKeyDown(KeyEnter, {.Alt = true}); });
  } else if (random_.Chance(0.5)) {
    Event([&] { Form().FormCloseQuery(); });
  }
}

// On the menu or a panel: its own buttons, the volume bars, the full-screen box, or a way back.
void Bot::PanelAction() {
  const uint32_t screen = Values().ScreenState;
  const double r = random_.Uniform(0, 1);
  if (screen == MenuScreen && r >= 0.6) {
    // The menu's own way out, a panel, or the full-screen question.
    if (r < 0.85) {
      ClickButton(4 + random_.Below(4));
    } else {
      Event([&] { Form().FormKeyDown(KeyEnter, {.Alt = true}); });
    }
    return;
  }
  if (r < 0.3 || screen == MenuScreen) {
    // Back to playing: a new game in some mode, or the panel's Back button.
    if (screen == MenuScreen || random_.Chance(0.5)) {
      ClickButton(random_.Below(4));
    } else {
      ClickButton(screen == HighScoresScreen ? 10 : screen == InstructionsScreen ? 12 : 13);
    }
    return;
  }
  if (r < 0.4) {
    ClickButton(4 + random_.Below(3));
    return;
  }
  if (screen == HighScoresScreen) {
    ClickButton(random_.Chance(0.9) ? 8 + random_.Below(2) : 11);  // tables, or clear
  } else if (screen == InstructionsScreen) {
    ClickButton(16 + random_.Below(2));
  } else if (screen == OptionsScreen) {
    const int what = random_.Below(10);
    if (what < 4) {
      ClickButton(18 + what);
    } else if (what < 8) {
      // The volume bars, by a press anywhere on them.
      const int y = what < 6 ? random_.Between(173, 189) : random_.Between(273, 289);
      Click(random_.Between(480, 720), y);
    } else if (random_.Chance(0.3)) {
      Click(random_.Between(412, 432), random_.Between(363, 382));  // the full-screen box
    }
  }
}

void Bot::AnswerDialog() {
  const uint32_t kind = Values().ScreenState & ~(DialogOpen | 0xFFu);
  double yes = 0.5;
  switch (kind) {
    case ExitDialog:
      yes = 0.15;
      break;
    case NewGameDialog:
      if (random_.Chance(0.35)) {
        ++figures_.AbandonedGames;
        ++abandons_;
        ClickButton(ButtonYes);
      } else {
        ClickButton(ButtonNo);
      }
      return;
    case OldGameDialog:
      yes = 0.8;
      break;
    case ClearScoresDialog:
      yes = 0.3;
      break;
    case EnterNameDialog:
      EnterName();
      return;
    case FullScreenDialog:
      yes = 0.2;
      break;
    default:
      break;
  }
  ClickButton(random_.Chance(yes) ? ButtonYes : ButtonNo);
}

// Types a name with corrections and answers with Enter, Yes or No; the name must land in the row.
void Bot::EnterName() {
  const int edits = random_.Between(0, 8);
  for (int i = 0; i < edits && run_; ++i) {
    switch (random_.Below(4)) {
      case 0:
        for (int k = random_.Between(1, 20); k > 0 && run_; --k)
          Event([&] { Form().FormKeyDown(KeyBackspace, {}); });
        break;
      case 1:
        Event([&] { Form().TextInput(TypedTexts[random_.Below(TypedTexts.size())]); });
        break;
      case 2:
        Event([&] { Form().FormKeyPress(static_cast<uint32_t>(random_.Between(0, 300))); });
        break;
      default:
        Frame();
        break;
    }
  }
  if (!run_ || !(Values().ScreenState & EnterNameDialog)) return;
  const std::string name = KeptName(Values().PlayerName);
  const uint8_t mode = entryMode_;
  const int row = entryRow_;
  const double how = random_.Uniform(0, 1);
  if (how < 0.45) {
    Event([&] { Form().FormKeyDown(KeyEnter, {.Alt = random_.Chance(0.1)}); });
  } else {
    ClickButton(how < 0.75 ? ButtonYes : ButtonNo);
  }
  if (row < 0 || (run_ && (Values().ScreenState & EnterNameDialog))) return;
  if (EntryName(Values().HighScoreTable[mode][row]) != name)
    throw Violation("the name \"" + name + "\" did not reach row " + std::to_string(row) +
                    " (it holds \"" + EntryName(Values().HighScoreTable[mode][row]) + "\")");
}

// ---- The end of a session ----------------------------------------------------------------------

void Bot::Finish() {
  game_ = -1;
  UpdateContext();
  if (run_) EndRun();
  std::vector<uint8_t> first;
  if (!ReadWholeFile(ConfigFileName, first)) return;
  // A fresh start reads the file and, closed at once, writes it again unchanged.
  for (int attempt = 0; attempt < 3 && !run_; ++attempt) StartRun();
  if (!run_) throw Violation("the program never started at the end of the session");
  EndRun();
  std::vector<uint8_t> second;
  ReadWholeFile(ConfigFileName, second);
  ConfigContents a, b;
  DecodeConfig(first, a);
  DecodeConfig(second, b);
  Require(ConfigDifference(a, b));
  if (a.SavedGameFlag != 0 && first != second)
    throw Violation("Config.bin with a saved game was not written back byte for byte");
  Require(TablesFault(b.Tables));
}

}  // namespace

const char* CurrentSoakContext() {
  return ContextBuffer();
}

std::optional<SoakFailure> PlaySession(const SoakOptions& options, uint64_t sessionSeed, int games,
                                       SoakFigures& figures) {
  Bot bot(options, sessionSeed, figures);
  try {
    for (int game = 0; game < games; ++game) bot.PlayGame(game);
    bot.Finish();
  } catch (const std::exception& violation) {
    return bot.Failure(violation.what());
  }
  ++figures.Sessions;
  return std::nullopt;
}

}  // namespace marblix::soak
