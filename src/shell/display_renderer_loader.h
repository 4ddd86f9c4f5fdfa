#pragma once
// Loading and unloading of the display renderer from QorFontProcessLib.dll,
// with the message boxes the program shows when that fails. The module and
// the message box are reached through small interfaces, so the sequence is
// the same on Windows (display_renderer_loader_win.h) and under test.
#include <functional>

#include "common/status.h"
#include "interfaces/display_renderer.h"

namespace tolvane {

class QorHidCtrl;

inline constexpr char kFontProcessLibraryName[] = "QorFontProcessLib.dll";

// The library module as the loader needs it. Entry points are looked up when
// they are needed; a missing one comes back null.
class RendererModule {
 public:
  virtual ~RendererModule() = default;
  virtual bool IsLoaded() const = 0;
  virtual bool Load() = 0;
  virtual RendererCreateFn FindCreateEntry() const = 0;
  virtual RendererDeleteFn FindDeleteEntry() const = 0;
  virtual void Free() = 0;
};

// Shows a failure to the user: message box without owner, error icon.
using ErrorBox = std::function<void(const char* text, const char* caption)>;

// Who gets the new renderer, in this order: the handset library (through the
// renderer), HandsetControl, SkypeLink; then the renderer gets the font-file
// option. An empty step is skipped.
struct RendererRecipients {
  QorHidCtrl* handsetLibrary = nullptr;
  std::function<void(DisplayRenderer*)> setHandsetControlRenderer;
  std::function<void(DisplayRenderer*)> setSkypeLinkRenderer;
  int supportFontFile = 0;
};

class DisplayRendererLoader {
 public:
  DisplayRendererLoader(RendererModule& module, ErrorBox errorBox);
  DisplayRendererLoader(const DisplayRendererLoader&) = delete;
  DisplayRendererLoader& operator=(const DisplayRendererLoader&) = delete;

  // kOk with the renderer handed to every recipient, or kFail after the
  // message box (the module is then freed again).
  Status Load(const RendererRecipients& recipients);

  // Deletes the renderer. On success the module stays loaded for the
  // shutdown step that frees it; on failure it is freed here, after the
  // message box.
  void Unload();

  DisplayRenderer* Renderer() const { return renderer_; }

 private:
  Status FailLoad(const char* text);
  void FailUnload(const char* text);

  RendererModule& module_;
  ErrorBox errorBox_;
  DisplayRenderer* renderer_ = nullptr;
};

}  // namespace tolvane
