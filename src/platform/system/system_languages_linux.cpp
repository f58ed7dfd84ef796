// The system's languages on Linux: gettext's variables in gettext's order.
#include <cstdlib>

#include "platform/system/language_choice.h"

namespace marblix {

std::vector<std::string> SystemLanguages() {
  return LanguagesOfEnvironment([](const char* name) { return std::getenv(name); });
}

}  // namespace marblix
