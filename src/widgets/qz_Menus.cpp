// The button bar: liveness by screen mask, the strict inside test, the page and dialog rules, hover
// and click sounds.
#include "widgets/qz_Menus.h"

#include "graphics/AGFUnit.h"
#include "graphics/PowerD3D.h"
#include "sound/sounds.h"
#include "text/qz_strings.h"

namespace marblix {

namespace {
constexpr int ButtonEffect = 2;  // blendAlpha
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
  int pattern = ButtonHighlightPattern;
  if (item.pressed || item.selected) {
    pattern = ButtonPressedPattern;
  } else if ((dialogTest && DialogIsOpen()) || !PointerInside(item)) {
    pattern = ButtonNormalPattern;
  }
  if (Device != nullptr) Device->DrawImage(item.image, item.x, item.y, pattern, ButtonEffect);
  if (pattern != ButtonHighlightPattern) return;
  if (index != LastHovered) PlayEffect(GameSounds[NamedSound::s_hover], Values.SoundVolume);
  LastHovered = index;
}

void TButtons::DrawButtons() {
  for (int index = 0; index < Count(); ++index) {
    if (IsLive(Items[static_cast<size_t>(index)]) && !HiddenByPageRule(index)) {
      DrawItem(index, true);
    }
  }
}

void TButtons::DrawButton(int index) {
  if (index < 0 || index >= Count() || !IsLive(Items[static_cast<size_t>(index)])) return;
  DrawItem(index, false);
}

void TButtons::PressButtons() {
  for (int index = 0; index < Count(); ++index) {
    TButtonItem& item = Items[static_cast<size_t>(index)];
    const bool pressable = !DialogIsOpen() || item.ScreenMask == DialogOpen;
    if (!IsLive(item) || !PointerInside(item) || !pressable || HiddenByPageRule(index) ||
        item.selected) {
      continue;
    }
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
