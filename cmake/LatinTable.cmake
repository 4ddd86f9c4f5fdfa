# The display library's table of Latin spellings is generated at build time
# by tools/latin_table, which asks ICU. The generator always runs on the build
# machine: it is compiled with the host's C++ compiler and ICU (from
# pkg-config), also in the cross builds for Windows, which carry only the
# table. TOLVANE_ICU_FLAGS (compile and link flags) serve the native test that
# checks the table against ICU.
find_program(TOLVANE_HOST_CXX NAMES c++ g++ clang++)
find_program(TOLVANE_PKG_CONFIG pkg-config)
if(TOLVANE_PKG_CONFIG)
  execute_process(COMMAND ${TOLVANE_PKG_CONFIG} --cflags --libs icu-uc icu-i18n
                  OUTPUT_VARIABLE icu_flags RESULT_VARIABLE icu_missing
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
if(NOT TOLVANE_HOST_CXX OR NOT TOLVANE_PKG_CONFIG OR icu_missing)
  # One line, short enough that CMake does not wrap it.
  message(FATAL_ERROR "ICU not found: install libicu-dev, pkg-config and c++ (scripts/bootstrap)")
endif()
separate_arguments(TOLVANE_ICU_FLAGS UNIX_COMMAND "${icu_flags}")

function(tolvane_generate_latin_table output)
  set(tool_dir ${PROJECT_SOURCE_DIR}/tools/latin_table)
  set(generator ${CMAKE_CURRENT_BINARY_DIR}/latin_table_generator)
  set(launcher "")
  if(TOLVANE_CCACHE)
    set(launcher ${TOLVANE_CCACHE})
  endif()
  add_custom_command(
    OUTPUT ${generator}
    COMMAND ${launcher} ${TOLVANE_HOST_CXX} -std=c++20 -O2 -I${PROJECT_SOURCE_DIR}/src
            ${tool_dir}/latin_table_generator.cpp -o ${generator} ${TOLVANE_ICU_FLAGS}
    DEPENDS ${tool_dir}/latin_table_generator.cpp ${tool_dir}/latin_spelling_rules.h
            ${PROJECT_SOURCE_DIR}/src/fontlib/latin_table.h
    COMMENT "Building the Latin table generator with the host compiler and ICU"
    VERBATIM)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${generator} ${output}
    DEPENDS ${generator}
    COMMENT "Generating the handset's table of Latin spellings from ICU"
    VERBATIM)
endfunction()
