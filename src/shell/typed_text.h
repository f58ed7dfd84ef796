// Typed text as the window system delivers it (UTF-8), taken apart into code points.
#pragma once

#include <cstddef>
#include <string_view>

namespace marblix {

// Calls `each` with every code point of `utf8` in turn, up to its end or a NUL byte. A lead byte
// announces how many bytes follow (0xF0 and up three, 0xE0 two, 0xC0 one); a sequence cut short
// by the end keeps the bits it has, and a stray continuation byte stands for its low seven bits.
template <typename Each>
void ForEachCodePoint(std::string_view utf8, Each&& each) {
  const auto byteAt = [utf8](std::size_t i) -> char32_t {
    return i < utf8.size() ? static_cast<unsigned char>(utf8[i]) : 0;
  };
  for (std::size_t i = 0; byteAt(i) != 0;) {
    char32_t code = byteAt(i);
    int extra = code >= 0xF0 ? 3 : code >= 0xE0 ? 2 : code >= 0xC0 ? 1 : 0;
    code &= extra == 3 ? 0x07 : extra == 2 ? 0x0F : extra == 1 ? 0x1F : 0x7F;
    ++i;
    for (; extra > 0 && byteAt(i) != 0; --extra, ++i) code = code << 6 | (byteAt(i) & 0x3F);
    each(code);
  }
}

}  // namespace marblix
