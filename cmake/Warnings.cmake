# High warnings, treated as errors, for the project's own targets only.
function(tolvane_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
    -Wno-sign-conversion -Wnon-virtual-dtor -Woverloaded-virtual -Werror
    # GCC 12 reports std::string concatenation as an overlapping memcpy at
    # -O2 (a false positive of its -Wrestrict, GCC bug 105329).
    $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>)
endfunction()
