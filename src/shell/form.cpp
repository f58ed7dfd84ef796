// TForm1: start-up step by step, the collaborators of the frame loop and the input, loading,
// pausing, device loss and shutdown.
#include "shell/form.h"

#include <algorithm>
#include <chrono>

#include "assets/qz_logs.h"
#include "board/DayGame.h"
#include "graphics/FrameFit.h"
#include "platform/system/processor_name.h"
#include "platform/system/settings_store.h"
#include "platform/system/today.h"
#include "shell/button_table.h"
#include "shell/high_scores.h"
#include "shell/typed_text.h"
#include "sound/Bass.h"
#include "sound/sounds.h"

namespace marblix {

TForm1::TForm1(TFormHost& host, TApplication& application, std::unique_ptr<TPowerGraph> powerGraph,
               std::unique_ptr<TPowerTimer> powerTimer, TShellValues& values)
    : PowerGraph1(std::move(powerGraph)),
      PowerTimer1(std::move(powerTimer)),
      Shell(*this, values),
      host_(host),
      values_(values),
      application_(application),
      loader_(*PowerGraph1, Resources, Logo, *this, values),
      painter_(*PowerGraph1, Resources, values),
      boardSounds_(values) {
  // The components as designed.
  PowerGraph1->SetAntialias(true);
  PowerGraph1->SetDithering(false);
  PowerGraph1->Hardware = true;
  PowerGraph1->SetFullScreen(false);
  PowerGraph1->SetWidth(800);
  PowerGraph1->SetHeight(600);
  PowerGraph1->SetBackBufferCount(1);
  PowerGraph1->SetBitDepth(bd_High);
  PowerGraph1->SetZBuffer(zb_None);
  PowerGraph1->SetVSync(false);
  PowerGraph1->SetRefreshRate(rr_default);
  PowerGraph1->SetCustomRefreshRate(0);
  PowerGraph1->OnDeviceLost = [this](TObject*) { PowerGraph1DeviceLost(); };
  PowerTimer1->SetFPS(15);
  PowerTimer1->MayProcess = false;
  PowerTimer1->MayRender = false;
  PowerTimer1->MayRealTime = false;
  PowerTimer1->OnRealTime = [this](TObject*, double delta) {
    values_.MeasuredFps = PowerTimer1->MeasuredFps();  // the board's per-frame draws read it
    Shell.PowerTimer1RealTime(delta);
  };
  host_.SetCaption("Marblix (loading...)");
  host_.SetClientSize(800, 600);
  host_.SetPointer(TFormHost::Pointer::Busy);
}

TForm1::~TForm1() {
  // The board and the particles refer to the pictures and the device: they go first.
  Board.reset();
  boardPainter_.reset();
  boardCanvas_.reset();
  boardParticles_.reset();
  ParticleEngine.reset();
  Resources.Buttons.reset();
  Resources.Font.reset();
}

void TForm1::LogSafely(const std::string& message) {
  try {
    LogMessage(message);
  } catch (const LogError&) {
    // A log that cannot be written does not stop the game.
  }
}

void TForm1::Log(const char* message) {
  LogSafely(message);
}
void TForm1::Log(const std::string& message) {
  LogSafely(message);
}

void TForm1::LogProcessor() {
  LogSafely("CPU - " + ProcessorVendor() + " " + ProcessorBrand());
}

void TForm1::StartDevice() {
  LogSafely("Initializing Direct3D Device...");
  const int result = PowerGraph1->CreateDevice();
  if (result == 0) LogSafely("...Ok");
  const D3DADAPTER_IDENTIFIER8& id = PowerGraph1->AdapterIdentifier();
  LogSafely(std::string("Device - ") + id.Description + " (" + id.Driver + ")");
}

// A window on the desktop can be resized and maximised; it opens at twice the frame's size where
// the desktop has room for that and more.
void TForm1::SizeWindow(int desktopWidth, int desktopHeight) {
  if (desktopWidth >= LargeDesktopWidth && desktopHeight >= LargeDesktopHeight)
    host_.SetClientSize(2 * FrameWidth, 2 * FrameHeight);
  host_.SetResizable(FrameWidth / 2, FrameHeight / 2);
}

void TForm1::FormCreate() {
  int desktopWidth = 0, desktopHeight = 0;
  host_.GetDesktopSize(desktopWidth, desktopHeight);
  if (values_.FullScreenSetting) {
    // Full screen is a borderless window over the whole desktop; the device shows the 800 x 600
    // frame in it, scaled to fit.
    host_.SetBorderless(true);
    if (desktopWidth > 0 && desktopHeight > 0) {
      host_.SetClientSize(desktopWidth, desktopHeight);
    } else {
      host_.SetClientSize(800, 600);
    }
    PowerGraph1->SetFullScreen(true);
  } else if (desktopWidth != 800 || desktopHeight != 600) {
    SizeWindow(desktopWidth, desktopHeight);
  }
  values_.RandSeed = static_cast<uint32_t>(
      std::chrono::system_clock::now().time_since_epoch().count() & 0xFFFFFFFFu);
  if (desktopWidth == 800 && desktopHeight == 600) host_.SetBorderless(true);
  host_.Show();
  host_.PaintInitializing();
  values_.ScreenState = LogoScreen;
  values_.PlayerName = "Player";
  try {
    StartLog();
  } catch (const LogError&) {
  }
  StartDevice();
  LogProcessor();
  LogSafely("Initializing Font Render Device...");
  LogSafely("Loading textures...");
  try {
    loader_.LoadStartupTextures();
  } catch (const LogError&) {
  }
  LogSafely("Starting Logo");
  PowerTimer1->MayRealTime = true;
  Logo.LogoClock = -20;
  values_.ReturnState = MenuScreen;
  values_.PanelReturnState = MenuScreen;
  ParticleEngine = std::make_unique<TQzParticleEngine>(PowerGraph1.get(), values_);
  // Score texts stay on the board.
  ParticleEngine->TextArea =
      TRect{BoardOriginX, BoardOriginY, BoardOriginX + CellPitch * (BoardWidth - 1) + CellSize,
            BoardOriginY + CellPitch * (BoardHeight - 1) + CellSize};
  boardParticles_ = std::make_unique<TBoardParticles>(
      *ParticleEngine, [this](BallPicture picture) { return Resources.BallImage(picture); });
  Board = std::make_unique<TGameField>(
      TBoardServices{*boardParticles_, boardSounds_, *this, *this, *this}, values_, BoardWidth,
      BoardHeight);
  ParticleEngine->FlyingBallPhase = [this] { return static_cast<double>(Board->FPhase); };
  application_.OnActivate = [this](TObject*) { Shell.Activate(); };
  application_.OnDeactivate = [this](TObject*) { Shell.Deactivate(); };
  application_.OnEndSession = [this](TObject*) { Shell.EndSession(); };
}

bool TForm1::FormCloseQuery() {
  return Shell.FormCloseQuery();
}

void TForm1::FormDestroy() {
  LogSafely("Saving config ...");
  WriteFullscreenSetting(values_.FullScreenSetting);
  FinishEndingGame();
  Shell.SaveConfig();
}

// A game closed while its balls are being cleared away is over: its score goes to the table now,
// under the last name entered, instead of coming back at the next start as a board without a move.
void TForm1::FinishEndingGame() {
  if (!Board || !Board->FGameOver || !Shell.ConfigLoaded()) return;
  Board->FinishGame();
  Board->FGameOver = false;
  if (values_.ScreenState & EnterNameDialog) StoreEntryName(values_);
}

void TForm1::PowerGraph1DeviceLost() {
  PowerGraph1->ResetDevice();
}

// ---- Input ------------------------------------------------------------------------------------

void TForm1::FollowClientSize() {
  int width = 800, height = 600;
  host_.GetClientSize(width, height);
  if (width != clientWidth_ || height != clientHeight_) ClientResized(width, height);
}

void TForm1::FormMouseMove(int x, int y) {
  FollowClientSize();
  Shell.FormMouseMove(x, y);
}

void TForm1::FormMouseDown(int button, int x, int y) {
  FollowClientSize();
  Shell.FormMouseDown(button, x, y);
}

void TForm1::FormMouseUp(int button, int x, int y) {
  FollowClientSize();
  Shell.FormMouseUp(button, x, y);
}

void TForm1::FormKeyDown(int key, ShiftState shift) {
  Shell.FormKeyDown(key, shift);
}

void TForm1::TextInput(std::string_view utf8) {
  ForEachCodePoint(utf8, [this](char32_t codePoint) { FormKeyPress(codePoint); });
}

void TForm1::FormKeyPress(uint32_t codePoint) {
  Shell.FormKeyPress(static_cast<char32_t>(codePoint));
}

void TForm1::ClientResized(int width, int height) {
  if (width <= 0 || height <= 0) return;
  clientWidth_ = width;
  clientHeight_ = height;
  // The frame is shown where the device shows it; the pointer maps back through the same place.
  const TFrameFit fit = FitFrame(FrameWidth, FrameHeight, width, height);
  PointerMapping mapping;
  mapping.OffsetX = fit.Left;
  mapping.OffsetY = fit.Top;
  mapping.Width = fit.Width;
  mapping.Height = fit.Height;
  Shell.Mapping() = mapping;
}

// ---- The board ---------------------------------------------------------------------------------

void TForm1::ClearBoard() {
  Board->ClearBoard();
}
void TForm1::DropBalls(int count, bool randomColours) {
  Board->DropBalls(count, randomColours);
}
void TForm1::SetNextCount(int32_t count) {
  Board->FNextCount = count;
}

void TForm1::SaveBoard(SavedGameRecord& game) {
  game.NextCount = Board->FNextCount;
  game.Preview = Board->FPreview;
  for (int x = 0; x < SavedBoardSize; ++x) {
    for (int y = 0; y < SavedBoardSize; ++y) game.Cells[x][y] = Board->FCells(x, y);
  }
}

void TForm1::RestoreBoard(const SavedGameRecord& game) {
  Board->FNextCount = game.NextCount;
  Board->FPreview = game.Preview;
  for (int x = 0; x < SavedBoardSize; ++x) {
    for (int y = 0; y < SavedBoardSize; ++y) Board->FCells(x, y) = game.Cells[x][y];
  }
}

void TForm1::BoardClick() {
  Board->Click();
}

bool TForm1::BoardHasSelection() {
  return Board->FSelected;
}

void TForm1::ShowKeyCursor(bool shown) {
  Board->SetKeyCursorShown(shown);
}

void TForm1::ShowHint() {
  Board->ShowHint();
}

void TForm1::BoardUndo() {
  Board->RequestUndo();
}

bool TForm1::BoardCanUndo() {
  return Board->CanUndo();
}

void TForm1::BoardFrame(double d) {
  Board->UpdateHover();
  Board->UpdateAndDraw(d);
}

void TForm1::PlaceFinalScore() {
  Shell.GameOver();
}

void TForm1::KeepGame() {
  Shell.KeepConfig();
}

// ---- The button bar ----------------------------------------------------------------------------

void TForm1::SelectModeButton() {
  if (Resources.Buttons) Resources.Buttons->SelectModeButton();
}

void TForm1::SelectButton(int index) {
  if (Resources.Buttons && index < Resources.Buttons->Count())
    (*Resources.Buttons)[index].selected = true;
}

void TForm1::PressButtons() {
  if (Resources.Buttons) Resources.Buttons->PressButtons();
}

void TForm1::ReleaseButtons() {
  if (Resources.Buttons) Resources.Buttons->ReleaseButtons();
}

int TForm1::LastHelpPage() {
  return Resources.Strings ? Resources.Strings->LastHelpPage : 0;
}

int TForm1::VolumeBarWidth() {
  const TAGFImage* bar = Resources.GameImage(GpSoundOptG);
  return bar ? bar->PatternWidth : 0;
}

bool TForm1::MoveFocus(int step, bool wrap) {
  return Resources.Buttons && Resources.Buttons->MoveFocus(step, wrap);
}

bool TForm1::FocusShown() {
  return Resources.Buttons && Resources.Buttons->FocusShown();
}

void TForm1::PressFocused() {
  if (Resources.Buttons) Resources.Buttons->PressFocused();
}

void TForm1::HideFocus() {
  if (Resources.Buttons) Resources.Buttons->HideFocus();
}

void TForm1::AddButtons(TButtons& buttons) {
  for (const ButtonSpec& spec : ButtonTable) {
    const ButtonAction action = spec.Action;
    buttons.AddButton(spec.X, spec.Y, Resources.GameImage(spec.Picture), spec.ScreenMask,
                      [this, action] { Shell.RunButtonAction(action); });
  }
}

// ---- Particles and sound -----------------------------------------------------------------------

void TForm1::ClearAnimations() {
  ParticleEngine->ClearAnimations();
}
void TForm1::UpdateParticles(double d) {
  ParticleEngine->Update(d);
}

void TForm1::ApplyMusicVolume() {
  BASS_ChannelSetAttributes(Resources.MusicStream, 44100, values_.MusicVolume, 0);
}

void TForm1::PlayKeySound() {
  PlayEffect(SampleOf(SoundOf(NamedSound::s_press)), values_.SoundVolume);
}
void TForm1::PauseMusic() {
  BASS_ChannelPause(Resources.MusicStream);
}
void TForm1::ResumeMusic() {
  BASS_ChannelResume(Resources.MusicStream);
}

// ---- Loading and the logo ----------------------------------------------------------------------

void TForm1::LoadAssets() {
  try {
    loader_.LoadAssets();
  } catch (const LogError&) {
  }
  if (Resources.Font) ParticleEngine->Font = Resources.Font.get();
  ParticleEngine->ExplosionImage = Resources.GameImage(GpExplosion);
  boardCanvas_ = std::make_unique<TPowerGraphCanvas>(*PowerGraph1);
  boardPainter_ = std::make_unique<TPowerBoardPainter>(
      *boardCanvas_, Resources.GameImage(GpField),
      [this](BallPicture picture) -> const TAGFImage* { return Resources.BallImage(picture); });
  Board->SetPainter(boardPainter_.get());
}

void TForm1::StepLanguage(int step) {
  const std::vector<TPackLanguage>& languages = Resources.Languages;
  if (languages.size() < 2) return;
  const auto current = std::find_if(
      languages.begin(), languages.end(),
      [this](const TPackLanguage& language) { return language.Code == values_.Language; });
  const auto count = static_cast<std::ptrdiff_t>(languages.size());
  const std::ptrdiff_t at = current == languages.end() ? 0 : current - languages.begin();
  const std::string& next =
      languages[static_cast<std::size_t>(((at + step) % count + count) % count)].Code;
  loader_.SwitchLanguage(next);
  WriteLanguageSetting(next);
}

void TForm1::LoadConfig() {
  Shell.LoadConfig();
}

void TForm1::StepLogo(double d) {
  ::marblix::StepLogo(Logo, d, *this, values_);
}

void TForm1::SkipLogo() {
  ::marblix::SkipLogo(Logo, values_);
}

void TForm1::DrawScene(int /*pattern*/) {
  loader_.DrawLogoScene();
}

void TForm1::DrawFlare(int angle, int scale) {
  PowerGraph1->DrawRotated(Resources.StartupImage(PicFlare), 340, 160, angle, scale, 0, blendAlpha);
}

void TForm1::DrawShine(int pattern) {
  PowerGraph1->DrawImage(Resources.StartupImage(PicLogoShine), 281, 233, pattern, blendAlpha);
}

void TForm1::DrawProgress(int right) {
  PowerGraph1->SetClipRectangle({0, 0, right, 600});
  PowerGraph1->DrawImage(Resources.StartupImage(PicStatusLine), 286, 330, 0, blendAlpha);
  PowerGraph1->SetClipRectangle({0, 0, 800, 600});
}

int TForm1::StatusLineWidth() {
  const TAGFImage* status = Resources.StartupImage(PicStatusLine);
  return status ? status->PatternWidth : 0;
}

// ---- Drawing -----------------------------------------------------------------------------------

bool TForm1::BeginFrame() {
  return PowerGraph1->BeginFrame();
}
void TForm1::DrawLogoBackground() {
  painter_.DrawFourQuarters(Resources.StartupImage(PicBackground));
}
void TForm1::DrawCommonLayer(int logoFrame) {
  painter_.DrawCommonLayer(logoFrame);
}
void TForm1::DrawInstructions() {
  painter_.DrawInstructions();
}
void TForm1::DrawOptions() {
  painter_.DrawOptions();
}
void TForm1::DrawHighScores() {
  painter_.DrawHighScores();
}
void TForm1::DrawStatistics() {
  painter_.DrawStatistics();
}
void TForm1::DrawGameTexts() {
  painter_.DrawGameTexts();
  if (Board->CanUndo()) painter_.DrawUndoMark();
  // The empty board of a finished game speaks of the next one instead.
  if (Board->FNoLineTimer > 0 && !InvitesNewGame(values_)) painter_.DrawNoLine();
}
void TForm1::DrawInvitation(float animClock) {
  painter_.DrawInvitation(animClock);
}
void TForm1::DrawParticles() {
  ParticleEngine->Draw(0);
}
void TForm1::DrawDialog(float animClock, double blinkPhase) {
  painter_.DrawDialog(animClock, blinkPhase);
}

void TForm1::DrawPointer() {
  if (PowerGraph1->FullScreen()) painter_.DrawPointer();
}

void TForm1::EndAndPresentFrame() {
  PowerGraph1->EndFrame();
  PowerGraph1->PresentFrame();
}

// ---- The application ---------------------------------------------------------------------------

int32_t TForm1::Today() {
  // A date set for a test wins over the clock; a clock before the game's first date counts as it.
  std::optional<TCivilDate> date = ParseDate(TodayFromEnvironment());
  if (!date) date = ParseDate(TodayFromClock());
  return DayNumberOf(date.value_or(FirstDate));
}

void TForm1::CopyToClipboard(const std::string& text) {
  host_.SetClipboardText(text);
}

void TForm1::SetFramesRunning(bool running) {
  PowerTimer1->MayRealTime = running;
  PowerTimer1->MayProcess = running;
}

void TForm1::ReleaseDevice() {
  PowerGraph1->ReleaseDevice();
}
void TForm1::Terminate() {
  application_.Terminate();
}

void TForm1::SetCaption(const std::string& caption) {
  host_.SetCaption(caption);
}

void TForm1::ShowSystemPointer(bool shown) {
  host_.SetPointer(shown ? TFormHost::Pointer::Arrow : TFormHost::Pointer::Hidden);
}

void TForm1::TellPlayer(const std::string& message) {
  host_.TellPlayer(message);
}

bool TForm1::SessionEnding() {
  return application_.SessionEndPending();
}

void* TForm1::MainWindowHandle() {
  return host_.WindowHandle();
}

}  // namespace marblix
