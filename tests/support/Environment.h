// The test programs' environment: setting a variable, and the video driver that needs no screen.
#pragma once

namespace marblix::testing {

// Sets (or, with `replace` false, keeps) an environment variable of this process.
void SetEnvironment(const char* name, const char* value, bool replace = true);

// Before SDL's video starts: the driver that draws with OpenGL and shows nothing (SDL's offscreen
// driver over EGL on Linux; Windows has no such driver, so its tests run under a virtual screen).
void UseHeadlessVideo();

}  // namespace marblix::testing
