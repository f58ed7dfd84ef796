// marblix_soak: plays seeded games of the whole program headless and prints what it checked.
//   marblix_soak [--games N] [--seed S] [--session-games K] [--replay SESSION_SEED]
//                [--data DIR] [--max-steps N] [--minutes M] [--verbose] [--trace]
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>

#include "integration/soak/soak_bot.h"
#include "support/Environment.h"
#include "support/TempDir.h"

#if defined(__SANITIZE_ADDRESS__)
#define MARBLIX_SOAK_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MARBLIX_SOAK_SANITIZED 1
#endif
#endif
#ifdef MARBLIX_SOAK_SANITIZED
#include <sanitizer/common_interface_defs.h>
#endif

namespace {

using namespace marblix::soak;

void PrintContext() {
  std::fputs("\nmarblix_soak: died during ", stderr);
  std::fputs(CurrentSoakContext(), stderr);
  std::fputs("\n", stderr);
  std::fflush(stderr);
}

void OnFatalSignal(int signal) {
  PrintContext();
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

void ReportCrashesWithTheGameUnderWay() {
  for (int signal : {SIGSEGV, SIGABRT, SIGFPE, SIGILL}) std::signal(signal, OnFatalSignal);
#ifdef SIGBUS
  std::signal(SIGBUS, OnFatalSignal);
#endif
#ifdef MARBLIX_SOAK_SANITIZED
  __sanitizer_set_death_callback(PrintContext);
#endif
}

struct Arguments {
  SoakOptions Options;
  std::optional<uint64_t> Replay;
  double Minutes = 0;  // stop after the session that passes this time (0: no limit)
};

bool Parse(int argc, char** argv, Arguments& args) {
  args.Options.DataDir = MARBLIX_DATA_DIR;
  for (int i = 1; i < argc; ++i) {
    const std::string flag = argv[i];
    const bool hasValue = i + 1 < argc;
    auto number = [&] { return std::strtoull(argv[++i], nullptr, 0); };
    if (flag == "--games" && hasValue) {
      args.Options.Games = static_cast<int>(number());
    } else if (flag == "--seed" && hasValue) {
      args.Options.Seed = number();
    } else if (flag == "--session-games" && hasValue) {
      args.Options.SessionGames = std::max(1, static_cast<int>(number()));
    } else if (flag == "--replay" && hasValue) {
      args.Replay = number();
    } else if (flag == "--max-steps" && hasValue) {
      args.Options.MaxStepsPerGame = static_cast<int>(number());
    } else if (flag == "--data" && hasValue) {
      args.Options.DataDir = argv[++i];
    } else if (flag == "--minutes" && hasValue) {
      args.Minutes = std::strtod(argv[++i], nullptr);
    } else if (flag == "--trace") {
      args.Options.Trace = true;
    } else if (flag == "--verbose") {
      args.Options.Verbose = true;
    } else {
      std::fprintf(stderr,
                   "usage: %s [--games N] [--seed S] [--session-games K] [--replay SESSION_SEED]"
                   " [--data DIR] [--max-steps N] [--minutes M] [--verbose] [--trace]\n",
                   argv[0]);
      return false;
    }
  }
  return true;
}

void PrintFailure(const SoakFailure& failure, const SoakOptions& options) {
  std::printf(
      "FAILED: %s\n"
      "  session seed 0x%llx, game %d of the session (game seed 0x%x), frame %ld, step %ld\n"
      "  replay: marblix_soak --replay 0x%llx --session-games %d\n",
      failure.What.c_str(), static_cast<unsigned long long>(failure.SessionSeed),
      failure.GameInSession, failure.GameSeed, failure.Frame, failure.Step,
      static_cast<unsigned long long>(failure.SessionSeed), options.SessionGames);
}

void PrintFigures(const SoakFigures& f, double seconds) {
  std::printf(
      "games %ld (name entries %ld, low scores %ld, daily results %ld), abandoned %ld, sessions "
      "%ld, "
      "starts %ld, "
      "resumed %ld\n"
      "frames %ld, input events %ld, purposeful moves %ld, best score %d, screen words %zu\n"
      "time %.1f s: %.2f games/s, %.0f frames/s\n",
      f.Games, f.NameEntries, f.LowScores, f.DailyResults, f.AbandonedGames, f.Sessions, f.Restarts,
      f.ResumedGames, f.Frames, f.Events, f.Moves, f.BestScore, f.ScreenWords.size(), seconds,
      seconds > 0 ? static_cast<double>(f.Games) / seconds : 0.0,
      seconds > 0 ? static_cast<double>(f.Frames) / seconds : 0.0);
}

// The settings file goes to a folder of the run's own, never the user's.
class PrivateSettingsFolder {
 public:
  PrivateSettingsFolder() {
    marblix::testing::SetEnvironment("XDG_CONFIG_HOME", folder_.Path.string().c_str());
  }

 private:
  marblix::testing::TTempDir folder_{"marblix-soak"};
};

// The whole soak; a failure it cannot handle leaves as an exception.
int Soak(int argc, char** argv) {
  Arguments args;
  if (!Parse(argc, argv, args)) return 2;
  const SoakOptions& options = args.Options;
  if (!std::filesystem::exists(options.DataDir / "strings.txt")) {
    std::fprintf(stderr, "marblix_soak: no asset pack in %s (build marblix_data)\n",
                 options.DataDir.string().c_str());
    return 77;
  }
  ReportCrashesWithTheGameUnderWay();
  PrivateSettingsFolder settings;
  setvbuf(stdout, nullptr, _IOLBF, 0);

  SoakFigures figures;
  const auto start = std::chrono::steady_clock::now();
  auto elapsed = [&] {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  };
  std::optional<SoakFailure> failure;
  if (args.Replay) {
    std::printf("replaying session 0x%llx (%d games)\n",
                static_cast<unsigned long long>(*args.Replay), options.SessionGames);
    failure = PlaySession(options, *args.Replay, options.SessionGames, figures);
  } else {
    std::printf("marblix_soak: %d games, seed %llu, %d games a session\n", options.Games,
                static_cast<unsigned long long>(options.Seed), options.SessionGames);
    for (int session = 0, played = 0; played < options.Games && !failure; ++session) {
      const int games = std::min(options.SessionGames, options.Games - played);
      const uint64_t seed = SessionSeed(options.Seed, session);
      // Printed first, so that a sanitizer's report that ends the program follows its seed.
      if (options.Trace || options.Verbose)
        std::printf("session 0x%llx\n", static_cast<unsigned long long>(seed));
      failure = PlaySession(options, seed, games, figures);
      played += games;
      if (options.Verbose || (session + 1) % 100 == 0)
        std::printf("  %d games, %.0f s\n", played, elapsed());
      if (args.Minutes > 0 && elapsed() > args.Minutes * 60) {
        std::printf("time is up after %d games\n", played);
        break;
      }
    }
  }
  PrintFigures(figures, elapsed());
  if (options.Verbose) {
    std::printf("screen words seen:");
    for (uint32_t word : figures.ScreenWords) std::printf(" 0x%x", word);
    std::printf("\n");
  }
  if (failure) {
    PrintFailure(*failure, options);
    return 1;
  }
  std::printf("soak: every check held over %ld games\n", figures.Games);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Soak(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "marblix_soak: %s\n", e.what());
    return 1;
  }
}
