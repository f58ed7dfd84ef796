// Text encodings: UTF-8, and the Windows Western European code page (Windows-1252) that older packs
// and older score files hold.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace marblix {

// The Windows-1252 byte of a code point, or -1 when the code page has none.
int Windows1252Byte(char32_t codePoint);
// The code point of a Windows-1252 byte; the five bytes the code page leaves unused stand for the
// control characters of the same number, as Windows reads them.
char32_t Windows1252CodePoint(uint8_t byte);

// True when the bytes are well-formed UTF-8 (shortest forms, no surrogates, at most U+10FFFF).
bool IsUtf8(std::string_view bytes);
// True when the bytes are well-formed UTF-8 holding at least one character beyond ASCII.
bool IsMultiByteUtf8(std::string_view bytes);

// The code points of a text: UTF-8 where the bytes are well-formed UTF-8, otherwise one
// Windows-1252 character a byte (the texts of older packs and the names of older score files).
std::u32string CodePointsOf(std::string_view text);

void AppendUtf8(std::string& text, char32_t codePoint);
std::string Utf8Of(std::u32string_view codePoints);
// A text as UTF-8, whichever of the two encodings it is in.
std::string AsUtf8(std::string_view text);

// The number of bytes of the last character of a UTF-8 text (0 for an empty text).
std::size_t LastCharacterSize(std::string_view utf8);
// The number of bytes of the UTF-8 character that begins at `at` (0 at the end).
std::size_t CharacterSizeAt(std::string_view utf8, std::size_t at);

}  // namespace marblix
