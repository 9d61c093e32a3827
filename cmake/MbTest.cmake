# mb_add_gtest(<name> SOURCES ... LIBS ... [GUI])
# A GoogleTest executable whose cases CTest runs one by one. Under Wine a crashing
# exe's exit status is unreliable, so there a case passes only when GoogleTest says so.
# GUI tests share one Wine prefix and one desktop, so they never run in parallel.
function(mb_add_gtest name)
  cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE GTest::gtest_main ${T_LIBS})
  set(props TIMEOUT 300)
  if(WIN32)
    list(APPEND props
      PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] 1 test\\."
      FAIL_REGULAR_EXPRESSION "Unhandled (page fault|exception)|\\[  FAILED  \\]"
      RESOURCE_LOCK wineprefix)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 NO_PRETTY_VALUES
    PROPERTIES ${props})
endfunction()
