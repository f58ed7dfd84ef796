// A build without the catalogues' translations of the player-facing lines: every line in English.
#include "platform/system/player_messages.h"

namespace marblix {

std::span<const TranslatedPlayerMessage> TranslatedPlayerMessages() {
  return {};
}

}  // namespace marblix
