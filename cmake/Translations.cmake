# The player's language: the message catalogues in po/ are compiled into
# locale/LANGUAGE/LC_MESSAGES/zestbox.mo beside the program in the build
# folder (where it finds them when run from there) and installed where
# gettext looks for them. `cmake --build build --target zestbox_pot`
# gathers the texts of the sources into po/zestbox.pot again; msgmerge
# brings each catalogue up to date with it.
find_package(Gettext REQUIRED)
find_program(XGETTEXT_PROGRAM xgettext REQUIRED)
set(ZESTBOX_LANGUAGES en pl)
set(ZESTBOX_CATALOGUE_DIR ${CMAKE_BINARY_DIR}/locale)

set(catalogues)
foreach(language ${ZESTBOX_LANGUAGES})
  set(po ${PROJECT_SOURCE_DIR}/po/${language}.po)
  set(mo ${ZESTBOX_CATALOGUE_DIR}/${language}/LC_MESSAGES/zestbox.mo)
  add_custom_command(OUTPUT ${mo}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${ZESTBOX_CATALOGUE_DIR}/${language}/LC_MESSAGES
                     COMMAND ${GETTEXT_MSGFMT_EXECUTABLE} --check --output-file=${mo} ${po}
                     DEPENDS ${po} VERBATIM)
  install(FILES ${mo} DESTINATION ${CMAKE_INSTALL_LOCALEDIR}/${language}/LC_MESSAGES)
  list(APPEND catalogues ${mo})
endforeach()
add_custom_target(zestbox_catalogues ALL DEPENDS ${catalogues})

# The texts the sources mark: Translate("...") where shown, Translatable("...")
# where kept in a table.
set(ZESTBOX_XGETTEXT_OPTIONS --from-code=UTF-8 --language=C++ --keyword=Translate --keyword=Translatable
    --add-comments=TRANSLATORS: --package-name=zestbox --package-version=${PROJECT_VERSION}
    --msgid-bugs-address=zestbox@users.noreply.github.com --sort-by-file)
file(GLOB_RECURSE translated_sources RELATIVE ${PROJECT_SOURCE_DIR} CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/*.cpp
     ${PROJECT_SOURCE_DIR}/src/*.h)
list(SORT translated_sources)
add_custom_target(zestbox_pot
                  COMMAND ${XGETTEXT_PROGRAM} ${ZESTBOX_XGETTEXT_OPTIONS} --output=po/zestbox.pot ${translated_sources}
                  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} VERBATIM)

if(ZESTBOX_TESTS)
  # Every text the sources mark must stand translated in every catalogue.
  add_test(NAME translations_complete
           COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DWORK_DIR=${CMAKE_BINARY_DIR}/translations-check
                   "-DLANGUAGES=${ZESTBOX_LANGUAGES}" "-DSOURCES=${translated_sources}"
                   "-DXGETTEXT=${XGETTEXT_PROGRAM}" "-DXGETTEXT_OPTIONS=${ZESTBOX_XGETTEXT_OPTIONS}"
                   -P ${PROJECT_SOURCE_DIR}/cmake/TranslationsCheck.cmake)
  set_tests_properties(translations_complete PROPERTIES TIMEOUT 60 LABELS "translations;quick")
endif()
