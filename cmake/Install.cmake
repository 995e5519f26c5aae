# Installing the game like any Linux game: the program in bin/, its res/ in
# share/zestbox/, and the desktop entry, icon, AppStream metainfo and man page
# where desktops and package tools look for them. `cpack` turns the same
# install into a .deb.
# A game's program goes to games/ (/usr/games on Debian), where the packaging
# rules expect it; -DCMAKE_INSTALL_BINDIR=bin puts it with the other programs.
set(CMAKE_INSTALL_BINDIR games CACHE PATH "User executables (games)")
include(GNUInstallDirs)

set(ZESTBOX_APP_ID "io.github.zestbox.zestbox")
set(ZESTBOX_DATA_DESTINATION ${CMAKE_INSTALL_DATADIR}/zestbox)

# The program finds its data folder beside itself (so the install can be moved)
# and, failing that, in the configured prefix.
file(RELATIVE_PATH zestbox_data_from_bindir
     ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${ZESTBOX_DATA_DESTINATION})
file(RELATIVE_PATH zestbox_locale_from_bindir
     ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LOCALEDIR})
target_compile_definitions(zb_base PRIVATE
  ZESTBOX_DATA_FROM_BINDIR="${zestbox_data_from_bindir}"
  ZESTBOX_INSTALL_DATADIR="${CMAKE_INSTALL_FULL_DATADIR}/zestbox"
  ZESTBOX_LOCALE_FROM_BINDIR="${zestbox_locale_from_bindir}"
  ZESTBOX_INSTALL_LOCALEDIR="${CMAKE_INSTALL_FULL_LOCALEDIR}")

if(TARGET zestbox)
  install(TARGETS zestbox RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/res/ DESTINATION ${ZESTBOX_DATA_DESTINATION}/res)
install(FILES ${PROJECT_SOURCE_DIR}/dist/zestbox.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/res/zestbox.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps)
install(FILES ${PROJECT_SOURCE_DIR}/dist/${ZESTBOX_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Debian wants the man page and the changelog compressed without a time stamp
# in them, and the licences in the package's doc folder.
find_program(GZIP_PROGRAM gzip REQUIRED)
foreach(page zestbox.6 changelog)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/dist/${page}.gz
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/dist
                     COMMAND ${GZIP_PROGRAM} -9nc ${PROJECT_SOURCE_DIR}/dist/${page} > ${CMAKE_BINARY_DIR}/dist/${page}.gz
                     DEPENDS ${PROJECT_SOURCE_DIR}/dist/${page} VERBATIM)
endforeach()
add_custom_target(zestbox_dist_files ALL DEPENDS ${CMAKE_BINARY_DIR}/dist/zestbox.6.gz ${CMAKE_BINARY_DIR}/dist/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/dist/zestbox.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${PROJECT_SOURCE_DIR}/dist/copyright ${CMAKE_BINARY_DIR}/dist/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "zestbox")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "webcam arcade game played by moving in front of the camera")
set(CPACK_PACKAGE_CONTACT "Zestbox developers <zestbox@users.noreply.github.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time rather than linked, so dpkg-shlibdeps cannot see them:
# the GStreamer elements of the camera, music and sound pipelines, an audio
# output, the OpenGL and EGL drivers (libepoxy and the camera dialog open
# them by name) and the fonts the game's texts are drawn in.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, gstreamer1.0-alsa | gstreamer1.0-pulseaudio | gstreamer1.0-pipewire, libgl1, libegl1, libgl1-mesa-dri, fontconfig, fonts-dejavu-core, fonts-comic-neue, fonts-leckerli-one, fonts-tomsontalks")
# The decoders of most recordings a camera or a phone makes (--camera file:).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gstreamer1.0-libav")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Stand in front of a webcam and see yourself, mirrored, behind the game.
Eggs roll down four chutes; move a hand in a quarter of the picture and the
basket goes there to catch them. Every menu is worked by movement as well.")
set(CPACK_STRIP_FILES ON)
include(CPack)

if(ZESTBOX_TESTS AND TARGET zestbox)
  add_test(NAME install_runs_from_anywhere
           COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR} -DWORK_DIR=${CMAKE_BINARY_DIR}/install-check
                   -DBIN_DIR=${CMAKE_INSTALL_BINDIR} -P ${PROJECT_SOURCE_DIR}/cmake/InstallCheck.cmake)
  set_tests_properties(install_runs_from_anywhere PROPERTIES TIMEOUT 300 LABELS package)
  # The shipped desktop entry and metainfo must stay valid; checked where the
  # validators are installed.
  find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
  if(DESKTOP_FILE_VALIDATE)
    add_test(NAME desktop_entry_valid COMMAND ${DESKTOP_FILE_VALIDATE} ${PROJECT_SOURCE_DIR}/dist/zestbox.desktop)
    set_tests_properties(desktop_entry_valid PROPERTIES FAIL_REGULAR_EXPRESSION "error|warning|hint" TIMEOUT 30
                         LABELS "package;quick")
  endif()
  # The .deb must pass Debian's own checks (its copyright file, compressed
  # man page and changelog among them).
  find_program(LINTIAN lintian)
  if(LINTIAN AND NOT ZESTBOX_SANITIZE)
    add_test(NAME deb_package_lint
             COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR} -DWORK_DIR=${CMAKE_BINARY_DIR}/package-check
                     -DLINTIAN=${LINTIAN} -DCPACK=${CMAKE_CPACK_COMMAND} -P ${PROJECT_SOURCE_DIR}/cmake/PackageCheck.cmake)
    set_tests_properties(deb_package_lint PROPERTIES TIMEOUT 600 LABELS package)
  endif()
  find_program(APPSTREAMCLI appstreamcli)
  if(APPSTREAMCLI)
    add_test(NAME metainfo_valid
             COMMAND ${APPSTREAMCLI} validate --no-net --pedantic ${PROJECT_SOURCE_DIR}/dist/${ZESTBOX_APP_ID}.metainfo.xml)
    set_tests_properties(metainfo_valid PROPERTIES TIMEOUT 30 LABELS "package;quick")
  endif()
endif()
