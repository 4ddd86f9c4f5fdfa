#include "display_decoder.h"

namespace simhandset {
namespace {

constexpr int kControlParameter = 10;
constexpr int kBeginCode = 0;
constexpr int kBeginParameter = 79;
constexpr int kEndCode = 26;

const char* FieldName(int code) {
  switch (code) {
    case 112: return "name";
    case 128: return "time";
    case 129: return "duration";
    case 131: return "call-duration";
    default: return nullptr;
  }
}

bool IsMark(int code) { return code == 0 || code == 106 || code == 107 || code == 109; }

}  // namespace

std::string DisplayScreen::Describe() const {
  std::string line;
  const auto add = [&line](const std::string& part) {
    if (!line.empty()) line += ' ';
    line += part;
  };
  if (mark) add("mark=" + std::to_string(*mark));
  for (const DisplayField& field : fields) add(field.name + "=\"" + field.text + "\"");
  if (parameterFaults > 0) add("faults=" + std::to_string(parameterFaults));
  return line.empty() ? "(blank)" : line;
}

void DisplayDecoder::StartFreshIfEnded() {
  if (!screen_.ended) return;
  screen_ = DisplayScreen{};
  expectedParameter_ = 0;
}

bool DisplayDecoder::Feed(int code, int parameter) {
  if (code == kBeginCode && parameter == kBeginParameter) {
    screen_ = DisplayScreen{};
    expectedParameter_ = 0;
    return false;
  }
  StartFreshIfEnded();
  if (parameter != kControlParameter) {
    Character(code, parameter);
    return false;
  }
  if (code == kEndCode) {
    screen_.ended = true;
    return true;
  }
  if (const char* field = FieldName(code)) {
    screen_.fields.push_back({field, {}});
    expectedParameter_ = 0;
  } else if (IsMark(code)) {
    screen_.mark = code;
  }
  // Any other control code draws nothing the program relies on.
  return false;
}

void DisplayDecoder::Character(int code, int parameter) {
  if (screen_.fields.empty()) screen_.fields.push_back({"text", {}});
  if (parameter != expectedParameter_) ++screen_.parameterFaults;
  expectedParameter_ = parameter == 0 ? 5 : 0;
  screen_.fields.back().text += static_cast<char>(code);
}

}  // namespace simhandset
