// marblix_icons FOLDER: the game's launcher icons, three of its balls, as
// FOLDER/<size>x<size>/apps/marblix.png for the sizes of the desktop's icon theme.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "assetgen/ballart.h"

namespace {

constexpr int kSizes[] = {48, 128, 256};

// A red ball on top of a blue and a green one, as they lie on the board, each with its mark.
void paintIcon(assetgen::Canvas& canvas) {
  const double s = canvas.width();
  const double r = 0.235 * s;
  struct Placed {
    double x, y;
    int colour;
  };
  const Placed balls[] = {{0.27, 0.70, 3}, {0.73, 0.70, 2}, {0.50, 0.31, 1}};
  for (const Placed& ball : balls) {
    assetgen::BallPose pose;
    pose.glow = 0.15;
    assetgen::paintBall(canvas.cr(), ball.x * s, ball.y * s, r,
                        {assetgen::BallKind::Plain, ball.colour, 0, 0}, pose);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  try {
    for (int size : kSizes) {
      const std::string name = std::to_string(size) + "x" + std::to_string(size);
      const std::filesystem::path folder = std::filesystem::path(argv[1]) / name / "apps";
      std::filesystem::create_directories(folder);
      assetgen::Canvas canvas(size, size);
      paintIcon(canvas);
      canvas.writePng((folder / "marblix.png").string());
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "marblix_icons: %s\n", e.what());
    return 1;
  }
  return 0;
}
