// The button bar: liveness by screen mask, the strict inside test, the page and dialog rules, hover
// and click sounds.
#include "widgets/qz_Menus.h"

#include "graphics/AGFUnit.h"
#include "graphics/PowerD3D.h"
#include "sound/sounds.h"
#include "text/qz_strings.h"

namespace marblix {

namespace {
constexpr int ButtonEffect = 2;                     // blendAlpha
constexpr uint32_t FocusFrameColour = 0xFF40D0FFu;  // gold (alpha, blue, green, red)
constexpr int FocusFrameGap = 2;
constexpr int FocusFrameThickness = 2;
constexpr uint32_t EveryScreenMask = 0xFFFFFFFFu;
}  // namespace

TButtons::TButtons(TPowerGraph* device, const TShellValues& values)
    : Device(device), Values(values) {}

void TButtons::AddButton(int x, int y, TAGFImage* image, uint32_t screenMask,
                         std::function<void()> action) {
  TButtonItem item;
  item.x = x;
  item.y = y;
  item.image = image;
  item.ScreenMask = screenMask;
  item.action = std::move(action);
  Items.push_back(std::move(item));
}

bool TButtons::IsLive(const TButtonItem& item) const {
  return (item.ScreenMask & Values.ScreenState) != 0;
}

bool TButtons::PointerInside(const TButtonItem& item) const {
  if (item.image == nullptr) return false;
  const int w = item.image->PatternWidth;
  const int h = item.image->PatternHeight;
  return item.x < Values.MouseX && Values.MouseX < item.x + w && item.y < Values.MouseY &&
         Values.MouseY < item.y + h;
}

bool TButtons::HiddenByPageRule(int index) const {
  const uint8_t lastPage = Strings != nullptr ? Strings->LastHelpPage : 0;
  return (index == PreviousPageButton && Values.HelpPage == 0) ||
         (index == NextPageButton && Values.HelpPage == lastPage);
}

void TButtons::DrawItem(int index, bool dialogTest) {
  const TButtonItem& item = Items[static_cast<size_t>(index)];
  const bool focused = index == Focused;
  int pattern = ButtonHighlightPattern;
  if (item.pressed || item.selected) {
    pattern = ButtonPressedPattern;
  } else if (!focused && ((dialogTest && DialogIsOpen()) || !PointerInside(item))) {
    pattern = ButtonNormalPattern;
  }
  if (Device != nullptr) Device->DrawImage(item.image, item.x, item.y, pattern, ButtonEffect);
  if (focused) DrawFocusFrame(item);
  if (pattern != ButtonHighlightPattern) return;
  if (index != LastHovered) PlayEffect(GameSounds[NamedSound::s_hover], Values.SoundVolume);
  LastHovered = index;
}

void TButtons::DrawFocusFrame(const TButtonItem& item) {
  if (Device == nullptr || item.image == nullptr) return;
  const int left = item.x - FocusFrameGap, top = item.y - FocusFrameGap;
  const int right = item.x + item.image->PatternWidth + FocusFrameGap;
  const int bottom = item.y + item.image->PatternHeight + FocusFrameGap;
  const int t = FocusFrameThickness;
  const auto fill = [this](int l, int tp, int r, int b) {
    Device->DrawQuadColor(nullptr, l, tp, r, tp, r, b, l, b, FocusFrameColour, 0, ButtonEffect);
  };
  fill(left, top, right, top + t);
  fill(left, bottom - t, right, bottom);
  fill(left, top + t, left + t, bottom - t);
  fill(right - t, top + t, right, bottom - t);
}

void TButtons::DrawButtons() {
  KeepFocusPressable();
  for (int index = 0; index < Count(); ++index) {
    if (IsLive(Items[static_cast<size_t>(index)]) && !HiddenByPageRule(index)) {
      DrawItem(index, true);
    }
  }
}

void TButtons::DrawButton(int index) {
  KeepFocusPressable();
  if (index < 0 || index >= Count() || !IsLive(Items[static_cast<size_t>(index)])) return;
  DrawItem(index, false);
}

bool TButtons::Pressable(int index) const {
  if (index < 0 || index >= Count()) return false;
  const TButtonItem& item = Items[static_cast<size_t>(index)];
  const bool dialogAllows = !DialogIsOpen() || item.ScreenMask == DialogOpen;
  return IsLive(item) && dialogAllows && !HiddenByPageRule(index) && !item.selected;
}

int TButtons::FirstOwnButton() const {
  for (int index = 0; index < Count(); ++index) {
    if (Pressable(index) && Items[static_cast<size_t>(index)].ScreenMask != EveryScreenMask)
      return index;
  }
  return NoFocus;
}

bool TButtons::MoveFocus(int step, bool wrap) {
  if (Focused == NoFocus && step > 0 && FirstOwnButton() != NoFocus) {
    Focused = FirstOwnButton();
    return true;
  }
  const int count = Count();
  int index = Focused;
  for (int tried = 0; tried < count; ++tried) {
    if (index == NoFocus) {
      index = step > 0 ? 0 : count - 1;
    } else {
      index += step;
      if (index < 0 || index >= count) {
        if (!wrap) break;
        index = (index + count) % count;
      }
    }
    if (Pressable(index)) {
      Focused = index;
      return true;
    }
  }
  Focused = NoFocus;
  return false;
}

bool TButtons::PressFocused() {
  if (!Pressable(Focused)) return false;
  PlayEffect(GameSounds[NamedSound::s_click], Values.SoundVolume);
  const std::function<void()> action = Items[static_cast<size_t>(Focused)].action;
  if (action) action();
  return true;
}

void TButtons::KeepFocusPressable() {
  if (Focused == NoFocus || Pressable(Focused)) return;
  Focused = NoFocus;
  const bool onBoard = (Values.ScreenState & GameScreen) != 0 && !DialogIsOpen();
  if (!onBoard) MoveFocus(1, true);
}

void TButtons::PressButtons() {
  for (int index = 0; index < Count(); ++index) {
    TButtonItem& item = Items[static_cast<size_t>(index)];
    if (!IsLive(item) || !PointerInside(item) || !Pressable(index)) continue;
    item.pressed = true;
    PressedItem = index;
    PressActive = true;
    PlayEffect(GameSounds[NamedSound::s_click], Values.SoundVolume);
  }
}

void TButtons::ReleaseButtons() {
  if (!PressActive) return;
  PressActive = false;
  if (PressedItem >= 0 && PressedItem < Count())
    Items[static_cast<size_t>(PressedItem)].pressed = false;
  // Liveness is tested as the loop reaches each button: an action may change the screen.
  for (int index = 0; index < Count(); ++index) {
    const TButtonItem& item = Items[static_cast<size_t>(index)];
    if (!IsLive(item) || !PointerInside(item) || item.selected || !item.action) continue;
    const std::function<void()> action = item.action;
    action();
  }
}

void TButtons::SelectModeButton() {
  for (TButtonItem& item : Items) item.selected = false;
  const int mode = Values.DailyDay != 0 ? DailyButton : FirstModeButton + Values.GameMode;
  if (mode < Count()) Items[static_cast<size_t>(mode)].selected = true;
}

}  // namespace marblix
