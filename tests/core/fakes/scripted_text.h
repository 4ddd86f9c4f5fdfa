#pragma once
// A text that a fake store hands out one character at a time, the way the
// stores' Read...Char operations do: kOk and the next character, kFail at
// the end (and back to the start). Empty until a test sets it.
#include <cstddef>
#include <mutex>
#include <string>
#include <utility>

#include "common/status.h"

namespace tolvane::testing {

class ScriptedText {
 public:
  void Set(std::string text) {
    std::lock_guard<std::mutex> hold(lock_);
    text_ = std::move(text);
    next_ = 0;
  }

  Status ReadChar(char* out) {
    std::lock_guard<std::mutex> hold(lock_);
    if (next_ >= text_.size()) {
      next_ = 0;
      return kFail;
    }
    *out = text_[next_++];
    return kOk;
  }

 private:
  std::mutex lock_;
  std::string text_;
  std::size_t next_ = 0;
};

}  // namespace tolvane::testing
