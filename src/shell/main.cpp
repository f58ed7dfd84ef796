// The program: find its files, make sure it is the only game using them, read the setting, choose
// the back ends (SDL2_mixer for sound, an SDL window and the OpenGL device for pictures), make the
// shell values, the window, its two components and the game window, pace the frames and run the
// message loop until the player or the session ends it; without a usable OpenGL it says so and
// ends.
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>

#include "assets/qz_logs.h"
#include "platform/audio/MixerAudio.h"
#include "platform/system/Clock.h"
#include "platform/system/file_io.h"
#include "platform/system/file_places.h"
#include "platform/system/instance_lock.h"
#include "platform/system/language_choice.h"
#include "platform/system/player_messages.h"
#include "platform/system/session_signals.h"
#include "platform/system/settings_store.h"
#include "platform/video/Forms.h"
#include "platform/video/OpenGLDevice.h"
#include "platform/video/desktop.h"
#include "platform/video/sdl_form_host.h"
#include "shell/defs.h"
#include "shell/form.h"
#include "shell/frame_rate.h"
#include "sound/Bass.h"

namespace marblix {
namespace {

void WireEvents(TForm& window, TForm1& game) {
  window.OnMouseMove = [&game](TObject*, TShiftState, int x, int y) { game.FormMouseMove(x, y); };
  window.OnMouseDown = [&game](TObject*, TMouseButton button, TShiftState, int x, int y) {
    game.FormMouseDown(button, x, y);
  };
  window.OnMouseUp = [&game](TObject*, TMouseButton button, TShiftState, int x, int y) {
    game.FormMouseUp(button, x, y);
  };
  window.OnKeyDown = [&game](TObject*, uint16_t& key, TShiftState shift) {
    game.FormKeyDown(key, ShiftState{.Alt = (shift & ssAlt) != 0,
                                     .Ctrl = (shift & ssCtrl) != 0,
                                     .Shift = (shift & ssShift) != 0});
  };
  window.OnKeyPress = [&game](TObject*, uint32_t& character) { game.FormKeyPress(character); };
  window.OnCloseQuery = [&game](TObject*, bool& canClose) { canClose = game.FormCloseQuery(); };
}

// Outside a folder that holds the pack, the installed pack is read and the player's files live in
// the user's data folder. Problems are told in `language`.
FilePlaces EnterPlaces(const std::string& language) {
  std::error_code ignored;
  FilePlaces places =
      LocateFilePlaces(std::filesystem::current_path(ignored), MARBLIX_PACK_FROM_BIN);
  std::string error;
  if (!EnterFilePlaces(places, error, language)) ShowProblem(error);
  if (!places.UserFolder.empty() && places.PackFolder.empty()) {
    ShowProblem(PlayerMessage("NoPack", language, {PathText(places.Searched.front())}));
  }
  SetLogFolder(places.UserFolder);
  return places;
}

// Where the player's language may come from: MARBLIX_LANGUAGE, the saved choice, the system's.
LanguageSources WantedLanguages() {
  const char* asked = std::getenv("MARBLIX_LANGUAGE");
  return {asked != nullptr ? asked : "", ReadLanguageSetting(), SystemLanguages()};
}

// Frames at most at the display's refresh rate (MARBLIX_MAX_FPS sets another cap; 0 none).
void PaceFrames(const TForm& window, TForm1& game) {
  const int refresh = window.RefreshRate();
  const int cap = FrameRateCap(refresh, std::getenv("MARBLIX_MAX_FPS"));
  SyncPresentsToDisplay(SyncsToDisplay(refresh, cap));
  game.PowerTimer1->SetFrameRateCap(cap);
}

// A second start whose request does not reach the game holding the folder's lock: that game ended
// just then, or is no game of this computer's (the folder is shared with another computer).
std::string UnreachableGameMessage(const TInstanceLock& lock, const std::string& language) {
  std::error_code ignored;
  const std::string file = PathText(std::filesystem::absolute(lock.File(), ignored));
  if (lock.Holder() == 0) return PlayerMessage("UnreachableGameNoHolder", language, {file});
  return PlayerMessage("UnreachableGame", language, {std::to_string(lock.Holder()), file});
}

// Runs the game until the player or the session ends it, then writes everything. On Windows the
// session's end may come as a window message that must not be answered before everything is
// written: then it is written there, and only once.
void PlayUntilTheEnd(TApplication& application, TForm& window, TForm1& game) {
  PaceFrames(window, game);
  bool ended = false;
  auto end = [&] {
    if (std::exchange(ended, true)) return;
    game.FormDestroy();
  };
  {
    const auto sessionWatch = EndWithSession(window, [&] {
      RequestSessionEnd();
      EndSessionNow(application);
      end();
    });
    RunApplication(application, window);
  }
  end();
}

int Run() {
  InstallSessionSignalHandlers();
  WatchFrontRequests();
  // Before the pack is found, problems are told in the player's language where the program has
  // its lines; then the game speaks the player's language where the pack has it.
  const LanguageSources wanted = WantedLanguages();
  const std::string messageLanguage = ChooseLanguage(wanted, HasPlayerMessages);
  const FilePlaces places = EnterPlaces(messageLanguage);
  // One game per data folder: a second start brings the first to the front and leaves its files
  // alone; one that cannot reach the first says so.
  const TInstanceLock lock(places.UserFolder);
  if (lock.Status() == TInstanceLock::State::HeldElsewhere) {
    if (lock.AskHolderToFront()) return 0;
    ShowStartFailure(UnreachableGameMessage(lock, messageLanguage));
    return 1;
  }
  TShellValues values;
  values.FullScreenSetting = ReadFullscreenSetting();
  values.Language = ChooseLanguage(wanted, PackHasLanguage);
  if (!InitVideo(values.Language)) return 1;
  InstallAudioLibrary(std::make_unique<TMixerAudio>());
  int status = 0;
  {
    TApplication application;
    application.SessionEnding = SessionEndRequested;
    application.FrontRequested = TakeFrontRequest;
    TForm window(application);
    TSdlFormHost host(window);
    TSystemClock clock;
    TForm1 game(host, application, std::make_unique<TPowerGraph>(&host, OpenGLDirect3DCreate()),
                std::make_unique<TPowerTimer>(&host, &application, clock), values);
    game.Shell.SetConfigFolder(places.UserFolder);
    WireEvents(window, game);
    game.FormCreate();
    if (!game.PowerGraph1->Initialized()) {
      // The game draws through OpenGL 3.3; a computer without a graphics driver of its maker
      // offers less (Windows' own basic driver only OpenGL 1.1).
      game.Log(PlayerMessage("NoOpenGL", EnglishLanguage, {SDL_GetError()}));
      ShowStartFailure(PlayerMessage("NoOpenGL", values.Language, {SDL_GetError()}));
      status = 1;
    } else {
      PlayUntilTheEnd(application, window, game);
    }
  }
  QuitVideo();
  SessionEndDone();
  return status;
}
}  // namespace
}  // namespace marblix

int main(int /*argc*/, char** /*argv*/) {
  return marblix::Run();
}
