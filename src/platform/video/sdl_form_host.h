// The game window's host on the platform's window (TForm over SDL and OpenGL).
#pragma once

#include "platform/video/Forms.h"
#include "shell/form_host.h"

namespace marblix {

class TSdlFormHost final : public TFormHost {
 public:
  explicit TSdlFormHost(TForm& form) : form_(form) {}

  void* WindowHandle() const override { return form_.WindowHandle(); }
  void SetCaption(const std::string& caption) override { form_.SetCaption(caption); }
  void SetBorderless(bool borderless) override { form_.SetBorderless(borderless); }
  void SetClientSize(int width, int height) override { form_.SetClientSize(width, height); }
  void GetClientSize(int& width, int& height) const override;
  void SetResizable(int minWidth, int minHeight) override {
    form_.SetResizable(minWidth, minHeight);
  }
  void GetDesktopSize(int& width, int& height) const override;
  void Show() override { form_.Show(); }
  void PaintInitializing() override;
  void SetPointer(Pointer pointer) override;
  void TellPlayer(const std::string& message) override;
  void SetClipboardText(const std::string& text) override;

 private:
  TForm& form_;
};

}  // namespace marblix
