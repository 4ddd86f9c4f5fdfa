#include "common/entry_point_call.h"

#if defined(__i386__)

// The same text serves the PE build (C names carry a leading underscore) and
// a 32-bit Linux build (they do not): the compiler says which.
#define TOLVANE_TEXT_OF(x) #x
#define TOLVANE_TEXT(x) TOLVANE_TEXT_OF(x)
#define TOLVANE_THUNK TOLVANE_TEXT(__USER_LABEL_PREFIX__) "TolvaneCallEitherConvention"

// Both conventions keep %ebx, so it holds the stack pointer across the call;
// the stack is aligned to 16 bytes at the call, as either ABI may expect.
asm(".text\n"
    ".globl " TOLVANE_THUNK "\n"
    TOLVANE_THUNK ":\n"
    "  pushl %ebx\n"
    "  movl %esp, %ebx\n"
    "  andl $-16, %esp\n"
    "  subl $12, %esp\n"
    "  pushl 12(%ebx)\n"  // the argument
    "  call *8(%ebx)\n"   // the entry point; it may or may not pop the argument
    "  movl %ebx, %esp\n"
    "  popl %ebx\n"
    "  ret\n");

#endif
