// Converting a caller's name of 40 characters for the handset's display, in
// several scripts: each must take at most a few microseconds, since the
// dispatcher converts a name while the handset is ringing. The figures are
// per name.
#include <benchmark/benchmark.h>

#include <string>

#include "fontlib/handset_text.h"
#include "fontlib/unicode_text.h"

namespace tolvane::fontlib {
namespace {

// The pattern repeated until the name has 40 characters.
std::string FortyCharacters(std::u32string_view pattern) {
  std::string name;
  for (std::size_t i = 0; i < 40; ++i) AppendUtf8(pattern[i % pattern.size()], name);
  return name;
}

void ConvertName(benchmark::State& state, std::u32string_view pattern) {
  const std::string name = FortyCharacters(pattern);
  for (auto _ : state) benchmark::DoNotOptimize(ToHandsetText(name));
  state.SetLabel(ToHandsetText(name).substr(0, 24) + "...");
}

BENCHMARK_CAPTURE(ConvertName, ascii, U"Mary-Jane O'Brien ");
BENCHMARK_CAPTURE(ConvertName, accented_latin, U"Zo\u00EB \u00D1\u00FA\u00F1ez \u00C6r\u00F8sk\u00F8bing ");
BENCHMARK_CAPTURE(ConvertName, cyrillic, U"\u0414\u043C\u0438\u0442\u0440\u0438\u0439 ");
BENCHMARK_CAPTURE(ConvertName, chinese, U"\u738B\u5C0F\u660E");
BENCHMARK_CAPTURE(ConvertName, hangul, U"\uAE40\uBBFC\uC218 ");
BENCHMARK_CAPTURE(ConvertName, emoji, U"\U0001F600\uFE0F");

}  // namespace
}  // namespace tolvane::fontlib

BENCHMARK_MAIN();
