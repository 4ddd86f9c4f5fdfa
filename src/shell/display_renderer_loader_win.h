#pragma once
// QorFontProcessLib.dll in the process: the one holder of its module handle,
// freed when the holder dies, with the library's entry points typed.
#include <windows.h>

#include <string>

#include "shell/display_renderer_loader.h"

namespace tolvane {

class FontProcessModule final : public RendererModule {
 public:
  // The library's file in the program's folder (or an absolute path);
  // tests point it elsewhere.
  explicit FontProcessModule(std::string fileName = kFontProcessLibraryName);
  ~FontProcessModule() override;
  FontProcessModule(const FontProcessModule&) = delete;
  FontProcessModule& operator=(const FontProcessModule&) = delete;

  bool IsLoaded() const override { return module_ != nullptr; }
  bool Load() override;
  RendererCreateFn FindCreateEntry() const override;
  RendererDeleteFn FindDeleteEntry() const override;
  void Free() override;

 private:
  template <typename Entry>
  Entry Find(const char* name) const;

  std::string fileName_;
  HMODULE module_ = nullptr;
};

// MessageBoxA without owner and with the error icon.
void ShowErrorBox(const char* text, const char* caption);

// The renderer as start-up and shutdown use it: the module and the loading
// sequence together.
class FontProcessLibrary {
 public:
  explicit FontProcessLibrary(ErrorBox errorBox = ShowErrorBox,
                              std::string fileName = kFontProcessLibraryName);

  Status Load(const RendererRecipients& recipients) { return loader_.Load(recipients); }
  void Unload() { loader_.Unload(); }
  DisplayRenderer* Renderer() const { return loader_.Renderer(); }

 private:
  FontProcessModule module_;
  DisplayRendererLoader loader_;
};

}  // namespace tolvane
