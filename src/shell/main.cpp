// The program: read the setting, make the window and the game window, run the message loop.
#include "platform/system/Clock.h"
#include "platform/system/settings_store.h"
#include "platform/video/Forms.h"
#include "platform/video/OpenGLDevice.h"
#include "platform/video/sdl_form_host.h"
#include "shell/defs.h"
#include "shell/form.h"

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
    game.FormKeyDown(key, ShiftState{.Alt = (shift & ssAlt) != 0});
  };
  window.OnKeyPress = [&game](TObject*, uint32_t& character) { game.FormKeyPress(character); };
  window.OnCloseQuery = [&game](TObject*, bool& canClose) { canClose = game.FormCloseQuery(); };
}

int Run() {
  FullScreenSetting = ReadFullscreenSetting();
  if (!InitVideo()) return 1;
  {
    TApplication application;
    TForm window(application);
    TSdlFormHost host(window);
    TSystemClock clock;
    TForm1 game(host, application, clock, OpenGLDirect3DCreate());
    WireEvents(window, game);
    game.FormCreate();
    RunApplication(application, window);
    game.FormDestroy();
  }
  QuitVideo();
  return 0;
}

}  // namespace
}  // namespace marblix

int main(int /*argc*/, char** /*argv*/) {
  return marblix::Run();
}
