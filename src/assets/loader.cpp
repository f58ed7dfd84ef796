// The texture loaders and the loading stage: pictures behind a progress bar, the audio library,
// the sounds, the buttons, the font, the texts, Config.bin and the music.
#include "assets/loader.h"

#include "assets/qz_logs.h"
#include "shell/defs.h"
#include "sound/Bass.h"
#include "sound/sounds.h"

namespace marblix {
namespace {

constexpr TRect WholeFrame{0, 0, 800, 600};

}  // namespace

void LoadTexture(TPowerGraph& device, std::unique_ptr<TAGFImage>& image, const TextureSpec& spec) {
  image = std::make_unique<TAGFImage>();
  if (spec.Auto) {
    image->LoadAutoSize(device.D3DDevice8(), spec.Path, spec.Format);
  } else {
    image->LoadPatterns(device.D3DDevice8(), spec.Path, spec.PatternWidth, spec.PatternHeight,
                        spec.TextureWidth, spec.TextureHeight, spec.Format);
  }
  LogMessage(TextureLogLine(spec));
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
  LogMessage("Initializing BASS ...");
  const DWORD version = BASS_GetVersion();
  if (version != BASS_VERSION) {
    // Without a usable audio library the game goes on silent.
    LogMessage("Audio library version " + std::to_string(version) + " not supported: no sound");
    return false;
  }
  BASS_Init(1, 44100, 0, host_.MainWindowHandle(), nullptr);
  BASS_Start();
  LoadSoundTable([](const std::string& line) { LogMessage(line); });
  return true;
}

void TAssetLoader::LoadFont() {
  LogMessage("Loading font ...");
  resources_.Font = std::make_unique<TQzFont>(&device_);
  const TLogSink log = [](const std::string& line) { LogMessage(line); };
  resources_.Font->LoadMetrics(FilePathOf(".\\graphics\\font\\font.rls"), log);
  resources_.Font->LoadGlyphs(".\\graphics\\font\\font.bmp", log);
}

void TAssetLoader::StartMusic() {
  resources_.MusicStream = BASS_StreamCreateFile(false, "./music/theme.ogg", 0, 0, 0);
  BASS_ChannelSetAttributes(resources_.MusicStream, 44100, MusicVolume, 0);
  BASS_StreamPlay(resources_.MusicStream, false, BASS_SAMPLE_LOOP);
}

void TAssetLoader::LoadAssets() {
  LogMessage("Loading Ingame Resources ...");
  const auto& table = GameTextures();
  for (std::size_t i = 0; i < table.size(); ++i) LoadTextureShown(resources_.Game[i], table[i]);
  const bool sound = StartAudio();

  resources_.Buttons = std::make_unique<TButtons>(&device_);
  LogMessage("Initializing XWindows :) ...");
  LogMessage("...Ok");
  host_.AddButtons(*resources_.Buttons);

  LoadFont();

  LogMessage("Releasing loading stuff ...");
  for (StartupPicture loading : {PicLoadingElement, PicStatusLine, PicBackground}) {
    if (TAGFImage* image = resources_.StartupImage(loading)) image->ReleaseTextures();
  }

  LogMessage("Loading ingame strings...");
  resources_.Strings = std::make_unique<TQzStrings>();
  resources_.Strings->LoadStrings(FilePathOf(".\\strings.txt"),
                                  [](const std::string& line) { LogMessage(line); });
  resources_.Buttons->Strings = resources_.Strings.get();
  host_.SetCaption(resources_.Strings->MainCaption);

  LogMessage("Starting game...");
  ScreenState = MenuScreen;
  GameMode = ModeNormal;

  LogMessage("Loading config ...");
  host_.LoadConfig();

  if (sound) StartMusic();
  resources_.Strings->LastHelpPage = 4;
  host_.ShowSystemPointer(!FullScreenSetting);
}

}  // namespace marblix
