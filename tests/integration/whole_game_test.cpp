// Whole runs of the program, driven by scripted events: start, logo, loading, play, dialogs,
// shutdown and the next start.
#include <gtest/gtest.h>

#include <algorithm>

#include "integration/game_run.h"
#include "platform/system/settings_store.h"
#include "shell/button_table.h"
#include "shell/high_scores.h"

namespace marblix {
namespace {

using test_support::CellX;
using test_support::CellY;
using test_support::GameRun;
using test_support::LogMessages;
using test_support::WriteNearlyFullGame;

class WholeGame : public ::testing::Test {
 protected:
  void SetUp() override { test_support::LinkDataPack(dir.path()); }
  // Buttons take their size from their pictures: without the pack there is nothing to click.
  static bool PackMissing() { return !test_support::DataPackExists(); }

  std::unique_ptr<GameRun> Start() {
    auto run = std::make_unique<GameRun>(audio);
    run->Create();
    return run;
  }
  // From start-up to the first playing screen.
  std::unique_ptr<GameRun> StartAndLoad() {
    auto run = Start();
    TShellValues& values = run->Values();
    EXPECT_TRUE(run->RunUntil(
        [&] { return values.ScreenState != LogoScreen && values.ScreenState != LoadingScreen; }));
    return run;
  }
  static std::size_t ConfigSize() {
    std::error_code error;
    const auto size = std::filesystem::file_size(ConfigFileName, error);
    return error ? 0 : size;
  }
  // The first cell holding a ball with an empty neighbour to its right, and that neighbour.
  static bool FindMovableBall(TGameField& board, int& x, int& y) {
    for (y = 0; y < 9; ++y) {
      for (x = 0; x < 8; ++x) {
        if (board.FCells(x, y).Mask != 0 && board.FCells(x + 1, y).Mask == 0) return true;
      }
    }
    return false;
  }

  testing::TScopedWorkingDirectory dir;
  TRecordingAudio* audio = nullptr;
};

TEST_F(WholeGame, StartLogoLoadingAndANewNormalGameWithTheLogInOrder) {
  auto run = Start();
  TShellValues& values = run->Values();
  EXPECT_TRUE(run->Host().Shown);
  EXPECT_TRUE(run->Host().PaintedInitializing);
  EXPECT_EQ(run->Host().Caption, "Marblix (loading...)");
  EXPECT_EQ(values.ScreenState, LogoScreen);
  int logoFrames = 0;
  while (values.ScreenState == LogoScreen && logoFrames < 200) {
    run->Idle();
    ++logoFrames;
  }
  EXPECT_GE(logoFrames, 60);  // about 77 units of 1/15 s
  EXPECT_EQ(values.ScreenState, LoadingScreen);
  run->Idle();  // the loading frame
  EXPECT_EQ(values.ScreenState, GameScreen);
  EXPECT_EQ(values.GameMode, ModeNormal);
  EXPECT_EQ(run->Host().Caption, "Marblix v1.00");
  EXPECT_EQ(run->Host().CurrentPointer, TFormHost::Pointer::Arrow);
  EXPECT_EQ(values.MusicVolume, 50);
  int balls = 0;
  for (const TCell& cell : run->Form().Board->FCells) balls += cell.Mask != 0;
  EXPECT_EQ(balls, 6);

  const auto log = LogMessages();
  ASSERT_GE(log.size(), 2u + 10 + GpCount + 9);
  std::vector<std::string> expected = {"Program started", "", "Initializing Direct3D Device...",
                                       "...Ok"};
  EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + 4), expected);
  EXPECT_EQ(log[4], "Device - Recording device (recording)");
  EXPECT_EQ(log[5].rfind("CPU - ", 0), 0u);
  EXPECT_EQ(log[6], "Initializing Font Render Device...");
  EXPECT_EQ(log[7], "Loading textures...");
  for (int i = 0; i < 11; ++i) EXPECT_EQ(log[8 + i], TextureLogLine(StartupTextures()[i]));
  EXPECT_EQ(log[19], "Starting Logo");
  EXPECT_EQ(log[20], "Loading Ingame Resources ...");
  for (int i = 0; i < GpCount; ++i) EXPECT_EQ(log[21 + i], TextureLogLine(GameTextures()[i]));
  EXPECT_EQ(log[21],
            "Loaded Texture \".\\graphics\\buttons\\new game.tga\". Size 128x32. Format 21");
  // Then the loader's steps in order (sound-list or text warnings may come between them).
  std::vector<std::string> steps = {"Initializing BASS ...",
                                    "Initializing XWindows :) ...",
                                    "...Ok",
                                    "Loading font ...",
                                    "Releasing loading stuff ...",
                                    "Loading ingame strings...",
                                    "Starting game...",
                                    "Loading config ..."};
  auto at = log.begin() + 21 + GpCount;
  for (const auto& step : steps) {
    at = std::find(at, log.end(), step);
    ASSERT_NE(at, log.end()) << step;
  }
}

// The options' language arrows: the next or previous language of the pack speaks at once, and the
// choice is kept for the next start.
TEST_F(WholeGame, TheLanguageArrowsSwitchAtOnceAndTheChoiceIsKept) {
  if (PackMissing() || !std::filesystem::is_directory("lang/de")) GTEST_SKIP() << "no languages";
  // The player's own choice comes back whatever the test does.
  struct KeepSetting {
    std::string Before = ReadLanguageSetting();
    ~KeepSetting() { WriteLanguageSetting(Before); }
  } keep;
  auto run = StartAndLoad();
  TShellValues& values = run->Values();
  const TQzStrings& strings = *run->Form().Resources.Strings;
  EXPECT_EQ(strings.Options, "Options");
  run->Click(140, 398);  // Options
  ASSERT_EQ(values.ScreenState, OptionsScreen);
  const int arrowY = LanguageRowY + LanguageArrowSize / 2;
  run->Click(LanguageRightArrowX + LanguageArrowSize / 2, arrowY);
  EXPECT_EQ(values.Language, "de");
  EXPECT_EQ(strings.Options, TQzStrings::ValueInFile("lang/de/strings.txt", "Options"));
  EXPECT_NE(strings.Options, "Options");
  EXPECT_EQ(values.ChainBonusText, TQzStrings::ValueInFile("lang/de/strings.txt", "ChainBonus"));
  EXPECT_EQ(ReadLanguageSetting(), "de");
  run->Frames(2);  // the switched pictures and texts are drawn
  run->Click(LanguageLeftArrowX + LanguageArrowSize / 2, arrowY);
  run->Click(LanguageLeftArrowX + LanguageArrowSize / 2, arrowY);  // round to the last
  EXPECT_EQ(values.Language, run->Form().Resources.Languages.back().Code);
  EXPECT_EQ(ReadLanguageSetting(), values.Language);
  const auto log = LogMessages();
  EXPECT_EQ(std::count_if(log.begin(), log.end(),
                          [](const std::string& line) { return line.starts_with("Language \""); }),
            3);
}

TEST_F(WholeGame, ABallMovesByDragAndDrop) {
  auto run = StartAndLoad();
  TShellValues& values = run->Values();
  TGameField& board = *run->Form().Board;
  run->Frames(10);  // the opening balls have appeared
  int x = 0, y = 0;
  ASSERT_TRUE(FindMovableBall(board, x, y));
  const TCell ball = board.FCells(x, y);
  // An empty cell keeps the look of its last ball: make it differ, so only the arrival matches.
  board.FCells(x + 1, y).Look = (ball.Look + 1) % 7;
  run->Drag(CellX(x), CellY(y), CellX(x + 1), CellY(y));
  run->Frames(3);
  // The ball has arrived; its old cell may already hold a ball of the drop that followed.
  EXPECT_EQ(board.FCells(x + 1, y).Look, ball.Look);
  EXPECT_TRUE(values.GameUnderWay);
}

TEST_F(WholeGame, ExitQuestionYesWritesConfig) {
  if (PackMissing()) GTEST_SKIP() << "no asset pack";
  auto run = StartAndLoad();
  TShellValues& values = run->Values();
  EXPECT_FALSE(run->RequestClose());
  EXPECT_EQ(values.ScreenState, DialogOpen | ExitDialog | GameScreen);
  EXPECT_FALSE(run->RequestClose());  // asking already: nothing changes
  run->Idle();
  run->ClickYes();
  EXPECT_TRUE(run->Application().Terminated());
  run->Destroy();
  EXPECT_EQ(ConfigSize(), 1450u);
  EXPECT_EQ(LogMessages().back(), "Saving config ...");
}

TEST_F(WholeGame, ARestartOffersTheSavedGameAndGoesOnAfterYes) {
  if (PackMissing()) GTEST_SKIP() << "no asset pack";
  std::vector<TCell> cells;
  {
    auto run = StartAndLoad();
    TShellValues& values = run->Values();
    run->Frames(10);
    values.Score = 35;  // as if a line had been made
    values.GameMode = ModeNormal;
    for (const TCell& cell : run->Form().Board->FCells) cells.push_back(cell);
    run->RequestClose();
    run->ClickYes();
  }
  auto run = StartAndLoad();
  TShellValues& values = run->Values();
  EXPECT_EQ(values.ScreenState, DialogOpen | OldGameDialog | GameScreen);
  EXPECT_EQ(values.Score, 35);
  std::vector<TCell> restored;
  for (const TCell& cell : run->Form().Board->FCells) restored.push_back(cell);
  EXPECT_EQ(restored, cells);
  run->Idle();
  run->ClickYes();
  EXPECT_EQ(values.ScreenState, GameScreen);
  EXPECT_EQ(values.RequestedMode, ModeNormal);
  run->Frames(2);
  int x = 0, y = 0;
  ASSERT_TRUE(FindMovableBall(*run->Form().Board, x, y));
  run->Drag(CellX(x), CellY(y), CellX(x + 1), CellY(y));
  run->Frames(3);
  EXPECT_TRUE(values.GameUnderWay);
  EXPECT_EQ(values.Score, 35);
}

TEST_F(WholeGame, AGamePlayedToItsEndTakesANameIntoTheTable) {
  if (PackMissing()) GTEST_SKIP() << "no asset pack";
  WriteNearlyFullGame(4321);
  auto run = StartAndLoad();
  TShellValues& values = run->Values();
  ASSERT_EQ(values.ScreenState, DialogOpen | OldGameDialog | GameScreen);
  run->Idle();
  run->ClickYes();
  // Move the ball at (5, 8) one cell right: no line, and the drop no longer fits.
  run->Drag(CellX(5), CellY(8), CellX(6), CellY(8));
  ASSERT_TRUE(run->RunUntil([&] { return (values.ScreenState & DialogOpen) != 0; }, 3000));
  EXPECT_EQ(values.ScreenState, DialogOpen | EnterNameDialog | HighScoresScreen);
  EXPECT_EQ(values.NewEntryRow, 0);
  EXPECT_EQ(values.HighScoreTable[ModeNormal][0].Score, 4321);
  for (int i = 0; i < 6; ++i) run->Form().FormKeyDown(KeyBackspace, {});
  EXPECT_EQ(values.PlayerName, "");
  run->Form().TextInput("ABCDEFGHIJKLMNOPQR");
  EXPECT_EQ(values.PlayerName, "ABCDEFGHIJKLMNOPQ");
  run->Idle();
  run->Form().FormKeyDown(KeyEnter, {});
  EXPECT_EQ(values.ScreenState, HighScoresScreen);
  EXPECT_EQ(EntryName(values.HighScoreTable[ModeNormal][0]), "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(values.ScoreTablePage, ModeNormal);
  run->Idle();
  EXPECT_GT(audio->CallsOf("BASS_SamplePlayEx").size(), 0u);
}

TEST_F(WholeGame, AltEnterInTheNameDialogStoresTheNameAndAsksAboutFullScreen) {
  if (PackMissing()) GTEST_SKIP() << "no asset pack";
  WriteNearlyFullGame(950);
  auto run = StartAndLoad();
  TShellValues& values = run->Values();
  run->Idle();
  run->ClickYes();
  run->Drag(CellX(5), CellY(8), CellX(6), CellY(8));
  ASSERT_TRUE(run->RunUntil([&] { return (values.ScreenState & DialogOpen) != 0; }, 3000));
  ASSERT_EQ(values.ScreenState, DialogOpen | EnterNameDialog | HighScoresScreen);
  EXPECT_EQ(values.NewEntryRow, 1);
  run->Form().TextInput("Mo");  // the offered name is selected: typing replaces it
  run->Form().FormKeyDown(KeyEnter, {.Alt = true});
  EXPECT_EQ(EntryName(values.HighScoreTable[ModeNormal][1]), "Mo");
  EXPECT_EQ(values.ScreenState, DialogOpen | FullScreenDialog | HighScoresScreen);
  EXPECT_TRUE(values.FullScreenSetting);  // the test run was windowed
  run->Idle();
  run->ClickNo();
  EXPECT_FALSE(values.FullScreenSetting);
  EXPECT_EQ(values.ScreenState, HighScoresScreen);
}

TEST_F(WholeGame, ClosingDuringTheLogoEndsAtOnceAndKeepsConfig) {
  { std::ofstream(ConfigFileName, std::ios::binary) << "old scores"; }
  auto run = Start();
  TShellValues& values = run->Values();
  run->Frames(5);
  ASSERT_EQ(values.ScreenState, LogoScreen);
  EXPECT_TRUE(run->RequestClose());
  EXPECT_TRUE(run->Application().Terminated());
  EXPECT_EQ(ConfigSize(), 10u);
  const auto log = LogMessages();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[log.size() - 2], "Starting Logo");
  EXPECT_EQ(log.back(), "Saving config ...");
}

TEST_F(WholeGame, ADialogOverTheGameLetsTheBallKeepMoving) {
  if (PackMissing()) GTEST_SKIP() << "no asset pack";
  auto run = StartAndLoad();
  TShellValues& values = run->Values();
  TGameField& board = *run->Form().Board;
  run->Frames(10);
  int x = 0, y = 0;
  ASSERT_TRUE(FindMovableBall(board, x, y));
  const uint32_t look = board.FCells(x, y).Look;
  // An empty cell keeps the look of its last ball: make it differ, so only the arrival matches.
  board.FCells(x + 1, y).Look = (look + 1) % 7;
  run->Drag(CellX(x), CellY(y), CellX(x + 1), CellY(y));
  EXPECT_FALSE(run->RequestClose());  // the exit question opens while the ball travels
  ASSERT_TRUE(values.ScreenState & DialogOpen);
  run->Frames(3);
  // The ball has arrived; its old cell may already hold a ball of the drop that followed.
  EXPECT_EQ(board.FCells(x + 1, y).Look, look);
  EXPECT_TRUE(values.ScreenState & DialogOpen);
  run->ClickNo();
  EXPECT_EQ(values.ScreenState, GameScreen);
}

TEST_F(WholeGame, PausingStopsFramesAndMusicAndResumingGoesOn) {
  auto run = StartAndLoad();
  TShellValues& values = run->Values();
  run->Application().OnDeactivate(nullptr);
  EXPECT_FALSE(run->Form().PowerTimer1->MayRealTime);
  EXPECT_EQ(audio->CallsOf("BASS_ChannelPause").size(), 1u);
  run->Application().OnActivate(nullptr);
  EXPECT_TRUE(run->Form().PowerTimer1->MayRealTime);
  EXPECT_EQ(audio->CallsOf("BASS_ChannelResume").size(), 1u);
  EXPECT_EQ(values.ScreenState, GameScreen);
}

TEST_F(WholeGame, AnAudioLibraryThatCannotStartLeavesTheGamePlayableAndSilent) {
  auto run = std::make_unique<GameRun>(audio);
  TShellValues& values = run->Values();
  audio->Version = 0;
  run->Create();
  ASSERT_TRUE(run->RunUntil(
      [&] { return values.ScreenState != LogoScreen && values.ScreenState != LoadingScreen; }));
  EXPECT_EQ(values.ScreenState, GameScreen);
  EXPECT_TRUE(audio->CallsOf("BASS_Init").empty());
  EXPECT_TRUE(audio->CallsOf("BASS_StreamCreateFile").empty());
}

}  // namespace
}  // namespace marblix

namespace marblix {
namespace {

TEST_F(WholeGame, FullScreenIsADesktopSizedBorderlessWindowWithThePointerMappedBack) {
  auto run = std::make_unique<GameRun>(audio);
  TShellValues& values = run->Values();
  values.FullScreenSetting = true;
  run->Create();
  EXPECT_TRUE(run->Host().Borderless);
  EXPECT_EQ(run->Host().ClientWidth, 1024);
  EXPECT_EQ(run->Host().ClientHeight, 768);
  EXPECT_TRUE(run->Form().PowerGraph1->FullScreen());
  ASSERT_TRUE(run->RunUntil([&] { return values.ScreenState == GameScreen; }));
  EXPECT_EQ(run->Host().CurrentPointer, TFormHost::Pointer::Hidden);
  run->MoveTo(512, 384);
  EXPECT_EQ(values.MouseX, 400);
  EXPECT_EQ(values.MouseY, 300);
  run->MoveTo(1023, 767);
  EXPECT_EQ(values.MouseX, 799);
  EXPECT_EQ(values.MouseY, 599);
}

}  // namespace
}  // namespace marblix

namespace marblix {
namespace {

TEST_F(WholeGame, ALostDeviceIsResetAndTheGameGoesOn) {
  auto run = StartAndLoad();
  TShellValues& values = run->Values();
  run->Recording().Fail("Present", D3DERR_DEVICELOST, 2);
  run->Idle();
  EXPECT_EQ(run->Recording().CountOf("Reset"), 1);
  run->Idle();
  EXPECT_EQ(run->Recording().CountOf("Reset"), 1);  // tried again while presenting still fails
  run->Idle();
  EXPECT_EQ(run->Recording().CountOf("Reset"), 0);
  EXPECT_EQ(values.ScreenState, GameScreen);
}

TEST_F(WholeGame, AWindowOnAnEightHundredBySixHundredDesktopHasNoBorder) {
  auto run = std::make_unique<GameRun>(audio);
  run->Host().DesktopWidth = 800;
  run->Host().DesktopHeight = 600;
  run->Create();
  EXPECT_TRUE(run->Host().Borderless);
  EXPECT_FALSE(run->Form().PowerGraph1->FullScreen());
  EXPECT_FALSE(run->Host().Resizable);
}

TEST_F(WholeGame, AWindowCanBeResizedAndOpensAtTwiceTheFrameOnALargeDesktop) {
  struct Case {
    int DesktopWidth, DesktopHeight, ClientWidth, ClientHeight;
  };
  for (const Case c :
       {Case{2560, 1440, 1600, 1200}, Case{3840, 2160, 1600, 1200}, Case{2559, 1440, 800, 600},
        Case{2560, 1439, 800, 600}, Case{1920, 1080, 800, 600}}) {
    GameRun run(audio);
    run.Host().DesktopWidth = c.DesktopWidth;
    run.Host().DesktopHeight = c.DesktopHeight;
    run.Create();
    const std::string desktop =
        std::to_string(c.DesktopWidth) + "x" + std::to_string(c.DesktopHeight);
    EXPECT_EQ(run.Host().ClientWidth, c.ClientWidth) << desktop;
    EXPECT_EQ(run.Host().ClientHeight, c.ClientHeight) << desktop;
    EXPECT_TRUE(run.Host().Resizable) << desktop;
    EXPECT_EQ(run.Host().MinClientWidth, 400) << desktop;
    EXPECT_EQ(run.Host().MinClientHeight, 300) << desktop;
    EXPECT_FALSE(run.Host().Borderless) << desktop;
  }
}

TEST_F(WholeGame, AResizedWindowMapsThePointerBackThroughWhereTheFrameIsShown) {
  auto run = StartAndLoad();
  const TShellValues& values = run->Values();
  // 1700 x 1250 shows the frame at twice its size with bars of 50 and 25 pixels.
  run->Host().ClientWidth = 1700;
  run->Host().ClientHeight = 1250;
  run->MoveTo(50 + 2 * 400, 25 + 2 * 300);
  EXPECT_EQ(values.MouseX, 400);
  EXPECT_EQ(values.MouseY, 300);
  run->MoveTo(50 + 2 * 799, 25 + 2 * 599);
  EXPECT_EQ(values.MouseX, 799);
  EXPECT_EQ(values.MouseY, 599);
  // 1280 x 1024 shows it at 1.6 times, 960 pixels high from y 32.
  run->Host().ClientWidth = 1280;
  run->Host().ClientHeight = 1024;
  run->MoveTo(640, 32 + 480);
  EXPECT_EQ(values.MouseX, 400);
  EXPECT_EQ(values.MouseY, 300);
}

TEST(GameResources, BallPicturesByLookAndVariant) {
  TGameResources resources;
  for (auto& image : resources.Game) image = std::make_unique<TAGFImage>();
  auto index = [&](BallPicture picture) -> int {
    const TAGFImage* image = resources.BallImage(picture);
    for (int i = 0; i < GpCount; ++i) {
      if (resources.Game[i].get() == image) return i;
    }
    return -1;
  };
  EXPECT_EQ(index({0, BallVariant}), GpFirstBall);
  EXPECT_EQ(index({11, SelectedVariant}), GpFirstBall + 23);
  EXPECT_EQ(index({BombLook, BallVariant}), GpBomb0);  // not 22_0
  EXPECT_EQ(index({BombLook, 1}), GpBomb1);
  EXPECT_EQ(index({BombLook, 2}), GpBomb2);
  EXPECT_EQ(index({6, RestVariant2}), GpFirstRest + 30);
  EXPECT_EQ(index({6, PaintVariant}), GpFirstRest + 34);
  EXPECT_EQ(index({7, RestVariant2}), -1);  // only plain colours rest
  EXPECT_EQ(index({40, BallVariant}), -1);
}

}  // namespace
}  // namespace marblix

namespace marblix {
namespace {

TEST_F(WholeGame, TheBoardSeesTheTimersMeasuredFrameRate) {
  auto run = StartAndLoad();
  TShellValues& values = run->Values();
  run->Frames(40);  // 15 frames a second of fake time
  EXPECT_EQ(values.MeasuredFps, run->Form().PowerTimer1->MeasuredFps());
  EXPECT_EQ(values.MeasuredFps, 15);
}

}  // namespace
}  // namespace marblix
