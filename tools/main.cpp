// marblix_assetgen DATA_DIR [CONTACT_DIR]: writes the whole asset pack, and contact sheets of
// every picture when a second folder is given.
#include <chrono>
#include <cstdio>
#include <exception>
#include <future>
#include <string>

#include "assetgen/art.h"
#include "assetgen/preview.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: %s DATA_DIR [CONTACT_DIR]\n", argv[0]);
    return 2;
  }
  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  try {
    assetgen::Pack pack(argv[1]);
    struct Step {
      const char* name;
      void (*make)(assetgen::Pack&);
    };
    // Sound and music go on a second thread while the pictures are drawn.
    const Step soundSteps[] = {
        {"sounds", assetgen::makeSounds},
        {"music", assetgen::makeMusic},
    };
    const Step steps[] = {
        {"balls", assetgen::makeBalls},    {"rest", assetgen::makeRestAnimations},
        {"board", assetgen::makeBoard},    {"buttons", assetgen::makeButtons},
        {"panels", assetgen::makePanels},  {"font", assetgen::makeFont},
        {"texts", assetgen::makeTexts},    {"logo", assetgen::makeLogo},
        {"help", assetgen::makeHelpPages},
    };
    auto run = [&pack](const Step& step) {
      const auto begin = Clock::now();
      step.make(pack);
      const double ms = std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
      std::printf("assetgen: %-8s %7.0f ms\n", step.name, ms);
    };
    auto sounds = std::async(std::launch::async, [&] {
      for (const Step& step : soundSteps) run(step);
    });
    try {
      for (const Step& step : steps) run(step);
    } catch (...) {
      sounds.wait();
      throw;
    }
    sounds.get();
    if (argc == 3) {
      pack.writeContactSheets(argv[2]);
      assetgen::writePreviews(pack, argv[2]);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "assetgen: %s\n", e.what());
    return 1;
  }
  const double s = std::chrono::duration<double>(Clock::now() - start).count();
  std::printf("assetgen: pack written to %s in %.2f s\n", argv[1], s);
  return 0;
}
