// Shared types of the graphics layer: components and events, the application object, enumerations,
// blend-effect codes, rectangles.
#pragma once

#include <cstdint>
#include <functional>

namespace marblix {

class TObject {
 public:
  virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;
using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;

// What a component sits on. A form gives the native window its device draws into.
class TComponentOwner {
 public:
  virtual ~TComponentOwner() = default;
  virtual bool IsForm() const = 0;
  virtual void* WindowHandle() const = 0;
};

class TComponent : public TObject {
 public:
  explicit TComponent(TComponentOwner* owner) : FOwner(owner) {}
  TComponentOwner* Owner() const { return FOwner; }

 private:
  TComponentOwner* FOwner;
};

// The application object: its idle event is called whenever the message queue is empty (and again
// at once while the handler sets Done to false); activate and deactivate follow the foreground.
// The desktop session can ask the program to end (logout, shutdown, a signal): SessionEnding tells
// whether it has, and the message loop then calls OnEndSession once and terminates.
class TApplication : public TObject {
 public:
  TIdleEvent OnIdle;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnEndSession;
  std::function<bool()> SessionEnding;
  // True once for each time another start asked this game to come to the front.
  std::function<bool()> FrontRequested;

  bool SessionEndPending() const { return SessionEnding && SessionEnding(); }

  void Terminate() { FTerminated = true; }
  bool Terminated() const { return FTerminated; }

 private:
  bool FTerminated = false;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
};

enum TBitDepth { bd_Low = 0, bd_High = 1 };
enum TZBuffer { zb_None = 0, zb_16bit = 1, zb_32bit = 2 };
enum TRefreshRate {
  rr_default = 0,
  rr_lowest = 1,
  rr_average = 2,
  rr_higher = 3,
  rr_highest = 4,
  rr_custom = 5
};

// Effect codes: the low byte picks the blend, the flag bits modify the draw.
inline constexpr int blendOpaque = 0;
inline constexpr int blendAdd = 1;
inline constexpr int blendAlpha = 2;
inline constexpr int blendAlphaAdd = 3;
inline constexpr int blendMultiply = 4;
inline constexpr int blendSrcColor = 5;
inline constexpr int blendSrcColorAdd = 6;
inline constexpr int blendInvMultiply = 7;
inline constexpr int blendShadow = 8;
inline constexpr int blendAlpha2 = 9;
inline constexpr int blendDiffuseAlpha = 0x100;
inline constexpr int blendMirror = 0x200;
inline constexpr int blendFlip = 0x400;

// 0xAABBGGRR as the game writes colours <-> 0xAARRGGBB as the device takes them.
constexpr uint32_t SwapRedBlue(uint32_t color) {
  return (color & 0xFF00FF00u) | (color & 0xFFu) << 16 | ((color >> 16) & 0xFFu);
}

}  // namespace marblix
