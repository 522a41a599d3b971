# Helpers shared by every folder's CMakeLists.txt.
include(GoogleTest)

# tavrin_library(<name> <sources>...): one subsystem folder as one static library, linked by the
# program. Only src/ is on the include path: a header is "ClassName.h" beside it and
# "<folder>/ClassName.h" anywhere else, so every include says where its header lives.
function(tavrin_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  set_property(GLOBAL APPEND PROPERTY TAVRIN_LIBRARIES ${name})
endfunction()

# tavrin_test(<name> [UI] SOURCES <sources>... LIBRARIES <libraries>...): one test executable run
# by CTest, one entry per test case. Every test runs inside a fresh temporary home (see tests/support); UI tests get a
# QApplication on the offscreen platform.
function(tavrin_test name)
  cmake_parse_arguments(arg "UI" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  if(arg_UI)
    target_link_libraries(${name} PRIVATE tavrin_ui_test_main)
  else()
    target_link_libraries(${name} PRIVATE tavrin_test_main)
  endif()
  target_link_libraries(${name} PRIVATE ${arg_LIBRARIES} tavrin_test_support GTest::gmock)
  add_dependencies(${name} tavrin_resources tavrin_tools)
  if(TAVRIN_TSAN AND NOT name IN_LIST TAVRIN_TSAN_TESTS)
    # Not a test of the threaded areas: neither built nor run in the ThreadSanitizer build.
    set_target_properties(${name} PROPERTIES EXCLUDE_FROM_ALL ON)
    return()
  endif()
  # Each test case is its own CTest entry, so a failure names its test. Cases are listed when
  # CTest runs, not at build time, so a sanitizer report in the listing cannot break the build.
  # A case that hangs fails after two minutes with its name, rather than holding up the run.
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
endfunction()
