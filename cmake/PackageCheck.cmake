# Run by CTest as `cmake -DBUILD_DIR=... -DWORK_DIR=... -DLINTIAN=... -DCPACK=... -P PackageCheck.cmake`:
# packs the built game into a .deb as `cpack -G DEB` does and lets lintian,
# Debian's package checker, judge it: any error fails.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
execute_process(COMMAND ${CPACK} -G DEB -B ${WORK_DIR} --config ${BUILD_DIR}/CPackConfig.cmake
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
file(GLOB packages ${WORK_DIR}/*.deb)
if(NOT result EQUAL 0 OR NOT packages)
  message(FATAL_ERROR "cpack failed (${result}): ${output}")
endif()
execute_process(COMMAND ${LINTIAN} --fail-on error ${packages}
                RESULT_VARIABLE result OUTPUT_VARIABLE report ERROR_VARIABLE report)
message("${report}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "lintian found errors in ${packages}")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
