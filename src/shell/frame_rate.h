// How many frames a second the game presents: the display's refresh rate unless MARBLIX_MAX_FPS
// says otherwise.
#pragma once

namespace marblix {

inline constexpr int UnknownRefreshFrameRate = 60;

// The cap for a display refresh rate (0 when unknown) and the value of MARBLIX_MAX_FPS (null when
// unset): unset, empty or not a number → the refresh rate, else 60; "0" → no cap (0); a positive
// number → that many frames a second.
int FrameRateCap(int refreshRate, const char* maxFps);

// True when presents should wait for the display's refresh: the cap is the known refresh rate.
bool SyncsToDisplay(int refreshRate, int cap);

}  // namespace marblix
