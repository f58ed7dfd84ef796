// The start-up and game picture tables and the loader's log line.
#include "assets/texture_table.h"

#include <algorithm>
#include <cstdio>

namespace marblix {
namespace {

TextureSpec Sized(std::string path, int pw, int ph, int tw, int th, int format = FormatARGB) {
  return {std::move(path), pw, ph, tw, th, format, false};
}

TextureSpec AutoSized(std::string path, int format = FormatARGB) {
  return {std::move(path), 0, 0, 0, 0, format, true};
}

std::vector<TextureSpec> MakeGameTextures() {
  std::vector<TextureSpec> t;
  const std::string g = ".\\graphics\\";
  const std::string b = g + "buttons\\";
  t.push_back(Sized(b + "new game.tga", 126, 26, 128, 32));
  for (const char* name : {"kids", "normal", "professional"}) {
    t.push_back(Sized(b + name + ".tga", 115, 25, 128, 32));
  }
  for (const char* name : {"options", "instructions", "high scores", "exit"}) {
    t.push_back(Sized(b + name + ".tga", 143, 31, 256, 32));
  }
  t.push_back(Sized(g + "element_headtext_gamezone.tga", 260, 55, 512, 64));
  t.push_back(Sized(g + "high_mode.tga", 380, 96, 512, 512));
  t.push_back(Sized(b + "high_mode_r.tga", 34, 34, 64, 128));
  t.push_back(Sized(b + "high_mode_l.tga", 34, 34, 64, 128));
  t.push_back(Sized(b + "back.tga", 144, 40, 256, 128));
  t.push_back(Sized(b + "clear.tga", 144, 40, 256, 128));
  t.push_back(Sized(g + "ingame.tga", 400, 300, 512, 512));
  t.push_back(Sized(g + "field.tga", 51, 51, 256, 64));
  for (int n = 1; n <= 22; ++n) {
    const bool large = n >= 12 && n <= 18;
    const std::string stem = g + "balls\\" + std::to_string(n);
    t.push_back(Sized(stem + "_0.tga", large ? 44 : 40, large ? 45 : 40, 256, 256));
    t.push_back(Sized(stem + "_1.tga", large ? 47 : 40, large ? 52 : 44, 256, 256));
  }
  t.push_back(Sized(g + "balls\\bomb_0.tga", 40, 41, 64, 64));
  t.push_back(Sized(g + "balls\\bomb_1.tga", 40, 45, 128, 256));
  t.push_back(Sized(g + "balls\\bomb_2.tga", 54, 63, 128, 256));
  for (int n = 1; n <= 7; ++n) {
    const std::string stem = g + "balls\\" + std::to_string(n);
    t.push_back(Sized(stem + "_2.tga", 44, 42, 512, 256));
    t.push_back(Sized(stem + "_3.tga", 40, 40, 512, 512));
    t.push_back(Sized(stem + "_4.tga", 48, 43, 512, 256));
    t.push_back(Sized(stem + "_5.tga", 40, 40, 512, 256));
    t.push_back(Sized(stem + "_6.tga", 40, 40, 256, 256));
  }
  t.push_back(Sized(g + "inform.tga", 443, 291, 512, 512));
  t.push_back(Sized(b + "yes.tga", 112, 48, 128, 64));
  t.push_back(Sized(b + "no.tga", 112, 48, 128, 64));
  t.push_back(Sized(b + "prev.tga", 106, 24, 128, 128));
  t.push_back(Sized(b + "next.tga", 106, 24, 128, 128));
  t.push_back(Sized(b + "fullscreen.tga", 245, 25, 256, 64));
  t.push_back(Sized(b + "sound_opt.tga", 405, 45, 512, 64));
  t.push_back(Sized(b + "sound_opt_g.tga", 194, 14, 256, 16));
  t.push_back(Sized(b + "up.tga", 18, 18, 32, 64));
  t.push_back(Sized(b + "down.tga", 18, 18, 32, 64));
  t.push_back(Sized(g + "explosion.bmp", 128, 128, 128, 128, FormatR5G6B5));
  for (int n = 0; n < HelpPageCount; ++n)
    t.push_back(Sized(g + "help" + std::to_string(n) + ".tga", 467, 467, 512, 512));
  t.push_back(Sized(g + "logo_small.tga", 125, 100, 128, 128));
  t.push_back(Sized(g + "cry.tga", 140, 82, 256, 128));
  t.push_back(Sized(g + "lau.tga", 60, 60, 64, 64));
  t.push_back(Sized(b + "daily.tga", 143, 31, 256, 32));
  t.push_back(Sized(b + "statistics.tga", 143, 31, 256, 32));
  return t;
}

std::vector<TextureSpec> MakeStartupTextures() {
  const std::string g = ".\\graphics\\";
  return {
      Sized(g + "cursor.tga", 18, 25, 32, 32),
      Sized(g + "bfg.tga", 170, 170, 256, 256),
      Sized(g + "background.jpg", 400, 300, 512, 512, FormatR5G6B5),
      Sized(g + "loading_element.tga", 400, 300, 512, 512),
      AutoSized(g + "logo\\flare.tga"),
      AutoSized(g + "statusline.tga"),
      Sized(g + "logo\\ball.tga", 57, 213, 512, 512),
      Sized(g + "logo\\i.tga", 57, 306, 512, 512),
      Sized(g + "logo\\blik_zantic.tga", 235, 75, 512, 512),
      AutoSized(g + "logo\\vexmo.tga"),
      AutoSized(g + "logo\\zantic.tga"),
  };
}

}  // namespace

const std::vector<TextureSpec>& StartupTextures() {
  static const std::vector<TextureSpec> table = MakeStartupTextures();
  return table;
}

const std::vector<TextureSpec>& GameTextures() {
  static const std::vector<TextureSpec> table = MakeGameTextures();
  return table;
}

std::string TextureLogLine(const TextureSpec& spec) {
  char size[48];
  if (spec.Auto) {
    std::snprintf(size, sizeof size, "AUTO");
  } else {
    std::snprintf(size, sizeof size, "%dx%d", spec.TextureWidth, spec.TextureHeight);
  }
  return "Loaded Texture \"" + spec.Path + "\". Size " + size + ". Format " +
         std::to_string(spec.Format);
}

std::string FilePathOf(const std::string& gamePath) {
  std::string path = gamePath;
  std::replace(path.begin(), path.end(), '\\', '/');
  if (path.rfind("./", 0) == 0) path.erase(0, 2);
  return path;
}

}  // namespace marblix
