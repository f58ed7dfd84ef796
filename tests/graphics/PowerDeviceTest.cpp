// The device component: property write rules, every creation code, presentation parameters,
// fixed states, release.
#include "GraphicsFixture.h"

namespace marblix {
namespace {

using testing::RecordingDeviceTest;

class Device : public RecordingDeviceTest {
 protected:
  void AddModes(int format, std::initializer_list<uint32_t> rates) {
    for (uint32_t rate : rates) Recording->Modes.push_back({800, 600, rate, format});
  }
  const D3DPRESENT_PARAMETERS& Parameters() { return Graph->PresentParameters(); }
};

TEST_F(Device, DefaultsAtConstruction) {
  TPowerGraph graph(&Form);
  EXPECT_TRUE(graph.Antialias());
  EXPECT_FALSE(graph.Dithering());
  EXPECT_TRUE(graph.Hardware);
  EXPECT_FALSE(graph.FullScreen());
  EXPECT_EQ(graph.Width(), 640);
  EXPECT_EQ(graph.Height(), 480);
  EXPECT_EQ(graph.BackBufferCount(), 1);
  EXPECT_EQ(graph.BitDepth(), bd_Low);
  EXPECT_EQ(graph.ZBuffer(), zb_None);
  EXPECT_EQ(graph.RefreshRate(), rr_default);
  EXPECT_EQ(graph.CreateDevice(), -2) << "no back end";
  EXPECT_EQ(graph.ReleaseDevice(), -1);
}

TEST_F(Device, SettingsChangeOnlyWhileClosed) {
  Graph->SetRefreshRate(rr_custom);
  Graph->SetCustomRefreshRate(75);
  EXPECT_EQ(Graph->CustomRefreshRate(), 75);
  Graph->SetRefreshRate(rr_lowest);
  EXPECT_EQ(Graph->CustomRefreshRate(), 0);
  Graph->SetCustomRefreshRate(85);
  EXPECT_EQ(Graph->CustomRefreshRate(), 0) << "only under rr_custom";
  Open();
  Graph->SetWidth(1024);
  Graph->SetHeight(768);
  Graph->SetFullScreen(true);
  Graph->SetBitDepth(bd_High);
  Graph->SetRefreshRate(rr_custom);
  Graph->SetVSync(true);
  Graph->SetZBuffer(zb_32bit);
  Graph->SetBackBufferCount(3);
  EXPECT_EQ(Graph->Width(), 800);
  EXPECT_EQ(Graph->Height(), 600);
  EXPECT_FALSE(Graph->FullScreen());
  EXPECT_EQ(Graph->BitDepth(), bd_Low);
  EXPECT_EQ(Graph->RefreshRate(), rr_lowest);
  EXPECT_FALSE(Graph->VSync());
  EXPECT_EQ(Graph->ZBuffer(), zb_None);
  EXPECT_EQ(Graph->BackBufferCount(), 1);
  EXPECT_EQ(Graph->ReleaseDevice(), 0);
  EXPECT_FALSE(Graph->Initialized());
  Graph->SetWidth(1024);
  Open();
  EXPECT_EQ(Parameters().BackBufferWidth, 1024u);
}

TEST_F(Device, FilterAndDitherApplyAtOnceWhileOpen) {
  Open();
  auto image = Image(64, 32, 64, 32, 64, 32);
  Graph->DrawImage(image.get(), 0, 0, 0, blendAlpha);
  Graph->SetAntialias(false);
  EXPECT_EQ(Recording->CountOf("DrawPrimitive"), 1) << "flushed first";
  EXPECT_EQ(Recording->StageStates[D3DTSS_MAGFILTER], D3DTEXF_POINT);
  EXPECT_EQ(Recording->StageStates[D3DTSS_MINFILTER], D3DTEXF_POINT);
  Graph->SetDithering(true);
  EXPECT_EQ(Recording->RenderStates[D3DRS_DITHERENABLE], 1u);
}

TEST_F(Device, WindowedCreationInOrder) {
  Open();
  EXPECT_EQ(
      Recording->Names(),
      (std::vector<std::string>{"Direct3DCreate8", "GetDeviceCaps", "GetAdapterIdentifier",
                                "GetAdapterDisplayMode", "CreateDevice", "CreateVertexBuffer",
                                "CreateVertexBuffer", "SetRenderState", "SetRenderState",
                                "SetTextureStageState", "SetTextureStageState", "SetRenderState"}));
  EXPECT_EQ(Recording->Calls[0].Args[0], 220);
  EXPECT_EQ(Recording->Calls[1].Args[1], D3DDEVTYPE_HAL);
  EXPECT_EQ(Recording->Named("CreateVertexBuffer")[0]->Args,
            (std::vector<int64_t>{140, 0, 324, D3DPOOL_MANAGED}));
  EXPECT_EQ(Recording->Named("CreateVertexBuffer")[1]->Args[0], 7168);
  EXPECT_EQ(Recording->Named("CreateDevice")[0]->Args[2], 0x20);
  EXPECT_EQ(Recording->RenderStates[D3DRS_CULLMODE], D3DCULL_NONE);
  EXPECT_EQ(Recording->RenderStates[D3DRS_LIGHTING], 0u);
  EXPECT_EQ(Recording->StageStates[D3DTSS_MAGFILTER], D3DTEXF_LINEAR);
  EXPECT_EQ(Recording->RenderStates[D3DRS_DITHERENABLE], 0u);
  EXPECT_TRUE(Parameters().Windowed);
  EXPECT_EQ(Parameters().BackBufferCount, 0u);
  EXPECT_EQ(Parameters().BackBufferFormat, D3DFMT_X8R8G8B8) << "the desktop's, whatever BitDepth";
  EXPECT_EQ(Parameters().SwapEffect, D3DSWAPEFFECT_DISCARD);
  EXPECT_EQ(Parameters().FullScreen_PresentationInterval, 0u);
  EXPECT_EQ(Parameters().hDeviceWindow, &Form);
  EXPECT_STREQ(Graph->AdapterIdentifier().Description, "Recording device");
  EXPECT_EQ(Graph->CreateDevice(), -1) << "already open";
  EXPECT_EQ(Recording->CountOf("Direct3DCreate8"), 1);
}

TEST_F(Device, EveryCreationFailureLeavesNothingBehind) {
  const std::vector<std::pair<std::string, int>> failures{
      {"Direct3DCreate8", -2},       {"GetDeviceCaps", -7}, {"GetAdapterIdentifier", -8},
      {"GetAdapterDisplayMode", -4}, {"CreateDevice", -5},  {"CreateVertexBuffer", -6}};
  for (const auto& [call, code] : failures) {
    Recording->Fail(call);
    EXPECT_EQ(Graph->CreateDevice(), code) << call;
    Recording->HealAll();
    EXPECT_FALSE(Graph->Initialized());
    EXPECT_EQ(Recording->DirectObjectsAlive, 0) << call;
    EXPECT_EQ(Recording->DevicesAlive, 0) << call;
    EXPECT_EQ(Recording->BuffersAlive, 0) << call;
  }
  Recording->Fail("CreateVertexBuffer", E_FAIL, 1, 1);
  EXPECT_EQ(Graph->CreateDevice(), -6) << "the large buffer";
  EXPECT_EQ(Recording->BuffersAlive, 0);

  Form.Form = false;
  EXPECT_EQ(Graph->CreateDevice(), -1);
  Form.Form = true;
  Graph->Hardware = false;
  Open();
  EXPECT_EQ(Recording->Named("CreateDevice").back()->Args[1], D3DDEVTYPE_REF);
}

TEST_F(Device, FullScreenModeChoice) {
  AddModes(D3DFMT_X8R8G8B8, {60, 75, 85});
  Recording->Modes.push_back({1024, 768, 100, D3DFMT_X8R8G8B8});
  Graph->SetFullScreen(true);
  Graph->SetBitDepth(bd_High);
  Graph->SetBackBufferCount(2);
  Graph->SetRefreshRate(rr_highest);
  Open();
  EXPECT_FALSE(Parameters().Windowed);
  EXPECT_EQ(Parameters().BackBufferFormat, D3DFMT_X8R8G8B8);
  EXPECT_EQ(Parameters().FullScreen_RefreshRateInHz, 85u);
  EXPECT_EQ(Parameters().BackBufferCount, 2u);
  EXPECT_EQ(Parameters().FullScreen_PresentationInterval, D3DPRESENT_INTERVAL_IMMEDIATE);
  Graph->ReleaseDevice();
  Graph->SetRefreshRate(rr_default);
  Graph->SetVSync(true);
  Open();
  EXPECT_EQ(Parameters().FullScreen_RefreshRateInHz, 0u) << "adapter default";
  EXPECT_EQ(Parameters().FullScreen_PresentationInterval, D3DPRESENT_INTERVAL_ONE);
  Graph->ReleaseDevice();
}

TEST_F(Device, FullScreenDepthFallsBackOnlyWhenEnumerationFails) {
  AddModes(D3DFMT_R5G6B5, {60});
  Graph->SetFullScreen(true);
  Graph->SetBitDepth(bd_High);
  EXPECT_EQ(Graph->CreateDevice(), -3) << "32-bit list read fine but held no mode";
  Recording->Fail("EnumAdapterModes", E_FAIL, 1);
  Open();
  EXPECT_EQ(Parameters().BackBufferFormat, D3DFMT_R5G6B5);
  Graph->ReleaseDevice();
  Recording->Fail("EnumAdapterModes");
  EXPECT_EQ(Graph->CreateDevice(), -3);
  EXPECT_EQ(Recording->DirectObjectsAlive, 0);
}

TEST_F(Device, ResetAndReleaseReportState) {
  EXPECT_FALSE(Graph->ResetDevice());
  Open();
  EXPECT_TRUE(Graph->ResetDevice());
  Recording->Fail("Reset");
  EXPECT_FALSE(Graph->ResetDevice());
  auto image = Image(64, 32, 64, 32, 64, 32);
  Graph->DrawImage(image.get(), 0, 0, 0, blendAlpha);
  Recording->Clear();
  EXPECT_EQ(Graph->ReleaseDevice(), 0);
  EXPECT_EQ(Recording->Names(),
            (std::vector<std::string>{"Lock", "Unlock", "SetStreamSource", "SetVertexShader",
                                      "DrawPrimitive", "SetTexture"}))
      << "flushed, then unbound";
  EXPECT_EQ(Recording->BoundTexture, nullptr);
  EXPECT_EQ(Recording->DevicesAlive, 0);
  EXPECT_EQ(Graph->ReleaseDevice(), -1);
}

}  // namespace
}  // namespace marblix
