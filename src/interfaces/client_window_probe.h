#pragma once
// Looks for the Skype client's top-level windows by class name. The
// dispatcher watches for the client's confirmation window and checks for its
// error window when a call fails. The Win32 adapter asks FindWindowA; tests
// answer from a set of class names.
namespace tolvane {

inline constexpr const char* kClientConfirmationWindowClass = "TskConFirmForm.UnicodeClass";
inline constexpr const char* kClientErrorWindowClass = "TskSERForm.UnicodeClass";

class ClientWindowProbe {
 public:
  virtual ~ClientWindowProbe() = default;
  // Whether a top-level window of that class exists (any title).
  virtual bool WindowExists(const char* className) const = 0;
};

}  // namespace tolvane
