# Run by CTest as `cmake -DBUILD_DIR=... -DWORK_DIR=... -DBIN_DIR=... -P InstallCheck.cmake`:
# installs the built game to a scratch prefix and starts the installed program
# from an unrelated folder, headless, so it must find its res/ in the install
# and keep its scores in the user's data folder, and its message catalogues
# in the install.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/elsewhere)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}/prefix
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "install failed: ${result}")
endif()

set(ENV{SDL_VIDEODRIVER} offscreen)
set(ENV{ZESTBOX_AUDIO_SINK} "fakesink sync=true")
set(ENV{XDG_DATA_HOME} ${WORK_DIR}/data)
execute_process(COMMAND ${WORK_DIR}/prefix/${BIN_DIR}/zestbox --windowed --camera test --frames 5 --screenshot shot.png
                WORKING_DIRECTORY ${WORK_DIR}/elsewhere
                RESULT_VARIABLE result ERROR_VARIABLE errors TIMEOUT 120)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the installed game failed (${result}): ${errors}")
endif()
if(NOT EXISTS ${WORK_DIR}/elsewhere/shot.png)
  message(FATAL_ERROR "no screenshot where the game was started")
endif()
if(NOT EXISTS ${WORK_DIR}/data/zestbox/cam.ini)
  message(FATAL_ERROR "no scores in the user's data folder")
endif()
if(EXISTS ${WORK_DIR}/elsewhere/cam.ini OR EXISTS ${WORK_DIR}/prefix/share/zestbox/cam.ini)
  message(FATAL_ERROR "scores written beside the game instead of the user's data folder")
endif()
# The installed program reads its catalogues from the install.
set(ENV{LC_ALL} pl_PL.UTF-8)
execute_process(COMMAND ${WORK_DIR}/prefix/${BIN_DIR}/zestbox --help OUTPUT_VARIABLE usage)
if(NOT usage MATCHES "^Użycie: zestbox")
  message(FATAL_ERROR "the installed game does not speak Polish with LC_ALL=pl_PL.UTF-8:\n${usage}")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
