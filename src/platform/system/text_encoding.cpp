// UTF-8 decoding and encoding, and the Windows-1252 code page both ways.
#include "platform/system/text_encoding.h"

#include <array>
#include <optional>

namespace marblix {
namespace {

// Bytes 0x80..0x9F of Windows-1252; 0 marks the five unused ones.
constexpr std::array<char32_t, 32> HighCodePage = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// Decodes the character at `at` and moves past it; nothing when the bytes there are not one
// well-formed UTF-8 character.
std::optional<char32_t> NextUtf8(std::string_view bytes, std::size_t& at) {
  const auto byte = [&bytes](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) {
    ++at;
    return char32_t{lead};
  }
  int extra = 0;
  char32_t code = 0;
  char32_t smallest = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1, code = lead & 0x1F, smallest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2, code = lead & 0x0F, smallest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3, code = lead & 0x07, smallest = 0x10000;
  } else {
    return std::nullopt;
  }
  if (at + static_cast<std::size_t>(extra) >= bytes.size()) return std::nullopt;
  for (int k = 1; k <= extra; ++k) {
    const unsigned char next = byte(at + static_cast<std::size_t>(k));
    if ((next & 0xC0) != 0x80) return std::nullopt;
    code = code << 6 | (next & 0x3F);
  }
  if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return std::nullopt;
  at += static_cast<std::size_t>(extra) + 1;
  return code;
}

}  // namespace

int Windows1252Byte(char32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
    return static_cast<int>(codePoint);
  for (std::size_t k = 0; k < HighCodePage.size(); ++k) {
    if (HighCodePage[k] != 0 && HighCodePage[k] == codePoint) return static_cast<int>(0x80 + k);
  }
  if (codePoint >= 0x80 && codePoint <= 0x9F && HighCodePage[codePoint - 0x80] == 0)
    return static_cast<int>(codePoint);
  return -1;
}

char32_t Windows1252CodePoint(uint8_t byte) {
  if (byte < 0x80 || byte > 0x9F) return byte;
  const char32_t high = HighCodePage[byte - 0x80];
  return high != 0 ? high : char32_t{byte};
}

bool IsUtf8(std::string_view bytes) {
  for (std::size_t at = 0; at < bytes.size();) {
    if (!NextUtf8(bytes, at)) return false;
  }
  return true;
}

bool IsMultiByteUtf8(std::string_view bytes) {
  bool beyondAscii = false;
  for (std::size_t at = 0; at < bytes.size();) {
    const std::optional<char32_t> code = NextUtf8(bytes, at);
    if (!code) return false;
    beyondAscii = beyondAscii || *code >= 0x80;
  }
  return beyondAscii;
}

std::u32string CodePointsOf(std::string_view text) {
  std::u32string codePoints;
  codePoints.reserve(text.size());
  if (IsUtf8(text)) {
    for (std::size_t at = 0; at < text.size();) codePoints.push_back(*NextUtf8(text, at));
  } else {
    for (const char c : text) codePoints.push_back(Windows1252CodePoint(static_cast<uint8_t>(c)));
  }
  return codePoints;
}

void AppendUtf8(std::string& text, char32_t c) {
  const auto put = [&text](char32_t bits) { text.push_back(static_cast<char>(bits)); };
  if (c < 0x80) {
    put(c);
  } else if (c < 0x800) {
    put(0xC0 | c >> 6), put(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    put(0xE0 | c >> 12), put(0x80 | (c >> 6 & 0x3F)), put(0x80 | (c & 0x3F));
  } else {
    put(0xF0 | c >> 18), put(0x80 | (c >> 12 & 0x3F)), put(0x80 | (c >> 6 & 0x3F));
    put(0x80 | (c & 0x3F));
  }
}

std::string Utf8Of(std::u32string_view codePoints) {
  std::string text;
  for (const char32_t c : codePoints) AppendUtf8(text, c);
  return text;
}

std::string AsUtf8(std::string_view text) {
  return IsUtf8(text) ? std::string(text) : Utf8Of(CodePointsOf(text));
}

std::size_t LastCharacterSize(std::string_view utf8) {
  std::size_t size = 0;
  while (size < utf8.size()) {
    ++size;
    const auto byte = static_cast<unsigned char>(utf8[utf8.size() - size]);
    if ((byte & 0xC0) != 0x80) break;
  }
  return size;
}

std::size_t CharacterSizeAt(std::string_view utf8, std::size_t at) {
  std::size_t size = 0;
  while (at + size < utf8.size()) {
    ++size;
    if (at + size == utf8.size() || (static_cast<unsigned char>(utf8[at + size]) & 0xC0) != 0x80)
      break;
  }
  return size;
}

}  // namespace marblix
