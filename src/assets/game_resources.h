// The long-lived objects that start-up and the asset loader make: pictures, buttons, font, texts,
// the music stream and the list of the pack's languages.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "assets/texture_table.h"
#include "board/BoardServices.h"
#include "board/BoardTypes.h"
#include "graphics/AGFUnit.h"
#include "platform/audio/AudioLibrary.h"
#include "text/qz_strings.h"
#include "text/qz_text.h"
#include "widgets/qz_Menus.h"

namespace marblix {

inline constexpr int StartupPictureCount = 11;

// A language of the pack: its code and its own name.
struct TPackLanguage {
  std::string Code;
  std::string Name;
};

struct TGameResources {
  std::array<std::unique_ptr<TAGFImage>, StartupPictureCount> Startup;
  std::array<std::unique_ptr<TAGFImage>, GpCount> Game;
  std::unique_ptr<TButtons> Buttons;
  std::unique_ptr<TQzFont> Font;
  std::unique_ptr<TQzStrings> Strings;
  HSTREAM MusicStream = 0;
  // Every language of the pack, English first.
  std::vector<TPackLanguage> Languages;

  TAGFImage* StartupImage(StartupPicture which) const { return Startup[which].get(); }
  TAGFImage* GameImage(int which) const {
    return which >= 0 && which < GpCount ? Game[which].get() : nullptr;
  }
  // The picture of a ball look and variant (0 ball, 1 selected, 2..5 rest, 6 paint).
  TAGFImage* BallImage(BallPicture picture) const;
};

}  // namespace marblix
