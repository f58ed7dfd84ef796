// Fuzz target: the font metrics file, then glyphs cut to its cell size and every code drawn.
#include <cstdlib>
#include <memory>

#include "FuzzScratch.h"
#include "graphics/PowerD3D.h"
#include "graphics/TGAReader.h"
#include "support/RecordingDevice.h"
#include "text/qz_text.h"

namespace {

class FuzzForm final : public marblix::TComponentOwner {
 public:
  bool IsForm() const override { return true; }
  void* WindowHandle() const override { return const_cast<FuzzForm*>(this); }
};

struct Device {
  std::shared_ptr<marblix::TRecording> Recording = std::make_shared<marblix::TRecording>();
  FuzzForm Form;
  marblix::TPowerGraph Graph{&Form, marblix::RecordingDirect3DCreate(Recording)};
  std::string Sheet;
};

Device& TheDevice() {
  static Device* device = [] {
    auto* made = new Device;  // lives for the whole run, like the game's device
    made->Graph.SetWidth(800);
    made->Graph.SetHeight(600);
    if (made->Graph.CreateDevice() != 0) std::abort();
    marblix::TBitmapEx sheet;
    sheet.SetPixelFormat(marblix::TPixelFormat::pf32bit);
    sheet.SetSize(128, 128);
    made->Sheet = (marblix::fuzz::ScratchFolder() / "glyphs.tga").string();
    sheet.SaveToFile(made->Sheet);
    return made;
  }();
  return *device;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Device& device = TheDevice();
  device.Recording->Clear();
  const std::string path = marblix::fuzz::WriteInput("font.rls", data, size);
  marblix::TQzFont font(&device.Graph);
  if (!font.LoadMetrics(path, [](const std::string&) {})) {
    if (size >= marblix::FontMetricsSize) std::abort();  // a whole metrics file always loads
    return 0;
  }
  font.LoadGlyphs(device.Sheet, [](const std::string&) {});
  std::string every(255, ' ');
  for (int code = 1; code < 256; ++code) every[size_t(code - 1)] = static_cast<char>(code);
  device.Graph.BeginFrame();
  font.DrawLeft(every, 0, 0, 0xFFFFFFFFu);
  font.DrawCenteredScaled(every, 400, 300, 250, 0xFFFFFFFFu);
  font.DrawNumberRight(-2147483647, 790, 10, 0xFFFFFFFFu);
  font.DrawLinesCentered({every, "", every}, 400, 500, 255, 0xFFFFFFFFu);
  device.Graph.EndFrame();
  return 0;
}
