// The pack being written: files under the data folder, and the pictures kept for contact sheets.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "assetgen/canvas.h"
#include "assetgen/language.h"
#include "assets/texture_table.h"

namespace assetgen {

// One picture of the pack as a reviewer sees it: its patterns laid out with their size.
struct SheetEntry {
  std::string name;
  Picture picture;
  int patternWidth;
  int patternHeight;
};

// A picture the game loads, found in the game's picture tables by its path in the pack: it is cut
// into the patterns the game cuts it into. Throws for a picture the game does not load.
struct LoadedPicture {
  explicit LoadedPicture(const std::string& relativePath);

  std::string file;
  int patternWidth = 0;  // 0: the picture's own size, for a picture the game sizes by itself
  int patternHeight = 0;
};

// Draws `count` patterns of the loaded picture's pattern size, as drawPatterns does.
Picture drawPatterns(const LoadedPicture& loaded, int count, int columns,
                     const PatternPainter& draw);

// Writing is safe from two threads at once: the sounds are made beside the pictures.
class Pack {
 public:
  explicit Pack(std::filesystem::path dataDir);

  // A 32-bit TGA with alpha (or, for ".bmp", a BMP of 32 or 24 bits), kept for the contact sheet
  // `group`. Pattern sizes say how the game cuts it (0 = the whole picture).
  void picture(const std::string& group, const std::string& relativePath, const Picture& picture,
               int patternWidth = 0, int patternHeight = 0);
  void picture(const std::string& group, const LoadedPicture& loaded, const Picture& picture);
  // A picture that holds a language's text: the root's picture for English, otherwise the same
  // path in the language's folder, on the language's own contact sheet.
  void picture(const std::string& group, const Language& language, const LoadedPicture& loaded,
               const Picture& picture);
  // A BMP of 24 bits, flattened onto black.
  void bmp24(const std::string& group, const LoadedPicture& loaded, const Picture& picture);
  void jpeg(const std::string& group, const LoadedPicture& loaded, const Picture& picture,
            int quality);
  void bytes(const std::string& relativePath, const std::vector<std::uint8_t>& content);
  void text(const std::string& relativePath, const std::string& content);

  // Keeps a sound's samples for the waveform sheet.
  void wave(const std::string& name, const std::vector<float>& samples);

  // The writers of one PNG overview per group into `folder`, and of "sounds.png" of every
  // waveform, to be run on any threads once the pack is written.
  std::vector<std::function<void()>> contactSheetWriters(const std::filesystem::path& folder) const;

  // A picture written earlier, by its path in the pack; throws (find) or gives none (lookup)
  // when there is none.
  const SheetEntry& find(const std::string& relativePath) const;
  const SheetEntry* lookup(const std::string& relativePath) const;

  const std::filesystem::path& dataDir() const { return dataDir_; }
  // The full path of a file of the pack, its folders made.
  std::filesystem::path prepare(const std::string& relativePath) const;

 private:
  void keep(const std::string& group, const std::string& name, const Picture& picture, int pw,
            int ph);

  std::filesystem::path dataDir_;
  mutable std::mutex mutex_;  // sounds and music are made beside the pictures
  void writeWaveSheet(const std::filesystem::path& file) const;
  static void writeContactSheet(const std::string& group, const std::vector<SheetEntry>& entries,
                                const std::filesystem::path& folder);

  std::vector<std::pair<std::string, std::vector<SheetEntry>>> groups_;
  std::vector<std::pair<std::string, std::vector<float>>> waves_;
};

}  // namespace assetgen
