// The window host under the offscreen driver: window properties, events in the handlers' shapes,
// close requests, activation, and the message loop's idle calls.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/video/Forms.h"
#include "support/Environment.h"

namespace marblix {
namespace {

class Window : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    testing::UseHeadlessVideo();
    ASSERT_TRUE(InitVideo());
  }
  // Video stays up until the process ends, so the driver it loaded stays mapped for the leak check.
  void SetUp() override {
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    Form.SetCaption("Marblix (loading...)");
    ASSERT_TRUE(Form.Show());
  }
  SDL_Event WindowEvent(uint8_t kind) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = kind;
    e.window.windowID = Form.WindowID();
    return e;
  }

  TApplication Application;
  TForm Form{Application};
};

TEST_F(Window, ClientAreaCaptionBorderAndPointer) {
  EXPECT_EQ(Form.ClientSize().Width, 800);
  EXPECT_EQ(Form.ClientSize().Height, 600);
  EXPECT_STREQ(SDL_GetWindowTitle(static_cast<SDL_Window*>(Form.WindowHandle())),
               "Marblix (loading...)");
  auto* window = static_cast<SDL_Window*>(Form.WindowHandle());
  EXPECT_TRUE(SDL_GetWindowFlags(window) & SDL_WINDOW_OPENGL);
  EXPECT_FALSE(SDL_GetWindowFlags(window) & SDL_WINDOW_RESIZABLE);
  Form.SetBorderless(true);
  EXPECT_TRUE(Form.Borderless());
  Form.SetCursor(crNone);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
  Form.SetCursor(crDefault);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
  EXPECT_GT(TForm::DesktopSize().Width, 0);
  EXPECT_TRUE(Form.IsForm());
}

TEST_F(Window, PointerAndKeyEventsReachTheHandlers) {
  std::vector<std::string> seen;
  Form.OnMouseMove = [&](TObject*, TShiftState, int x, int y) {
    seen.push_back("move " + std::to_string(x) + "," + std::to_string(y));
  };
  Form.OnMouseDown = [&](TObject*, TMouseButton b, TShiftState, int x, int y) {
    seen.push_back("down " + std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y));
  };
  Form.OnMouseUp = [&](TObject*, TMouseButton b, TShiftState, int, int) {
    seen.push_back("up " + std::to_string(b));
  };
  Form.OnKeyDown = [&](TObject*, uint16_t& key, TShiftState shift) {
    seen.push_back("key " + std::to_string(key) + " " + std::to_string(shift));
  };
  Form.OnKeyPress = [&](TObject*, uint32_t& c) { seen.push_back("char " + std::to_string(c)); };

  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.x = 12;
  e.motion.y = 34;
  EXPECT_TRUE(Form.Dispatch(e));
  e = {};
  e.type = SDL_MOUSEBUTTONDOWN;
  e.button.button = SDL_BUTTON_RIGHT;
  e.button.x = 5;
  e.button.y = 6;
  Form.Dispatch(e);
  e.type = SDL_MOUSEBUTTONUP;
  e.button.button = SDL_BUTTON_MIDDLE;
  Form.Dispatch(e);
  e = {};
  e.type = SDL_KEYDOWN;
  e.key.keysym.sym = SDLK_RETURN;
  e.key.keysym.mod = KMOD_LALT;
  Form.Dispatch(e);
  e.key.keysym.sym = SDLK_q;
  e.key.keysym.mod = KMOD_NONE;
  Form.Dispatch(e);
  e = {};
  e.type = SDL_TEXTINPUT;
  std::strcpy(e.text.text, "a\xC3\xA9");
  Form.Dispatch(e);
  EXPECT_EQ(seen, (std::vector<std::string>{"move 12,34", "down 1 5,6", "up 2", "key 13 2",
                                            "char 13", "key 81 0", "char 97", "char 233"}));
  EXPECT_EQ(VirtualKeyOf(SDLK_BACKSPACE), 8);
  EXPECT_EQ(VirtualKeyOf(SDLK_ESCAPE), 27);
  EXPECT_EQ(VirtualKeyOf(SDLK_7), '7');
  EXPECT_EQ(VirtualKeyOf(SDLK_F1), 112);
  EXPECT_EQ(ShiftOf(KMOD_RSHIFT | KMOD_LCTRL), ssShift | ssCtrl);
}

TEST_F(Window, CloseRequestsAskTheForm) {
  int asked = 0;
  bool allow = false;
  Form.OnCloseQuery = [&](TObject* sender, bool& canClose) {
    EXPECT_EQ(sender, &Form);
    ++asked;
    canClose = allow;
  };
  Form.Dispatch(WindowEvent(SDL_WINDOWEVENT_CLOSE));
  EXPECT_FALSE(Application.Terminated()) << "refused";
  allow = true;
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  Form.Dispatch(quit);
  EXPECT_TRUE(Application.Terminated());
  EXPECT_EQ(asked, 2);
}

TEST_F(Window, FocusActivatesAndDeactivatesTheApplication) {
  std::vector<bool> active;
  Application.OnActivate = [&](TObject*) { active.push_back(true); };
  Application.OnDeactivate = [&](TObject*) { active.push_back(false); };
  Form.Dispatch(WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST));
  Form.Dispatch(WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED));
  EXPECT_EQ(active, (std::vector<bool>{false, true}));
}

TEST_F(Window, IdleRunsWhileNotDoneAndEventsStillArrive) {
  int idle = 0, keys = 0;
  Form.OnKeyDown = [&](TObject*, uint16_t&, TShiftState) { ++keys; };
  Application.OnIdle = [&](TObject*, bool& done) {
    ++idle;
    done = false;
    if (idle == 5) {
      SDL_Event e{};
      e.type = SDL_KEYDOWN;
      e.key.keysym.sym = SDLK_a;
      SDL_PushEvent(&e);
    }
    if (idle == 10) Application.Terminate();
  };
  RunApplication(Application, Form);
  EXPECT_EQ(idle, 10);
  EXPECT_EQ(keys, 1);
}

TEST_F(Window, DoneIdleWaitsForTheNextEvent) {
  int idle = 0;
  Form.OnCloseQuery = [](TObject*, bool& canClose) { canClose = true; };
  Application.OnIdle = [&](TObject*, bool& done) {
    ++idle;
    done = true;
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
  };
  RunApplication(Application, Form);
  EXPECT_EQ(idle, 1) << "waited, then the quit closed the form";
  EXPECT_TRUE(Application.Terminated());
}

}  // namespace
}  // namespace marblix
