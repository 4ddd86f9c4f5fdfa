// A screen text from a client that sends any name: whatever the bytes, the
// renderer streams the name field and then at most 254 characters, each of
// them printable ASCII, the only characters the handset draws. A text that is
// printable ASCII already reaches the handset unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "common/bounded_text.h"
#include "fontlib/fake_code_pages.h"
#include "fontlib/fake_hid_ctrl.h"
#include "fontlib/handset_text.h"
#include "fontlib/handset_text_renderer.h"
#include "interfaces/handset_codes.h"

namespace {

bool IsPrintableAscii(const std::string& text) {
  for (const char c : text) {
    if (c < tolvane::fontlib::kFirstShownCharacter || c > tolvane::fontlib::kLastShownCharacter) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The renderer takes a terminated text: it ends at the first NUL.
  const std::string text(reinterpret_cast<const char*>(data), size);
  tolvane::testing::FakeHidCtrl handset;
  tolvane::fontlib::HandsetTextRenderer renderer(std::make_unique<tolvane::testing::Latin1CodePage>(), nullptr);
  renderer.SetHandsetLibrary(&handset);
  renderer.ShowText(text.c_str());
  renderer.FinishDisplay();

  const auto sent = handset.Sent();
  if (sent.empty() || sent.size() - 1 > tolvane::kMaxTextLength ||
      sent[0] != tolvane::testing::DisplayChar{tolvane::kDisplayFieldName, tolvane::kDisplayFieldParameter}) {
    std::abort();
  }
  std::string shown;
  for (std::size_t i = 1; i < sent.size(); ++i) shown.push_back(static_cast<char>(sent[i].first));
  if (!IsPrintableAscii(shown)) std::abort();

  const std::string terminated = text.substr(0, text.find('\0'));
  if (IsPrintableAscii(terminated) && shown != terminated.substr(0, tolvane::kMaxTextLength)) std::abort();
  return 0;
}
