# zb_module(NAME [DEPS targets...]): a static library zb_NAME from src/NAME/*.cpp.
# Modules are one folder each, so the folder shows the architecture.
function(zb_module name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp)
  if(sources)
    add_library(zb_${name} STATIC ${sources})
    target_include_directories(zb_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(zb_${name} PUBLIC ${ARG_DEPS} PRIVATE zb_warnings)
  else()
    add_library(zb_${name} INTERFACE)
    target_include_directories(zb_${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(zb_${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# zb_test_folder(NAME [DEPS targets...]): tests/NAME/*.cpp as one GoogleTest program.
function(zb_test_folder name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name}_tests ${sources})
  # zb_testsupport brings main(), which sets up the headless environment.
  target_link_libraries(${name}_tests PRIVATE ${ARG_DEPS} zb_testsupport GTest::gtest GTest::gmock zb_warnings)
  # Each program runs in its own folder, with res/ reachable as the game expects.
  set(rundir ${CMAKE_BINARY_DIR}/testrun/${name})
  file(MAKE_DIRECTORY ${rundir})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/res ${rundir}/res SYMBOLIC)
  gtest_discover_tests(${name}_tests
    WORKING_DIRECTORY ${rundir}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT 300)
endfunction()
