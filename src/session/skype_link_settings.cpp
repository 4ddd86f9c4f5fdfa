// The configuration file operations of the session: the rules live in
// Configuration; here the values reach the handset's settings and the
// session's texts, and restoring the defaults tells the handset its key tone.
#include <chrono>

#include "interfaces/i_handset_control.h"
#include "config/configuration.h"
#include "session/skype_link.h"

namespace tolvane {

void SkypeLink::SetConfigurationPorts(SettingsStore* store, DialogList* ringList) {
  settingsStore_.store(store);
  ringList_.store(ringList);
}

Status SkypeLink::ReadSettings() {
  SettingsStore* store = settingsStore_.load();
  if (store == nullptr) return kOk;
  Configuration configuration(*store);
  const ConfigurationTexts texts = configuration.Read(handset_.Settings());
  SetAppName(texts.appName);
  SetWindowTitle(texts.windowTitle);
  SetCustomerInfo(texts.customerInfo);
  SetIconNoHandset(texts.iconNoHandset);
  SetIconNoAny(texts.iconNoAny);
  SetIconNoSkype(texts.iconNoSkype);
  SetIconActive(texts.iconActive);
  return kOk;
}

Status SkypeLink::SaveSettings() {
  SettingsStore* store = settingsStore_.load();
  if (store == nullptr) return kOk;
  Configuration configuration(*store);
  configuration.Save(handset_.Settings());
  return kOk;
}

Status SkypeLink::RestoreDefaultSettings() {
  SettingsStore* store = settingsStore_.load();
  if (store == nullptr) return kOk;
  Configuration configuration(*store);
  const std::uint8_t keyToneCode = configuration.RestoreDefaults(handset_.Settings());
  handset_.SendCode(keyToneCode);
  // The handset needs a moment after a code before the next one.
  delay_.Wait(std::chrono::milliseconds(5));
  return kOk;
}

Status SkypeLink::FillRingList(WindowHandle dialog, int controlId) {
  SettingsStore* store = settingsStore_.load();
  DialogList* ringList = ringList_.load();
  if (store == nullptr || ringList == nullptr) return kOk;
  Configuration configuration(*store);
  configuration.FillRingList(*ringList, dialog, controlId);
  return kOk;
}

}  // namespace tolvane
