// marblix_icons FOLDER: the game's launcher icons, three of its balls, as
// FOLDER/<size>x<size>/apps/marblix.png for the sizes of the desktop's icon theme, and the Windows
// program's icon FOLDER/marblix.ico holding the sizes Windows shows, each as a PNG image.
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "assetgen/ballart.h"

namespace {

constexpr int kSizes[] = {48, 128, 256};
constexpr int kWindowsSizes[] = {16, 32, 48, 256};

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

std::vector<char> readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void putLittleEndian(std::ofstream& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// An icon file: its header, one 16-byte entry per image (a side of 256 is written as 0), then the
// PNG images themselves.
void writeIco(const std::filesystem::path& folder) {
  std::vector<std::vector<char>> images;
  for (int size : kWindowsSizes) {
    const std::filesystem::path png = folder / ("marblix-" + std::to_string(size) + ".png");
    assetgen::Canvas canvas(size, size);
    paintIcon(canvas);
    canvas.writePng(png.string());
    images.push_back(readFile(png));
    std::filesystem::remove(png);
  }
  std::ofstream out(folder / "marblix.ico", std::ios::binary);
  putLittleEndian(out, 0, 2);
  putLittleEndian(out, 1, 2);
  putLittleEndian(out, static_cast<uint32_t>(images.size()), 2);
  uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const int side = kWindowsSizes[i] % 256;
    putLittleEndian(out, static_cast<uint32_t>(side), 1);
    putLittleEndian(out, static_cast<uint32_t>(side), 1);
    putLittleEndian(out, 0, 2);   // no palette, reserved
    putLittleEndian(out, 1, 2);   // planes
    putLittleEndian(out, 32, 2);  // bits per pixel
    putLittleEndian(out, static_cast<uint32_t>(images[i].size()), 4);
    putLittleEndian(out, offset, 4);
    offset += static_cast<uint32_t>(images[i].size());
  }
  for (const std::vector<char>& image : images)
    out.write(image.data(), static_cast<std::streamsize>(image.size()));
  if (!out) throw std::runtime_error("cannot write " + (folder / "marblix.ico").string());
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
    writeIco(argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "marblix_icons: %s\n", e.what());
    return 1;
  }
  return 0;
}
