// The texture loaders and the loading stage: pictures behind a progress bar, the audio library,
// the sounds, the buttons, the font, the texts, Config.bin and the music.
#include "assets/loader.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string_view>

#include "assets/qz_logs.h"
#include "assets/texture_table.h"
#include "graphics/TGAReader.h"
#include "platform/system/language_choice.h"
#include "shell/defs.h"
#include "sound/Bass.h"
#include "sound/sounds.h"

namespace marblix {
namespace {

constexpr TRect WholeFrame{0, 0, 800, 600};
const std::string OldFont =
    "the font is read from font.rls and font.bmp, which hold Western European letters only";

// A log line; a log that cannot be written (full disk, read-only folder) does not stop loading.
void Note(std::string_view message) {
  try {
    LogMessage(message);
  } catch (const LogError&) {
  }
}

// The NO IMAGE picture in place of a missing or unreadable one. A cut picture gets it tiled over
// a whole texture, so that it keeps its pattern size even where a pattern is larger than the
// 64 x 64 placeholder: a button without its picture is still drawn and can still be clicked.
TBitmap PlaceholderFor(const TextureSpec& spec) {
  TBitmapEx tile;
  tile.MakePlaceholder();
  if (spec.Auto) return tile;
  TBitmap picture;
  picture.SetPixelFormat(TPixelFormat::pf32bit);
  picture.SetSize(std::max(tile.Width(), spec.TextureWidth),
                  std::max(tile.Height(), spec.TextureHeight));
  for (int y = 0; y < picture.Height(); ++y) {
    const uint8_t* source = tile.ScanLine(y % tile.Height());
    for (int x = 0; x < picture.RowBytes(); x += tile.RowBytes()) {
      std::memcpy(picture.ScanLine(y) + x, source,
                  std::min(tile.RowBytes(), picture.RowBytes() - x));
    }
  }
  return picture;
}

// An image to load into: a new one, or the one there, emptied.
void Reuse(std::unique_ptr<TAGFImage>& image) {
  if (image) {
    image->ReleaseTextures();
  } else {
    image = std::make_unique<TAGFImage>();
  }
}

void LoadPlaceholder(TPowerGraph& device, std::unique_ptr<TAGFImage>& image,
                     const TextureSpec& spec) {
  const TBitmap placeholder = PlaceholderFor(spec);
  Reuse(image);
  if (spec.Auto) {
    image->LoadPatternsFromBitmap(device.D3DDevice8(), placeholder, 0, 0, placeholder.Width(),
                                  placeholder.Height(), spec.Format);
  } else {
    image->LoadPatternsFromBitmap(device.D3DDevice8(), placeholder, spec.PatternWidth,
                                  spec.PatternHeight, spec.TextureWidth, spec.TextureHeight,
                                  spec.Format);
  }
}

bool PictureMissing(const std::string& picturePath) {
  std::error_code error;
  return !std::filesystem::is_regular_file(FilePathOf(picturePath), error);
}

void NoteMissing(const std::string& picturePath) {
  Note("Picture \"" + picturePath + "\" missing: NO IMAGE shown instead");
}

bool FileExists(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

// The texture description pointing at the language's own picture, where the pack has one.
TextureSpec Localized(const TextureSpec& spec, const std::string& language) {
  TextureSpec localized = spec;
  localized.Path = LocalizedPath(spec.Path, language);
  return localized;
}

}  // namespace

std::string LocalizedPath(const std::string& gamePath, const std::string& language) {
  const std::string folder = LanguageFolder(language);
  if (folder.empty()) return gamePath;
  std::string own = folder + FilePathOf(gamePath);
  if (!FileExists(own)) return gamePath;
  std::replace(own.begin(), own.end(), '/', '\\');
  return ".\\" + own;
}

void LoadTexture(TPowerGraph& device, std::unique_ptr<TAGFImage>& image, const TextureSpec& spec,
                 bool logLoaded) {
  if (PictureMissing(spec.Path)) {
    NoteMissing(spec.Path);
    LoadPlaceholder(device, image, spec);
    if (logLoaded) Note(TextureLogLine(spec));
    return;
  }
  Reuse(image);
  try {
    if (spec.Auto) {
      image->LoadAutoSize(device.D3DDevice8(), spec.Path, spec.Format);
    } else {
      image->LoadPatterns(device.D3DDevice8(), spec.Path, spec.PatternWidth, spec.PatternHeight,
                          spec.TextureWidth, spec.TextureHeight, spec.Format);
    }
  } catch (const std::exception& unreadable) {
    Note("Picture \"" + spec.Path + "\" unreadable (" + unreadable.what() +
         "): NO IMAGE shown instead");
    LoadPlaceholder(device, image, spec);
  }
  if (logLoaded) Note(TextureLogLine(spec));
}

void TAssetLoader::LoadStartupTextures() {
  const auto& table = StartupTextures();
  for (std::size_t i = 0; i < table.size(); ++i)
    LoadTexture(device_, resources_.Startup[i], Localized(table[i], values_.Language));
}

void TAssetLoader::DrawBackground(StartupPicture picture) {
  TAGFImage* image = resources_.StartupImage(picture);
  device_.DrawImage(image, 0, 0, 0, blendAlpha);
  device_.DrawImage(image, 400, 0, 1, blendAlpha);
  device_.DrawImage(image, 0, 300, 2, blendAlpha);
  device_.DrawImage(image, 400, 300, 3, blendAlpha);
}

void TAssetLoader::DrawLogoScene() {
  DrawBackground(PicLoadingElement);
  device_.DrawImage(resources_.StartupImage(PicLogoVexmo), 270, 120, 0, blendAlpha);
  device_.DrawImage(resources_.StartupImage(PicLogoZantic), 270, 120, 0, blendAlpha);
  const int pattern = static_cast<int>(logo_.LogoClock);
  device_.DrawImage(resources_.StartupImage(PicLogoI), 300, -30, pattern, blendAlpha);
  device_.DrawImage(resources_.StartupImage(PicLogoBall), 300, -30, pattern, blendAlpha);
}

void TAssetLoader::LoadTextureShown(std::unique_ptr<TAGFImage>& image, const TextureSpec& spec) {
  const TAGFImage* status = resources_.StartupImage(PicStatusLine);
  const int right = ProgressRight(status ? status->PatternWidth : 0, logo_.LoadProgress);
  device_.BeginFrame();
  DrawBackground(PicBackground);
  LoadTexture(device_, image, Localized(spec, values_.Language));
  DrawLogoScene();
  device_.SetClipRectangle({0, 0, right, 600});
  device_.DrawImage(status, 286, 330, 0, blendAlpha);
  device_.SetClipRectangle(WholeFrame);
  device_.EndFrame();
  device_.PresentFrame();
  logo_.LoadProgress += 1;
}

bool TAssetLoader::StartAudio() {
  Note("Initializing BASS ...");
  const DWORD version = BASS_GetVersion();
  if (version != BASS_VERSION) {
    // Without a usable audio library the game goes on silent.
    Note("Audio library version " + std::to_string(version) + " not supported: no sound");
    return false;
  }
  BASS_Init(1, 44100, 0, host_.MainWindowHandle(), nullptr);
  if (const std::string off = SoundOffReason(); !off.empty()) Note("Sound is off: " + off);
  BASS_Start();
  LoadSoundTable([](const std::string& line) { Note(line); });
  return true;
}

void TAssetLoader::LoadFont(bool loading) {
  if (loading) Note("Loading font ...");
  if (resources_.Font) {
    resources_.Font->Clear();
  } else {
    resources_.Font = std::make_unique<TQzFont>(&device_);
  }
  TQzFont& font = *resources_.Font;
  const TLogSink log = [](const std::string& line) { Note(line); };
  const std::string map = "graphics/font/font.map";
  const bool mapped = FileExists(map) && font.LoadMap(map, log) && font.HasGlyphs();
  if (!mapped) {
    if (loading) {
      Note(FileExists(map) ? "Font map \"" + map + "\" gives no glyph: " + OldFont
                           : "Font map \"" + map + "\" missing: " + OldFont);
    }
    font.LoadMetrics(FilePathOf(".\\graphics\\font\\font.rls"), log);
    const std::string glyphs = ".\\graphics\\font\\font.bmp";
    if (PictureMissing(glyphs)) NoteMissing(glyphs);
    try {
      font.LoadGlyphs(glyphs, log);
    } catch (const std::exception& unreadable) {
      Note("Font glyphs \"" + glyphs + "\" unreadable (" + unreadable.what() +
           "): no text is drawn");
    }
  }
  const std::string ownMap = LanguageFolder(values_.Language) + map;
  if (ownMap != map && FileExists(ownMap)) font.LoadMap(ownMap, log);
}

void TAssetLoader::LoadStrings() {
  if (!resources_.Strings) resources_.Strings = std::make_unique<TQzStrings>();
  const TLogSink log = [](const std::string& line) { Note(line); };
  const std::string root = FilePathOf(".\\strings.txt");
  const std::string own = LanguageFolder(values_.Language) + root;
  if (own == root) {
    resources_.Strings->LoadStrings(root, log);
  } else {
    resources_.Strings->LoadStrings(own, root, log);
  }
  resources_.Strings->LastHelpPage = HelpPageCount - 1;
  if (!resources_.Strings->ChainBonus.empty())
    values_.ChainBonusText = resources_.Strings->ChainBonus;
}

void TAssetLoader::ListLanguages() {
  resources_.Languages.clear();
  for (const std::string& code : PackLanguages()) {
    const std::string strings = LanguageFolder(code) + FilePathOf(".\\strings.txt");
    std::string name = TQzStrings::ValueInFile(strings, "LanguageName");
    resources_.Languages.push_back({code, name.empty() ? code : name});
  }
}

void TAssetLoader::SwitchLanguage(const std::string& language) {
  const auto started = std::chrono::steady_clock::now();
  const std::string before = values_.Language;
  values_.Language = language;
  // The pictures either language has its own of; the rest are the root's in both.
  const auto& table = GameTextures();
  for (std::size_t i = 0; i < table.size(); ++i) {
    const bool own = LocalizedPath(table[i].Path, before) != table[i].Path ||
                     LocalizedPath(table[i].Path, language) != table[i].Path;
    if (own) LoadTexture(device_, resources_.Game[i], Localized(table[i], language), false);
  }
  LoadFont(false);
  LoadStrings();
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.3f", took.count());
  Note("Language \"" + language + "\" loaded in " + seconds + " s");
}

void TAssetLoader::StartMusic() {
  resources_.MusicStream = BASS_StreamCreateFile(false, "./music/theme.ogg", 0, 0, 0);
  if (resources_.MusicStream == 0) Note("Cannot load music \"./music/theme.ogg\": no music plays");
  BASS_ChannelSetAttributes(resources_.MusicStream, 44100, values_.MusicVolume, 0);
  BASS_StreamPlay(resources_.MusicStream, false, BASS_SAMPLE_LOOP);
}

void TAssetLoader::LoadAssets() {
  Note("Loading Ingame Resources ...");
  const auto& table = GameTextures();
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (host_.SessionEnding()) return;
    LoadTextureShown(resources_.Game[i], table[i]);
  }
  const bool sound = StartAudio();

  resources_.Buttons = std::make_unique<TButtons>(&device_, values_);
  Note("Initializing XWindows :) ...");
  Note("...Ok");
  host_.AddButtons(*resources_.Buttons);

  LoadFont(true);

  Note("Releasing loading stuff ...");
  for (StartupPicture loading : {PicLoadingElement, PicStatusLine, PicBackground}) {
    if (TAGFImage* image = resources_.StartupImage(loading)) image->ReleaseTextures();
  }

  Note("Loading ingame strings...");
  LoadStrings();
  ListLanguages();
  Note("Language: " + values_.Language);
  resources_.Buttons->Strings = resources_.Strings.get();
  host_.SetCaption(resources_.Strings->MainCaption);

  Note("Starting game...");
  values_.ScreenState = MenuScreen;
  values_.GameMode = ModeNormal;

  Note("Loading config ...");
  host_.LoadConfig();

  if (sound) StartMusic();
  host_.ShowSystemPointer(!values_.FullScreenSetting);
}

}  // namespace marblix
