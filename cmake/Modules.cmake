# zb_module(NAME [DEPS targets...]): a static library zb_NAME from src/NAME/*.cpp.
# Modules are one folder each, so the folder shows the architecture.
function(zb_module name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp)
  if(sources)
    add_library(zb_${name} STATIC ${sources})
    set_target_properties(zb_${name} PROPERTIES UNITY_BUILD ${ZESTBOX_UNITY})
    target_include_directories(zb_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(zb_${name} PUBLIC ${ARG_DEPS} PRIVATE zb_warnings)
  else()
    add_library(zb_${name} INTERFACE)
    target_include_directories(zb_${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(zb_${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# zb_test_folder(NAME [QUICK] [TIMEOUT seconds] [DEPS targets...]): tests/NAME/*.cpp
# as one GoogleTest program. Its tests are labelled NAME, or quick:NAME when
# QUICK (no real program runs, the whole tier in under a minute); TIMEOUT is
# the most any one of its tests may take (default 60 s).
function(zb_test_folder name)
  cmake_parse_arguments(ARG "QUICK" "TIMEOUT" "DEPS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 60)
  endif()
  # Sanitized code runs several times slower.
  if(ZESTBOX_SANITIZE)
    math(EXPR ARG_TIMEOUT "${ARG_TIMEOUT} * 4")
  endif()
  # One label a test, as discovered tests keep no lists: the folder's name,
  # "quick:" before it for the quick tier (ctest -L takes a pattern).
  set(labels ${name})
  if(ARG_QUICK)
    set(labels quick:${name})
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name}_tests ${sources})
  # zb_testsupport brings main(), which sets up the headless environment.
  target_link_libraries(${name}_tests PRIVATE ${ARG_DEPS} zb_testsupport GTest::gtest GTest::gmock zb_warnings)
  # Test code needs no speed of its own; it is compiled often.
  target_compile_options(${name}_tests PRIVATE -O1 -g1)
  target_precompile_headers(${name}_tests PRIVATE <gtest/gtest.h>)
  set_target_properties(${name}_tests PROPERTIES UNITY_BUILD ${ZESTBOX_UNITY})
  # A fixture of a file's own sits in its anonymous namespace; in a unity
  # source that file reads to GCC as a header, and it warns for each test.
  target_compile_options(${name}_tests PRIVATE $<$<CXX_COMPILER_ID:GNU>:-Wno-subobject-linkage>)
  # Each program runs in its own folder, with res/ reachable as the game expects.
  set(rundir ${CMAKE_BINARY_DIR}/testrun/${name})
  file(MAKE_DIRECTORY ${rundir})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/res ${rundir}/res SYMBOLIC)
  gtest_discover_tests(${name}_tests
    WORKING_DIRECTORY ${rundir}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT ${ARG_TIMEOUT} LABELS "${labels}")
endfunction()
