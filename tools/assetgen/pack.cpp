// Writing the pack's files (TGA, BMP and JPEG through the game's own picture writers, text) and
// laying out the contact sheets.
#include "assetgen/pack.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <stdexcept>

#include "graphics/TGAReader.h"

namespace assetgen {

namespace fs = std::filesystem;

Pack::Pack(fs::path dataDir) : dataDir_(std::move(dataDir)) {}

fs::path Pack::prepare(const std::string& relativePath) const {
  fs::path path = dataDir_ / relativePath;
  std::error_code ec;
  fs::create_directories(path.parent_path(), ec);
  if (ec)
    throw std::runtime_error("cannot create the folder of " + path.string() + ": " + ec.message());
  return path;
}

namespace {

marblix::TBitmapEx bitmapOf(const Picture& p, bool withAlpha) {
  marblix::TBitmapEx bitmap;
  bitmap.TgaRunLength = true;
  bitmap.SetPixelFormat(withAlpha ? marblix::TPixelFormat::pf32bit
                                  : marblix::TPixelFormat::pf24bit);
  bitmap.SetSize(p.width, p.height);
  for (int y = 0; y < p.height; ++y) {
    std::uint8_t* row = bitmap.ScanLine(y);
    const std::uint8_t* in = p.bgra.data() + std::size_t(y) * p.width * 4;
    for (int x = 0; x < p.width; ++x) {
      if (withAlpha) {
        const std::size_t offset = std::size_t(x) * 4;
        std::memcpy(row + offset, in + offset, 4);
      } else {
        // Flatten onto black: the additive pictures treat black as nothing.
        const unsigned a = in[x * 4 + 3];
        for (int c = 0; c < 3; ++c) row[x * 3 + c] = std::uint8_t((in[x * 4 + c] * a + 127) / 255);
      }
    }
  }
  return bitmap;
}

void save(const marblix::TBitmapEx& bitmap, const fs::path& path) {
  try {
    bitmap.SaveToFile(path.string());
  } catch (const std::exception& e) {
    throw std::runtime_error("cannot write " + path.string() + ": " + e.what());
  }
}

}  // namespace

LoadedPicture::LoadedPicture(const std::string& relativePath) : file(relativePath) {
  for (const auto* table : {&marblix::StartupTextures(), &marblix::GameTextures()}) {
    for (const marblix::TextureSpec& spec : *table) {
      if (marblix::FilePathOf(spec.Path) != relativePath) continue;
      patternWidth = spec.PatternWidth;
      patternHeight = spec.PatternHeight;
      return;
    }
  }
  throw std::runtime_error("the game loads no picture " + relativePath);
}

Picture drawPatterns(const LoadedPicture& loaded, int count, int columns,
                     const PatternPainter& draw) {
  return drawPatterns(loaded.patternWidth, loaded.patternHeight, count, columns, draw);
}

void Pack::picture(const std::string& group, const std::string& relativePath, const Picture& p,
                   int patternWidth, int patternHeight) {
  save(bitmapOf(p, true), prepare(relativePath));
  keep(group, relativePath, p, patternWidth, patternHeight);
}

void Pack::picture(const std::string& group, const LoadedPicture& loaded, const Picture& p) {
  picture(group, loaded.file, p, loaded.patternWidth, loaded.patternHeight);
}

void Pack::picture(const std::string& group, const Language& language, const LoadedPicture& loaded,
                   const Picture& p) {
  if (language.isEnglish()) {
    picture(group, loaded, p);
    return;
  }
  // A language's own pictures are new files: an opaque one goes without its alpha, a quarter
  // smaller (the root's keep the format they have always had).
  bool opaque = true;
  for (std::size_t i = 3; i < p.bgra.size() && opaque; i += 4) opaque = p.bgra[i] == 255;
  const std::string path = language.folder() + loaded.file;
  save(bitmapOf(p, !opaque), prepare(path));
  keep("lang_" + language.code(), path, p, loaded.patternWidth, loaded.patternHeight);
}

void Pack::bmp24(const std::string& group, const LoadedPicture& loaded, const Picture& p) {
  save(bitmapOf(p, false), prepare(loaded.file));
  keep(group, loaded.file, p, loaded.patternWidth, loaded.patternHeight);
}

void Pack::jpeg(const std::string& group, const LoadedPicture& loaded, const Picture& p,
                int quality) {
  bytes(loaded.file, marblix::EncodeJpeg(bitmapOf(p, false), quality));
  keep(group, loaded.file, p, loaded.patternWidth, loaded.patternHeight);
}

void Pack::bytes(const std::string& relativePath, const std::vector<std::uint8_t>& content) {
  const fs::path path = prepare(relativePath);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(content.data()), std::streamsize(content.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

void Pack::text(const std::string& relativePath, const std::string& content) {
  bytes(relativePath, std::vector<std::uint8_t>(content.begin(), content.end()));
}

void Pack::keep(const std::string& group, const std::string& name, const Picture& p, int pw,
                int ph) {
  const std::lock_guard lock(mutex_);
  for (auto& [g, entries] : groups_) {
    if (g == group) {
      entries.push_back({name, p, pw ? pw : p.width, ph ? ph : p.height});
      return;
    }
  }
  groups_.push_back({group, {{name, p, pw ? pw : p.width, ph ? ph : p.height}}});
}

namespace {

constexpr int kSheetWidth = 1280;
constexpr int kGap = 3;
constexpr int kLabel = 18;

// Where each pattern of an entry goes on the sheet; returns the height the entry takes.
int layoutHeight(const SheetEntry& e) {
  const int cols = std::max(1, e.picture.width / e.patternWidth);
  const int rows = std::max(1, e.picture.height / e.patternHeight);
  const int count = cols * rows;
  const int perLine = std::max(1, (kSheetWidth - 2 * kGap) / (e.patternWidth + kGap));
  const int lines = (count + perLine - 1) / perLine;
  return kLabel + lines * (e.patternHeight + kGap) + kGap;
}

void checkerboard(cairo_t* cr, int w, int h) {
  cairo_set_source_rgb(cr, 0.36, 0.36, 0.40);
  cairo_paint(cr);
  cairo_set_source_rgb(cr, 0.46, 0.46, 0.50);
  for (int y = 0; y < h; y += 8)
    for (int x = (y / 8) % 2 * 8; x < w; x += 16) cairo_rectangle(cr, x, y, 8, 8);
  cairo_fill(cr);
}

}  // namespace

std::vector<std::function<void()>> Pack::contactSheetWriters(const fs::path& folder) const {
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec) throw std::runtime_error("cannot create " + folder.string() + ": " + ec.message());
  std::vector<std::function<void()>> writers;
  for (const auto& group : groups_)
    writers.emplace_back(
        [&group, folder] { writeContactSheet(group.first, group.second, folder); });
  if (!waves_.empty())
    writers.emplace_back([this, folder] { writeWaveSheet(folder / "sounds.png"); });
  return writers;
}

void Pack::writeContactSheet(const std::string& group, const std::vector<SheetEntry>& entries,
                             const fs::path& folder) {
  int height = kGap;
  for (const auto& e : entries) height += layoutHeight(e);
  Canvas canvas(kSheetWidth, height);
  cairo_t* cr = canvas.cr();
  checkerboard(cr, kSheetWidth, height);
  int top = kGap;
  for (const auto& e : entries) {
    const int cols = std::max(1, e.picture.width / e.patternWidth);
    const int count = cols * std::max(1, e.picture.height / e.patternHeight);
    const int perLine = std::max(1, (kSheetWidth - 2 * kGap) / (e.patternWidth + kGap));
    cairo_set_source_rgb(cr, 1, 1, 1);
    useFont(cr, Face::SansBold, 12);
    cairo_move_to(cr, kGap, top + 13);
    const std::string label = e.name + "  (" + std::to_string(count) + " x " +
                              std::to_string(e.patternWidth) + "x" +
                              std::to_string(e.patternHeight) + ")";
    cairo_show_text(cr, label.c_str());
    auto source = surfaceOf(e.picture);
    for (int i = 0; i < count; ++i) {
      const int x = kGap + (i % perLine) * (e.patternWidth + kGap);
      const int y = top + kLabel + (i / perLine) * (e.patternHeight + kGap);
      const int sx = (i % cols) * e.patternWidth;
      const int sy = (i / cols) * e.patternHeight;
      cairo_save(cr);
      cairo_rectangle(cr, x, y, e.patternWidth, e.patternHeight);
      cairo_clip(cr);
      cairo_set_source_surface(cr, source.get(), x - sx, y - sy);
      cairo_paint(cr);
      cairo_restore(cr);
    }
    top += layoutHeight(e);
  }
  canvas.writePng((folder / (group + ".png")).string());
}

const SheetEntry* Pack::lookup(const std::string& relativePath) const {
  const std::lock_guard lock(mutex_);
  for (const auto& [group, entries] : groups_)
    for (const auto& e : entries)
      if (e.name == relativePath) return &e;
  return nullptr;
}

const SheetEntry& Pack::find(const std::string& relativePath) const {
  const std::lock_guard lock(mutex_);
  for (const auto& [group, entries] : groups_)
    for (const auto& e : entries)
      if (e.name == relativePath) return e;
  throw std::runtime_error("the pack has no picture " + relativePath);
}

void Pack::wave(const std::string& name, const std::vector<float>& samples) {
  const std::lock_guard lock(mutex_);
  waves_.push_back({name, samples});
}

// Each sound as a min/max envelope over a fixed time scale (music squeezed to fit), with the
// clipping level marked, so that clicks, silence and loudness show at a glance.
void Pack::writeWaveSheet(const fs::path& file) const {
  constexpr int kRow = 46, kWidth = 1280, kLeft = 200;
  Canvas canvas(kWidth, kRow * int(waves_.size()) + 4);
  cairo_t* cr = canvas.cr();
  cairo_set_source_rgb(cr, 0.1, 0.1, 0.13);
  cairo_paint(cr);
  useFont(cr, Face::Sans, 11);
  for (std::size_t k = 0; k < waves_.size(); ++k) {
    const auto& [name, s] = waves_[k];
    const double top = 2 + double(k) * kRow, mid = top + kRow / 2.0, half = kRow / 2.0 - 3;
    cairo_set_source_rgb(cr, 0.9, 0.9, 0.9);
    cairo_move_to(cr, 4, mid + 4);
    cairo_show_text(cr, name.c_str());
    cairo_set_source_rgba(cr, 1, 0.3, 0.3, 0.5);
    cairo_rectangle(cr, kLeft, top + 3, kWidth - kLeft - 4, 0.6);
    cairo_rectangle(cr, kLeft, top + kRow - 3.6, kWidth - kLeft - 4, 0.6);
    cairo_fill(cr);
    // 1.6 s across the row for effects; the whole piece for long sounds.
    const double perPixel = std::max(44100 * 1.6, double(s.size())) / (kWidth - kLeft - 4);
    cairo_set_source_rgb(cr, 0.45, 0.8, 1.0);
    for (int x = 0; x < kWidth - kLeft - 4; ++x) {
      const std::size_t from = std::size_t(x * perPixel), to = std::size_t((x + 1) * perPixel);
      if (from >= s.size()) break;
      float lo = 0, hi = 0;
      for (std::size_t i = from; i < std::min(to, s.size()); ++i) {
        lo = std::min(lo, s[i]);
        hi = std::max(hi, s[i]);
      }
      cairo_rectangle(cr, kLeft + x, mid - hi * half, 1, std::max(0.5, double(hi - lo) * half));
    }
    cairo_fill(cr);
  }
  canvas.writePng(file.string());
}

}  // namespace assetgen
