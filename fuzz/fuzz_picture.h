// The one check every picture target makes: a picture either loads or is refused with the
// picture errors, and a loaded one survives writing and reading again unchanged.
#pragma once

#include <cstdlib>
#include <cstring>
#include <string>

#include "FuzzScratch.h"
#include "graphics/TGAReader.h"

namespace marblix::fuzz {

inline bool SamePixels(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height() || a.PixelFormat() != b.PixelFormat())
    return false;
  for (int row = 0; row < a.Height(); ++row)
    if (std::memcmp(a.ScanLine(row), b.ScanLine(row), static_cast<size_t>(a.RowBytes())) != 0)
      return false;
  return true;
}

// Loads the input as a file with the extension; aborts when a loaded picture does not round-trip.
inline void CheckPicture(const std::string& extension, const uint8_t* data, size_t size) {
  const std::string path = WriteInput("input" + extension, data, size);
  TBitmapEx picture;
  try {
    picture.LoadFromFile(path);
  } catch (const EPictureError&) {
    return;
  } catch (const EInOutError&) {
    return;
  }
  if (picture.Width() == 0 || picture.Height() == 0) return;
  for (bool runLength : {false, true}) {
    picture.TgaRunLength = runLength;
    const std::string copyPath = (ScratchFolder() / "copy.tga").string();
    picture.SaveToFile(copyPath);
    TBitmapEx again;
    again.LoadFromFile(copyPath);
    if (!SamePixels(picture, again)) std::abort();
  }
}

}  // namespace marblix::fuzz
