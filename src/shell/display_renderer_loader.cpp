#include "shell/display_renderer_loader.h"

#include <utility>

#include "common/entry_point_call.h"

namespace tolvane {

DisplayRendererLoader::DisplayRendererLoader(RendererModule& module, ErrorBox errorBox)
    : module_(module), errorBox_(std::move(errorBox)) {}

Status DisplayRendererLoader::Load(const RendererRecipients& recipients) {
  if (!module_.IsLoaded() && !module_.Load()) {
    errorBox_("Failed to load module - QorFontProcessLib.dll", "CreateInstance");
    return kFail;
  }
  const RendererCreateFn create = module_.FindCreateEntry();
  if (create == nullptr) return FailLoad("Failed to Get API - CreateComponentInstance");
  // A library that reports success without an instance has failed as well:
  // every recipient would be handed nothing to call.
  if (CallEntryPoint(create, &renderer_) == 0 || renderer_ == nullptr) {
    renderer_ = nullptr;
    return FailLoad("Failed to create instance in module - QorFontProcessLib.dll");
  }

  renderer_->SetHandsetLibrary(recipients.handsetLibrary);
  if (recipients.setHandsetControlRenderer) recipients.setHandsetControlRenderer(renderer_);
  if (recipients.setSkypeLinkRenderer) recipients.setSkypeLinkRenderer(renderer_);
  renderer_->SetFontFileSupport(recipients.supportFontFile);
  return kOk;
}

Status DisplayRendererLoader::FailLoad(const char* text) {
  errorBox_(text, "CreateInstanceFontProcess");
  module_.Free();
  return kFail;
}

void DisplayRendererLoader::Unload() {
  if (!module_.IsLoaded()) return;
  const RendererDeleteFn destroy = module_.FindDeleteEntry();
  if (destroy == nullptr) return FailUnload("Failed to Get API - DeleteComponentInstance");
  if (CallEntryPoint(destroy, &renderer_) == 0) {
    return FailUnload("Failed to delete instance in module - QorFontProcessLib.DLL");
  }
  renderer_ = nullptr;
}

void DisplayRendererLoader::FailUnload(const char* text) {
  errorBox_(text, "DeleteInstance");
  module_.Free();
  // The instance's code went with the module.
  renderer_ = nullptr;
}

}  // namespace tolvane
