// The texture loaders and the asset loader that runs in the one loading frame.
#pragma once

#include <memory>
#include <string>

#include "assets/game_resources.h"
#include "assets/logo.h"
#include "graphics/PowerD3D.h"
#include "shell/defs.h"

namespace marblix {

// Loads the picture sized or at its own size into the image (made when there is none yet, else
// loaded again in place, so that whoever draws it keeps it) and logs its texture line.
void LoadTexture(TPowerGraph& device, std::unique_ptr<TAGFImage>& image, const TextureSpec& spec,
                 bool logLoaded = true);

// The pack's file of a game path (".\graphics\help0.tga") in a language: the language's own
// (".\lang\de\graphics\help0.tga") where the pack has one, else the root's.
std::string LocalizedPath(const std::string& gamePath, const std::string& language);

// What the loader asks of the game window.
class LoaderHost {
 public:
  virtual ~LoaderHost() = default;
  virtual void SetCaption(const std::string& caption) = 0;
  // The system pointer over the window: shown in a window, hidden in full screen.
  virtual void ShowSystemPointer(bool shown) = 0;
  // Adds the buttons of the button table with their actions, in index order.
  virtual void AddButtons(TButtons& buttons) = 0;
  // Reads Config.bin and enters the first playing screen.
  virtual void LoadConfig() = 0;
  virtual void* MainWindowHandle() = 0;
  virtual void Log(const std::string& message) = 0;
  // True when the desktop session asks the program to end: loading stops between two pictures.
  virtual bool SessionEnding() { return false; }
};

class TAssetLoader {
 public:
  TAssetLoader(TPowerGraph& device, TGameResources& resources, LogoState& logo, LoaderHost& host,
               TShellValues& values)
      : device_(device), resources_(resources), logo_(logo), host_(host), values_(values) {}

  // Loads the start-up pictures in their order, one log line each.
  void LoadStartupTextures();
  // The whole loading stage; leaves ScreenState on the first playing screen. When the session asks
  // the program to end while the pictures load, it stops there and leaves ScreenState as it was.
  void LoadAssets();
  // One game picture framed by a presented progress picture.
  void LoadTextureShown(std::unique_ptr<TAGFImage>& image, const TextureSpec& spec);
  // The logo's still scene (overlay, lettering, letter and ball).
  void DrawLogoScene();
  void DrawBackground(StartupPicture picture);
  // Speaks another language from now on: its pictures, font and texts replace the current ones.
  void SwitchLanguage(const std::string& language);

 private:
  bool StartAudio();
  // The glyph maps (the root's, then the language's), or the metrics and sheet of a pack without
  // a map. The routine steps are logged at loading only.
  void LoadFont(bool loading);
  void LoadStrings();
  // Every language of the pack with its own name.
  void ListLanguages();
  void StartMusic();

  TPowerGraph& device_;
  TGameResources& resources_;
  LogoState& logo_;
  LoaderHost& host_;
  TShellValues& values_;
};

}  // namespace marblix
