// Which pictures the game loads, in which order, cut into which patterns and textures.
#pragma once

#include <string>
#include <vector>

namespace marblix {

// Texture formats the game uses (device format codes).
inline constexpr int FormatARGB = 21;    // 32-bit with alpha
inline constexpr int FormatR5G6B5 = 23;  // 16-bit without alpha

// One picture to load. Auto pictures take their size from the file (one pattern).
struct TextureSpec {
  std::string Path;  // as the game writes it, with ".\" and backslashes
  int PatternWidth = 0;
  int PatternHeight = 0;
  int TextureWidth = 0;
  int TextureHeight = 0;
  int Format = FormatARGB;
  bool Auto = false;
};

// The eleven start-up pictures, in loading order.
const std::vector<TextureSpec>& StartupTextures();
// The game pictures (GpCount of them), in loading order.
const std::vector<TextureSpec>& GameTextures();

// The log line of a loaded texture: Loaded Texture "<path>". Size <w>x<h>. Format <f>
// (or Size AUTO for an auto-sized one).
std::string TextureLogLine(const TextureSpec& spec);

// The path on this system: backslashes become slashes.
std::string FilePathOf(const std::string& gamePath);

// Indexes of the start-up pictures.
enum StartupPicture {
  PicCursor,
  PicBfg,
  PicBackground,
  PicLoadingElement,
  PicFlare,
  PicStatusLine,
  PicLogoBall,
  PicLogoI,
  PicLogoShine,
  PicLogoVexmo,
  PicLogoZantic,
};

// The instructions pages, ".\graphics\help0.tga" onwards.
inline constexpr int HelpPageCount = 6;

// Indexes of game pictures the screens draw directly (the ball pictures are found by look).
enum GamePicture {
  GpNewGame = 0,
  GpKids,
  GpNormal,
  GpProfessional,
  GpOptions,
  GpInstructions,
  GpHighScores,
  GpExit,
  GpHeadText,
  GpHighMode,
  GpHighModeR,
  GpHighModeL,
  GpBack,
  GpClear,
  GpIngame,
  GpField,
  GpFirstBall = 16,  // N = 1..22: ball picture at 16 + 2(N-1), selected picture at 17 + 2(N-1)
  GpBomb0 = 60,
  GpBomb1,
  GpBomb2,
  GpFirstRest = 63,  // N = 1..7: five pictures from 63 + 5(N-1): rest 2..5, paint
  GpInform = 98,
  GpYes,
  GpNo,
  GpPrev,
  GpNext,
  GpFullScreen,
  GpSoundOpt,
  GpSoundOptG,
  GpUp,
  GpDown,
  GpExplosion,
  GpFirstHelp = 109,  // the instructions pages, HelpPageCount of them
  GpLogoSmall = GpFirstHelp + HelpPageCount,
  GpCry,
  GpLau,
  GpDaily,
  GpStatistics,
  GpCount = GpLogoSmall + 5,
};

}  // namespace marblix
