// The entry-point thunk of the 32-bit program, run natively: the kernel runs
// 32-bit Linux programs where 32-bit Windows ones may not. A C-call and a
// standard-call entry point are called through the same thunk; each must
// give its result, fill the slot it is given, and leave the stack pointer
// and %ebx as they were. A direct call of each as if it were C-call shows
// the fault the thunk is there for: the standard-call one moves the stack.
#include <cstdio>

#include "common/entry_point_call.h"

namespace {

int failures = 0;

void Check(bool ok, const char* what) {
  std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
  if (!ok) ++failures;
}

int cMade = 7;
int standardMade = 11;

extern "C" __attribute__((cdecl, noinline)) int CCallEntry(int** slot) {
  *slot = &cMade;
  return 1;
}

extern "C" __attribute__((stdcall, noinline)) int StandardCallEntry(int** slot) {
  *slot = &standardMade;
  return 2;
}

struct Trace {
  int result = 0;
  unsigned calleePopped = 0;  // bytes of the caller's arguments gone from the stack after the call
  bool ebxKept = false;
};

constexpr unsigned kMarker = 0x5a17c0deu;

// What one call pushes: the function called and its one or two arguments.
struct Call {
  const void* function;
  const void* first;
  const void* second;
};

// A call written out in assembly so that the compiler cannot repair the
// stack pointer behind it: the stack pointer is read right after the call
// returns, before the caller pops its arguments, and then put back. The
// operands are reached through one register, never through the stack
// pointer, which moves here.
Trace Run(const Call& call, unsigned argumentBytes) {
  int result;
  unsigned before, after, ebx;
  if (argumentBytes == 8) {
    asm volatile(
        "pushl %%ebx\n"
        "movl %%esp, %%esi\n"
        "movl %[marker], %%ebx\n"
        "pushl 8(%%ecx)\n"
        "pushl 4(%%ecx)\n"
        "call *(%%ecx)\n"
        "movl %%esp, %%edi\n"
        "movl %%ebx, %%edx\n"
        "movl %%esi, %%esp\n"
        "popl %%ebx\n"
        : "=a"(result), "=&S"(before), "=&D"(after), "=&d"(ebx)
        : "c"(&call), [marker] "i"(kMarker)
        : "memory", "cc");
  } else {
    asm volatile(
        "pushl %%ebx\n"
        "movl %%esp, %%esi\n"
        "movl %[marker], %%ebx\n"
        "pushl 4(%%ecx)\n"
        "call *(%%ecx)\n"
        "movl %%esp, %%edi\n"
        "movl %%ebx, %%edx\n"
        "movl %%esi, %%esp\n"
        "popl %%ebx\n"
        : "=a"(result), "=&S"(before), "=&D"(after), "=&d"(ebx)
        : "c"(&call), [marker] "i"(kMarker)
        : "memory", "cc");
  }
  return {result, after - (before - argumentBytes), ebx == kMarker};
}

// The thunk is C-call: its two arguments are still on the stack after it.
Trace ThroughThunk(const void* entry, int** slot) {
  return Run({reinterpret_cast<const void*>(&tolvane::TolvaneCallEitherConvention), entry, slot}, 8);
}

// The entry called directly by a C-call caller.
Trace DirectCCall(const void* entry, int** slot) { return Run({entry, slot, nullptr}, 4); }

template <class Entry>
const void* Address(Entry entry) {
  return reinterpret_cast<const void*>(entry);
}

}  // namespace

int main() {
  std::printf("vendor entry points through the 32-bit thunk (native i386)\n");
  int* slot = nullptr;
  Trace t = ThroughThunk(Address(&CCallEntry), &slot);
  Check(t.result == 1 && slot == &cMade, "C-call entry: its result, its slot filled");
  Check(t.calleePopped == 0, "C-call entry: stack pointer as before");
  Check(t.ebxKept, "C-call entry: %ebx kept");

  slot = nullptr;
  t = ThroughThunk(Address(&StandardCallEntry), &slot);
  Check(t.result == 2 && slot == &standardMade, "standard-call entry: its result, its slot filled");
  Check(t.calleePopped == 0, "standard-call entry: stack pointer as before");
  Check(t.ebxKept, "standard-call entry: %ebx kept");

  // The same entries called directly by a C-call caller: the standard-call
  // one pops its argument as well, four bytes too many.
  Check(DirectCCall(Address(&CCallEntry), &slot).calleePopped == 0, "direct C-call of the C-call entry is right");
  Check(DirectCCall(Address(&StandardCallEntry), &slot).calleePopped == 4,
        "direct C-call of the standard-call entry is four bytes off (the fault shown)");

  // The program's own way in, through the template.
  slot = nullptr;
  Check(tolvane::CallEntryPoint(&StandardCallEntry, &slot) == 2 && slot == &standardMade,
        "CallEntryPoint with a standard-call entry");
  slot = nullptr;
  Check(tolvane::CallEntryPoint(&CCallEntry, &slot) == 1 && slot == &cMade, "CallEntryPoint with a C-call entry");

  std::printf("%s\n", failures == 0 ? "all passed" : "FAILED");
  return failures == 0 ? 0 : 1;
}
