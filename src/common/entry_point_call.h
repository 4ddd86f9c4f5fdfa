#pragma once
// Calls one of a vendor library's two entry points ("CreateComponentInstance",
// "DeleteComponentInstance": one pointer in, an int out). The instance tables
// behind them are standard-call, but the entry points are C-call in a library
// compiled the ordinary way and standard-call in one declared WINAPI. On
// 32-bit x86 the two differ in who pops the argument, and the wrong guess
// leaves the stack pointer four bytes off. There the call goes through a
// small thunk that puts the stack pointer back itself, which is right for
// either; elsewhere there is one convention and the call is direct.
#include <cstring>

namespace tolvane {

#if defined(__i386__)
// entry(argument) with the stack pointer kept in a callee-saved register
// across the call. C-call itself.
extern "C" int TolvaneCallEitherConvention(const void* entry, void* argument);
#endif

template <class Entry, class Argument>
int CallEntryPoint(Entry entry, Argument* argument) {
#if defined(__i386__)
  const void* address = nullptr;
  static_assert(sizeof entry == sizeof address);
  std::memcpy(&address, &entry, sizeof address);
  return TolvaneCallEitherConvention(address, argument);
#else
  return entry(argument);
#endif
}

}  // namespace tolvane
