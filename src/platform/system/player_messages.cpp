// The English player-facing lines, one a row ({"Key", "text"}: the catalogues' template is made
// from these rows), and the look-up of a line in the player's language.
#include "platform/system/player_messages.h"

#include <algorithm>
#include <iterator>

namespace marblix {
namespace {

constexpr EnglishPlayerMessage English[] = {
    // clang-format off
    {"NoDisplay", "Marblix needs a graphical display: no X11 or Wayland display could be opened ({1}); start it from a desktop session, or set DISPLAY to a running X server"},
    {"NoDisplayUnset", "DISPLAY is not set"},
    {"NoDisplayX11", "DISPLAY is \"{1}\", but no display answers there"},
    {"NoDisplayWayland", "WAYLAND_DISPLAY is \"{1}\", but no display answers there"},
    {"VideoDriver", "Marblix cannot open the video driver \"{1}\" named by SDL_VIDEODRIVER: {2}"},
    {"NoOpenGL", "Marblix cannot start: it needs OpenGL 3.3, which the graphics driver of this computer does not offer ({1}). Install the current driver for the graphics card from its maker, then start Marblix again."},
    {"NoPack", "Marblix: no game data in the current folder, nor in \"{1}\""},
    {"FolderNotMade", "Marblix: cannot create \"{1}\": {2}"},
    {"FolderNotEntered", "Marblix: cannot enter \"{1}\": {2}"},
    {"ConfigUnreadable", "Cannot read \"{1}\": {2}; it is kept as it is and the game starts with the default scores and volumes"},
    {"ConfigSavedBeside", "This run's scores are saved in \"{1}\"; \"{2}\" could not be read and is kept as it was"},
    {"ConfigNotSaved", "{1}; the previous Config.bin is kept"},
    {"StatisticsUnreadable", "Cannot read \"{1}\": {2}; it is kept as it is, and this run's statistics are not saved"},
    {"StatisticsSetAside", "Statistics file \"{1}\" is damaged ({2}); it is kept as \"{3}\" and the statistics start afresh"},
    {"StatisticsStuck", "Statistics file \"{1}\" is damaged ({2}) and cannot be moved aside ({3}); it is kept as it is, and this run's statistics are not saved"},
    {"StatisticsNotSaved", "{1}; the previous statistics are kept"},
    {"UnreachableGame", "Marblix cannot start: process {1} holds \"{2}\", so another Marblix is using the same files, but it cannot be asked to come to the front (it may run on another computer that shares the folder). Switch to that game, or end it and start Marblix again."},
    {"UnreachableGameNoHolder", "Marblix cannot start: another process holds \"{1}\", so another Marblix is using the same files, but it cannot be asked to come to the front (it may run on another computer that shares the folder). Switch to that game, or end it and start Marblix again."},
    // clang-format on
};

std::string_view TextOf(std::string_view key, std::string_view language) {
  for (const TranslatedPlayerMessage& line : TranslatedPlayerMessages()) {
    if (line.Language == language && line.Key == key && !line.Text.empty()) return line.Text;
  }
  const auto english = std::find_if(std::begin(English), std::end(English),
                                    [key](const EnglishPlayerMessage& m) { return m.Key == key; });
  return english != std::end(English) ? english->Text : key;
}

}  // namespace

std::span<const EnglishPlayerMessage> EnglishPlayerMessages() {
  return English;
}

bool HasPlayerMessages(const std::string& language) {
  const auto rows = TranslatedPlayerMessages();
  return language == "en" ||
         std::any_of(rows.begin(), rows.end(), [&language](const TranslatedPlayerMessage& row) {
           return row.Language == language;
         });
}

std::string PlayerMessage(std::string_view key, std::string_view language,
                          const std::vector<std::string>& arguments) {
  const std::string_view text = TextOf(key, language);
  std::string line;
  for (std::size_t at = 0; at < text.size(); ++at) {
    // "{n}" with n from 1 to 9 is the n-th argument; any other brace stays as it is.
    const bool placeholder = text[at] == '{' && at + 2 < text.size() && text[at + 2] == '}' &&
                             text[at + 1] >= '1' && text[at + 1] <= '9';
    const std::size_t argument = placeholder ? static_cast<std::size_t>(text[at + 1] - '1') : 0;
    if (placeholder && argument < arguments.size()) {
      line += arguments[argument];
      at += 2;
    } else {
      line += text[at];
    }
  }
  return line;
}

}  // namespace marblix
