// The desktop session ending a whole run during loading: the loader stops between two pictures and
// the program ends as a close then does.
#include <gtest/gtest.h>

#include <algorithm>

#include "integration/game_run.h"

namespace marblix {
namespace {

using test_support::GameRun;
using test_support::LogMessages;

class SessionEndRun : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test_support::DataPackExists()) GTEST_SKIP() << "no asset pack";
    test_support::LinkDataPack(dir.path());
    run = std::make_unique<GameRun>(audio);
    run->Application().SessionEnding = [this] { return ending; };
    run->Create();
  }
  // What the message loop does when it sees the session end.
  void LoopSeesTheEnd() {
    ending = true;
    run->Application().OnEndSession(&run->Application());
  }
  static int LoadedTextures(const std::vector<std::string>& log) {
    return static_cast<int>(std::count_if(log.begin(), log.end(), [](const std::string& line) {
      return line.rfind("Loaded Texture", 0) == 0;
    }));
  }

  testing::TScopedWorkingDirectory dir;
  TRecordingAudio* audio = nullptr;
  std::unique_ptr<GameRun> run;
  bool ending = false;
};

TEST_F(SessionEndRun, DuringLoadingTheLoaderStopsAndConfigIsLeftAlone) {
  { std::ofstream(ConfigFileName, std::ios::binary) << "old scores"; }
  ASSERT_TRUE(run->RunUntil([this] { return run->Values().ScreenState == LoadingScreen; }));
  const int startup = LoadedTextures(LogMessages());
  ending = true;
  run->Idle();  // the loading frame
  EXPECT_EQ(run->Values().ScreenState, LoadingScreen);
  EXPECT_EQ(LoadedTextures(LogMessages()), startup) << "no game picture was loaded";
  LoopSeesTheEnd();
  EXPECT_TRUE(run->Application().Terminated());
  EXPECT_FALSE(run->Form().PowerTimer1->MayRealTime);
  run->Destroy();
  EXPECT_EQ(std::filesystem::file_size(ConfigFileName), 10u);
  EXPECT_EQ(LogMessages().back(), "Saving config ...");
}

}  // namespace
}  // namespace marblix
