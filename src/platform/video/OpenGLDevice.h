// The render device over OpenGL through SDL2 and libepoxy: a Direct3D object whose device draws
// into an off-screen back buffer and presents it, scaled, to the window.
#pragma once

#include "graphics/DirectXGraphics.h"
#include "graphics/TGAReader.h"

namespace marblix {

// How the OpenGL back end draws.
struct TGLOptions {
  // Each frame is compared with the frame shown before: one that changes nothing is neither drawn
  // nor shown, one that changes a little is drawn only there. Off: every frame is drawn whole.
  bool TrackDamage = true;
  // Without damage tracking, frames are drawn straight into a window that shows them one to one
  // (the fastest way); off, they are drawn into the offscreen buffer, as with damage tracking. A
  // software renderer rounds a few blended pixels of turned pictures differently in the two.
  bool DirectToWindow = true;
  // 16-bit textures for 16-bit pictures where the driver has them (OpenGL 4.1 or
  // ARB_ES2_compatibility). Off, or without them: 8-bit RGB textures, the same on screen.
  bool Rgb565Textures = true;
};

// The back end for TPowerGraph: makes OpenGL Direct3D objects (SDL's video must be initialised).
TDirect3DCreate OpenGLDirect3DCreate(TGLOptions options = {});

// Copies the device's back buffer, top row first, into a 32-bit picture (alpha 0xFF).
// False when the device is not an OpenGL device.
bool ReadBackBuffer(IDirect3DDevice8* device, TBitmap& picture);

// Makes presents of the current OpenGL context wait for the display's refresh (swap interval 1) or
// not (0). False when the driver refuses.
bool SyncPresentsToDisplay(bool sync);

}  // namespace marblix
