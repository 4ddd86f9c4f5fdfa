# Every directory under tests/ that holds *_test.cpp files becomes one test
# executable and one CTest test: a Wine process start costs seconds, so cases
# are grouped per executable rather than registered one by one.
function(tolvane_test_executable name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  tolvane_warnings(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()

# Copies the programs that multi-process tests start (Tolvane.exe, the
# simulators and the display library, those this build has) next to the test
# program, as they are installed side by side. Deferred to the end of the
# configuration, since the simulators are added after the tests.
function(tolvane_stage_programs test_target)
  # A deferred call expands its arguments when it runs: the name goes in now.
  cmake_language(EVAL CODE
    "cmake_language(DEFER DIRECTORY [[${PROJECT_SOURCE_DIR}]] CALL tolvane_stage_programs_now [[${test_target}]])")
endfunction()

function(tolvane_stage_programs_now test_target)
  set(copies "")
  set(programs "")
  foreach(program Tolvane SimSkype simskype_ctl sim_handset QorFontProcessLib)
    if(TARGET ${program})
      list(APPEND programs ${program})
      list(APPEND copies COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${program}>
           $<TARGET_FILE_DIR:${test_target}>)
    endif()
  endforeach()
  add_custom_target(${test_target}_programs ALL ${copies} VERBATIM)
  if(programs)
    add_dependencies(${test_target}_programs ${programs})
  endif()
  add_dependencies(${test_target} ${test_target}_programs)
endfunction()
