// The lines the player reads on the standard error or in a message box, when something is wrong
// before or without the pack: one English line a key, and its translations made at build time.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace marblix {

// A translated line: the language's code (as "de" or "pt_BR"), the line's key and its text.
struct TranslatedPlayerMessage {
  std::string_view Language;
  std::string_view Key;
  std::string_view Text;
};

// The translations made from the catalogues at build time; none in a build without them.
std::span<const TranslatedPlayerMessage> TranslatedPlayerMessages();

// The English lines, by key.
struct EnglishPlayerMessage {
  std::string_view Key;
  std::string_view Text;
};
std::span<const EnglishPlayerMessage> EnglishPlayerMessages();

// The program has lines of its own in the language (English always).
bool HasPlayerMessages(const std::string& language);

// The line of `key` in `language` (English where it has no translation), with "{1}", "{2}", ...
// replaced by the arguments in turn. An unknown key gives the key itself.
std::string PlayerMessage(std::string_view key, std::string_view language,
                          const std::vector<std::string>& arguments = {});

}  // namespace marblix
