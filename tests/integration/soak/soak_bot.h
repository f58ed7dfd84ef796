// The soak bot: plays seeded games of the real game window through its input handlers, with
// random frame times, restarts and dialogs, checking the game after every frame and event.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>
#include <string>

namespace marblix::soak {

// The bot's own generator (SplitMix64): the same seed gives the same games everywhere.
class BotRandom {
 public:
  explicit BotRandom(uint64_t seed = 0) : state_(seed) {}
  uint64_t Next();
  // 0 .. n-1 (0 when n is 0).
  int Below(int n);
  int Between(int low, int high) { return low + Below(high - low + 1); }
  double Uniform(double low, double high);
  // Spread evenly over the logarithm: as many frames below 1 unit as above.
  double LogUniform(double low, double high);
  bool Chance(double p) { return Uniform(0, 1) < p; }

 private:
  uint64_t state_;
};

// Mixes a seed and an index into a new seed (the SplitMix64 finaliser).
uint64_t MixSeed(uint64_t seed, uint64_t index);

struct SoakOptions {
  int Games = 200;
  uint64_t Seed = 1;
  // Games share a working folder (its Config.bin and high-score tables) in sessions of this size;
  // a failure is replayed from the start of its session.
  int SessionGames = 10;
  // A game that has not ended after this many bot steps is a failure.
  int MaxStepsPerGame = 20000;
  std::filesystem::path DataDir;
  bool Verbose = false;
  // Prints every change of the screen word, the score and the number of balls (for replays).
  bool Trace = false;
};

struct SoakFigures {
  long Games = 0;           // games played to their end (board full, score placed)
  long AbandonedGames = 0;  // new games started over a game under way
  long Sessions = 0;
  long Restarts = 0;      // starts of the program (logo, loading, Config.bin read)
  long ResumedGames = 0;  // saved games offered at a start
  long Frames = 0;
  long Events = 0;        // input events handed to the window
  long Moves = 0;         // purposeful moves (a ball to a reachable empty cell)
  long NameEntries = 0;   // scores that entered a table
  long LowScores = 0;     // scores that did not
  long DailyResults = 0;  // daily challenges played to their end
  int32_t BestScore = 0;
  std::set<uint32_t> ScreenWords;  // the different screen words seen after a frame
};

struct SoakFailure {
  uint64_t SessionSeed = 0;
  int GameInSession = 0;
  uint32_t GameSeed = 0;  // RandSeed at the game's start
  long Frame = 0;         // frames of the game so far
  long Step = 0;
  std::string What;
};

// The seed of session `index` of a run with base seed `seed`.
uint64_t SessionSeed(uint64_t seed, int index);

// Plays one session of `games` games in a fresh working folder; the first failure ends it.
std::optional<SoakFailure> PlaySession(const SoakOptions& options, uint64_t sessionSeed, int games,
                                       SoakFigures& figures);

// What a crash report should say: the session, game and frame under way (empty between games).
const char* CurrentSoakContext();

}  // namespace marblix::soak
