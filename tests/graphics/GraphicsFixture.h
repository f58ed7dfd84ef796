// Test helpers: a form stand-in, an open device over the recording back end, pictures in memory.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "graphics/PowerD3D.h"
#include "graphics/TGAReader.h"
#include "support/RecordingDevice.h"

namespace marblix::testing {

class TFakeForm : public TComponentOwner {
 public:
  bool IsForm() const override { return Form; }
  void* WindowHandle() const override { return const_cast<TFakeForm*>(this); }
  bool Form = true;
};

// A picture whose pixel (x, y) is 0xFF000000 | x << 8 | y (blue = y, green = x).
inline TBitmap Gradient(int width, int height) {
  TBitmap picture;
  picture.SetPixelFormat(TPixelFormat::pf32bit);
  picture.SetSize(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      picture.SetPixel(x, y, 0xFF000000u | uint32_t(x & 0xFF) << 8 | uint32_t(y & 0xFF));
  return picture;
}

class RecordingDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Graph = std::make_unique<TPowerGraph>(&Form, RecordingDirect3DCreate(Recording));
    Graph->SetWidth(800);
    Graph->SetHeight(600);
  }
  void Open() { ASSERT_EQ(Graph->CreateDevice(), 0); }
  // An image of patterns of the given size cut from a gradient picture.
  std::unique_ptr<TAGFImage> Image(int pictureW, int pictureH, int patternW, int patternH,
                                   int textureW, int textureH) {
    auto image = std::make_unique<TAGFImage>();
    EXPECT_EQ(
        image->LoadPatternsFromBitmap(Graph->D3DDevice8(), Gradient(pictureW, pictureH), patternW,
                                      patternH, textureW, textureH, D3DFMT_A8R8G8B8),
        0);
    return image;
  }
  std::vector<TVertex> Draws(int index = -1) const {
    auto draws = Recording->Named("DrawPrimitive");
    if (draws.empty()) return {};
    return draws[index < 0 ? draws.size() - 1 : size_t(index)]->Vertices;
  }

  std::shared_ptr<TRecording> Recording = std::make_shared<TRecording>();
  TFakeForm Form;
  std::unique_ptr<TPowerGraph> Graph;
};

}  // namespace marblix::testing
