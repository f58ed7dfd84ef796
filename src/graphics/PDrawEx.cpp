// The eight row converters and the library's bookkeeping.
#include "graphics/PDrawEx.h"

#include <cstdint>
#include <cstring>

#include "graphics/DirectXGraphics.h"

namespace marblix {

namespace {

std::string& LibraryName() {
  static std::string name = "PDrawEx.dll";
  return name;
}

struct Source {
  uint8_t b, g, r, a;
};

template <typename Texel, typename Pack>
void ConvertRow(const void* source, void* destination, int count, Pack pack) {
  const auto* in = static_cast<const uint8_t*>(source);
  auto* out = static_cast<uint8_t*>(destination);
  for (size_t i = 0; i < static_cast<size_t>(count); ++i) {
    const Source s{in[4 * i], in[4 * i + 1], in[4 * i + 2], in[4 * i + 3]};
    const Texel texel = pack(s);
    std::memcpy(out + sizeof(Texel) * i, &texel, sizeof(Texel));
  }
}

uint8_t Rgb332(const Source& s) {
  return static_cast<uint8_t>((s.r >> 5) << 5 | (s.g >> 5) << 2 | s.b >> 6);
}

}  // namespace

bool LoadExtensionLibrary() {
  return true;
}
bool ExtensionLoaded() {
  return true;
}
void SetExtensionLibraryName(const std::string& name) {
  LibraryName() = name;
}
const std::string& ExtensionLibraryName() {
  return LibraryName();
}

void pdrawLine24to24(const void* source, void* destination, int count) {
  ConvertRow<uint32_t>(source, destination, count, [](const Source& s) {
    return 0xFF000000u | uint32_t(s.r) << 16 | uint32_t(s.g) << 8 | s.b;
  });
}

void pdrawLine24to16(const void* source, void* destination, int count) {
  ConvertRow<uint16_t>(source, destination, count, [](const Source& s) {
    return static_cast<uint16_t>((s.r >> 3) << 11 | (s.g >> 2) << 5 | s.b >> 3);
  });
}

void pdrawLine24to15(const void* source, void* destination, int count) {
  ConvertRow<uint16_t>(source, destination, count, [](const Source& s) {
    return static_cast<uint16_t>(0x8000 | (s.r >> 3) << 10 | (s.g >> 3) << 5 | s.b >> 3);
  });
}

void pdrawLine24to12(const void* source, void* destination, int count) {
  ConvertRow<uint16_t>(source, destination, count, [](const Source& s) {
    return static_cast<uint16_t>(0xF000 | (s.r >> 4) << 8 | (s.g >> 4) << 4 | s.b >> 4);
  });
}

void pdrawLine24to8(const void* source, void* destination, int count) {
  ConvertRow<uint8_t>(source, destination, count, Rgb332);
}

void pdrawLine32to15(const void* source, void* destination, int count) {
  ConvertRow<uint16_t>(source, destination, count, [](const Source& s) {
    return static_cast<uint16_t>((s.a >> 7) << 15 | (s.r >> 3) << 10 | (s.g >> 3) << 5 | s.b >> 3);
  });
}

void pdrawLine32to12(const void* source, void* destination, int count) {
  ConvertRow<uint16_t>(source, destination, count, [](const Source& s) {
    return static_cast<uint16_t>((s.a >> 4) << 12 | (s.r >> 4) << 8 | (s.g >> 4) << 4 | s.b >> 4);
  });
}

void pdrawLine32to8(const void* source, void* destination, int count) {
  ConvertRow<uint16_t>(source, destination, count,
                       [](const Source& s) { return static_cast<uint16_t>(s.a << 8 | Rgb332(s)); });
}

TRowConverter RowConverterFor(int format) {
  switch (format) {
    case D3DFMT_X8R8G8B8:
      return pdrawLine24to24;
    case D3DFMT_R5G6B5:
      return pdrawLine24to16;
    case D3DFMT_X1R5G5B5:
      return pdrawLine24to15;
    case D3DFMT_A1R5G5B5:
      return pdrawLine32to15;
    case D3DFMT_A4R4G4B4:
      return pdrawLine32to12;
    case D3DFMT_R3G3B2:
      return pdrawLine24to8;
    case D3DFMT_A8R3G3B2:
      return pdrawLine32to8;
    case D3DFMT_X4R4G4B4:
      return pdrawLine24to12;
    default:
      return nullptr;
  }
}

int BytesPerTexel(int format) {
  switch (format) {
    case D3DFMT_A8R8G8B8:
    case D3DFMT_X8R8G8B8:
      return 4;
    case D3DFMT_R5G6B5:
    case D3DFMT_X1R5G5B5:
    case D3DFMT_A1R5G5B5:
    case D3DFMT_A4R4G4B4:
    case D3DFMT_A8R3G3B2:
    case D3DFMT_X4R4G4B4:
      return 2;
    case D3DFMT_R3G3B2:
      return 1;
    default:
      return 0;
  }
}

}  // namespace marblix
