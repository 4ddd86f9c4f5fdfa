#include "shell/display_renderer_loader_win.h"

#include <utility>

#include "common/library_search_win.h"
#include "logging/diagnostic_log_win.h"

namespace tolvane {

FontProcessModule::FontProcessModule(std::string fileName) : fileName_(std::move(fileName)) {}

FontProcessModule::~FontProcessModule() { Free(); }

bool FontProcessModule::Load() {
  if (module_ == nullptr) module_ = LoadLibraryBesideProgram(fileName_.c_str());
  return module_ != nullptr;
}

void FontProcessModule::Free() {
  if (module_ != nullptr) FreeLibrary(module_);
  module_ = nullptr;
}

template <typename Entry>
Entry FontProcessModule::Find(const char* name) const {
  if (module_ == nullptr) return nullptr;
  // Through the generic function pointer type, which converts to any other.
  return reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(GetProcAddress(module_, name)));
}

RendererCreateFn FontProcessModule::FindCreateEntry() const {
  return Find<RendererCreateFn>("CreateComponentInstance");
}

RendererDeleteFn FontProcessModule::FindDeleteEntry() const {
  return Find<RendererDeleteFn>("DeleteComponentInstance");
}

void ShowErrorBox(const char* text, const char* caption) {
  LoggedMessageBox(nullptr, text, caption, MB_ICONERROR);
}

FontProcessLibrary::FontProcessLibrary(ErrorBox errorBox, std::string fileName)
    : module_(std::move(fileName)), loader_(module_, std::move(errorBox)) {}

}  // namespace tolvane
