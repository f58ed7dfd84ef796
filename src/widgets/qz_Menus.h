// TButtons: the bar of picture buttons with screen masks, hover, press, release actions and
// selection.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "board/BoardServices.h"
#include "shell/defs.h"

namespace marblix {

class TAGFImage;
class TPowerGraph;
class TQzStrings;

// Buttons with fixed roles.
inline constexpr int FirstModeButton = 1;  // 1..3: Kids, Normal, Professional
inline constexpr int YesButton = 14;
inline constexpr int NoButton = 15;
inline constexpr int PreviousPageButton = 16;
inline constexpr int NextPageButton = 17;
inline constexpr int DailyButton = 22;  // selected instead of a mode button during the daily game

// No button has the keyboard focus.
inline constexpr int NoFocus = -1;

// Patterns of a button picture.
inline constexpr int ButtonNormalPattern = 0;
inline constexpr int ButtonHighlightPattern = 1;
inline constexpr int ButtonPressedPattern = 2;

struct TButtonItem {
  int x = 0;
  int y = 0;
  TAGFImage* image = nullptr;  // not owned; its pattern size is the button's size
  std::function<void()> action;
  bool pressed = false;
  bool selected = false;
  uint32_t ScreenMask = 0;  // live while ScreenMask AND ScreenState is not 0
};

class TButtons final : public IModeButtons {
 public:
  // The buttons read the screen word, the pointer, the help page, the mode and the sound volume
  // from the shell values, which outlive them.
  TButtons(TPowerGraph* device, const TShellValues& values);

  void AddButton(int x, int y, TAGFImage* image, uint32_t screenMask, std::function<void()> action);
  // Every live button not hidden by the page rule, normal, highlighted or pressed.
  void DrawButtons();
  // One button, highlighted and sounding even while a dialog is open (the dialog's yes and no).
  void DrawButton(int index);
  // Presses every live button under the pointer that may be pressed now.
  void PressButtons();
  // Ends a press: runs the action of every live, unselected button under the pointer.
  void ReleaseButtons();
  // Selects the button of the current GameMode (of the daily challenge during one) and no other.
  void SelectModeButton() override;

  // ---- Keyboard focus: over the buttons that can be pressed now, in the order they were added.
  // Whether the button can be pressed now: live, not hidden by the page rule, not selected, and
  // while a dialog is open one of the dialog's own.
  bool Pressable(int index) const;
  // Moves the focus by step (1 next, -1 previous); from no focus forward to the first button of the
  // panel or dialog shown (the first of all where the screen has none of its own), back to the
  // last.
  // Past either end it wraps round, or with `wrap` false leaves the buttons (no focus). Returns
  // whether a button has the focus.
  bool MoveFocus(int step, bool wrap);
  // Presses the focused button as a click does: its sound, then its action. False when none.
  bool PressFocused();
  void HideFocus() { Focused = NoFocus; }
  bool FocusShown() const { return Focused != NoFocus; }
  int Focused = NoFocus;

  int Count() const { return static_cast<int>(Items.size()); }
  TButtonItem& operator[](int index) { return Items.at(static_cast<size_t>(index)); }
  const TButtonItem& operator[](int index) const { return Items.at(static_cast<size_t>(index)); }

  // Whether the pointer (MouseX, MouseY) lies strictly inside the button.
  bool PointerInside(const TButtonItem& item) const;

  // A press began on a button and its release is awaited.
  bool PressActive = false;
  // The button whose hover sound played last.
  int LastHovered = 0;
  // The button pressed last, or -1.
  int PressedItem = -1;
  // The string table, for the last instructions page of the page rule (none: page 0).
  const TQzStrings* Strings = nullptr;

 private:
  bool IsLive(const TButtonItem& item) const;
  // A focused button that cannot be pressed any more (the screen changed under it) hands the focus
  // to the first button of the panel or dialog shown, on the game screen back to the board.
  void KeepFocusPressable();
  void DrawFocusFrame(const TButtonItem& item);
  // The first pressable button that belongs to the screen shown rather than to every screen.
  int FirstOwnButton() const;
  bool HiddenByPageRule(int index) const;
  void DrawItem(int index, bool dialogTest);

  bool DialogIsOpen() const { return (Values.ScreenState & DialogOpen) != 0; }

  TPowerGraph* Device;
  const TShellValues& Values;
  std::vector<TButtonItem> Items;
};

}  // namespace marblix
