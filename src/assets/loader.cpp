// The texture loaders and the loading stage: pictures behind a progress bar, the audio library,
// the sounds, the buttons, the font, the texts, Config.bin and the music.
#include "assets/loader.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string_view>

#include "assets/qz_logs.h"
#include "assets/texture_table.h"
#include "graphics/TGAReader.h"
#include "shell/defs.h"
#include "sound/Bass.h"
#include "sound/sounds.h"

namespace marblix {
namespace {

constexpr TRect WholeFrame{0, 0, 800, 600};

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

void LoadPlaceholder(TPowerGraph& device, std::unique_ptr<TAGFImage>& image,
                     const TextureSpec& spec) {
  const TBitmap placeholder = PlaceholderFor(spec);
  image = std::make_unique<TAGFImage>();
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

}  // namespace

void LoadTexture(TPowerGraph& device, std::unique_ptr<TAGFImage>& image, const TextureSpec& spec) {
  if (PictureMissing(spec.Path)) {
    NoteMissing(spec.Path);
    LoadPlaceholder(device, image, spec);
    Note(TextureLogLine(spec));
    return;
  }
  image = std::make_unique<TAGFImage>();
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
  Note(TextureLogLine(spec));
}

void TAssetLoader::LoadStartupTextures() {
  const auto& table = StartupTextures();
  for (std::size_t i = 0; i < table.size(); ++i)
    LoadTexture(device_, resources_.Startup[i], table[i]);
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
  LoadTexture(device_, image, spec);
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

void TAssetLoader::LoadFont() {
  Note("Loading font ...");
  resources_.Font = std::make_unique<TQzFont>(&device_);
  const TLogSink log = [](const std::string& line) { Note(line); };
  resources_.Font->LoadMetrics(FilePathOf(".\\graphics\\font\\font.rls"), log);
  const std::string glyphs = ".\\graphics\\font\\font.bmp";
  if (PictureMissing(glyphs)) NoteMissing(glyphs);
  try {
    resources_.Font->LoadGlyphs(glyphs, log);
  } catch (const std::exception& unreadable) {
    Note("Font glyphs \"" + glyphs + "\" unreadable (" + unreadable.what() + "): no text is drawn");
  }
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

  LoadFont();

  Note("Releasing loading stuff ...");
  for (StartupPicture loading : {PicLoadingElement, PicStatusLine, PicBackground}) {
    if (TAGFImage* image = resources_.StartupImage(loading)) image->ReleaseTextures();
  }

  Note("Loading ingame strings...");
  resources_.Strings = std::make_unique<TQzStrings>();
  resources_.Strings->LoadStrings(FilePathOf(".\\strings.txt"),
                                  [](const std::string& line) { Note(line); });
  resources_.Buttons->Strings = resources_.Strings.get();
  host_.SetCaption(resources_.Strings->MainCaption);

  Note("Starting game...");
  values_.ScreenState = MenuScreen;
  values_.GameMode = ModeNormal;

  Note("Loading config ...");
  host_.LoadConfig();

  if (sound) StartMusic();
  resources_.Strings->LastHelpPage = HelpPageCount - 1;
  host_.ShowSystemPointer(!values_.FullScreenSetting);
}

}  // namespace marblix
