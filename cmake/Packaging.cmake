# Installation with "cmake --install" lays the game out as most Linux
# installs expect:
#   bin/gleamstrand                          the program
#   share/gleamstrand/{data,Data,layouts}    its read-only data
#   share/applications, share/icons/hicolor, share/metainfo, share/man/man6
#   share/doc/gleamstrand                    the licence texts and changelog
# The Debian package ("cpack -G DEB") follows Debian's rule for games
# instead: /usr/games/gleamstrand and /usr/share/games/gleamstrand/
# (DebianLayout.cmake moves the two in CPack's staging tree).
include(GNUInstallDirs)

set(GS_APP_ID com.talvorine.Gleamstrand)
set(GS_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(GS_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)

# The installed program finds its data through these paths relative to its
# own folder, wherever the prefix is: the plain layout's, then the package's.
file(RELATIVE_PATH gs_data_from_bin /prefix/${CMAKE_INSTALL_BINDIR}
     /prefix/${CMAKE_INSTALL_DATADIR}/gleamstrand)
file(RELATIVE_PATH gs_data_from_games /prefix/games /prefix/share/games/gleamstrand)
target_compile_definitions(gleamstrand PRIVATE GS_INSTALLED_DATA="${gs_data_from_bin}"
                                               GS_PACKAGED_DATA="${gs_data_from_games}")
# The version the program reports is the project's.
set_property(SOURCE ${CMAKE_SOURCE_DIR}/frame/CommandLine.cpp APPEND PROPERTY
             COMPILE_DEFINITIONS GS_VERSION="${PROJECT_VERSION}")

install(TARGETS gleamstrand RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A build that links another build's data installs that build's files, not
# the links.
if(GS_EXTERNAL_DATA STREQUAL "")
  set(gs_data_source ${GS_RUNTIME_DIR})
else()
  set(gs_data_source ${GS_EXTERNAL_DATA})
endif()
foreach(folder data Data layouts)
  install(DIRECTORY ${gs_data_source}/${folder}/
          DESTINATION ${CMAKE_INSTALL_DATADIR}/gleamstrand/${folder})
endforeach()

install(FILES ${GS_PACKAGING_DIR}/${GS_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${GS_PACKAGING_DIR}/${GS_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
if(TARGET gs_icons)
  install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
endif()

# Manual pages ship compressed, as Debian's policy asks.
find_program(GZIP_PROGRAM gzip REQUIRED)
add_custom_command(
  OUTPUT ${GS_PACKAGING_OUT}/gleamstrand.6.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${GS_PACKAGING_OUT}
  COMMAND ${GZIP_PROGRAM} -9 -n -c ${GS_PACKAGING_DIR}/gleamstrand.6 > ${GS_PACKAGING_OUT}/gleamstrand.6.gz
  DEPENDS ${GS_PACKAGING_DIR}/gleamstrand.6
  COMMENT "Compressing the manual page")
add_custom_target(gs_manpage ALL DEPENDS ${GS_PACKAGING_OUT}/gleamstrand.6.gz)
install(FILES ${GS_PACKAGING_OUT}/gleamstrand.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# A native Debian package ships its changelog as changelog.gz, in Debian's
# changelog format.
configure_file(${GS_PACKAGING_DIR}/changelog.in ${GS_PACKAGING_OUT}/changelog @ONLY)
add_custom_command(
  OUTPUT ${GS_PACKAGING_OUT}/changelog.gz
  COMMAND ${GZIP_PROGRAM} -9 -n -c ${GS_PACKAGING_OUT}/changelog > ${GS_PACKAGING_OUT}/changelog.gz
  DEPENDS ${GS_PACKAGING_OUT}/changelog
  COMMENT "Compressing the changelog")
add_custom_target(gs_changelog ALL DEPENDS ${GS_PACKAGING_OUT}/changelog.gz)

install(FILES ${CMAKE_SOURCE_DIR}/LICENSE ${GS_PACKAGING_DIR}/copyright
              ${GS_PACKAGING_OUT}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/gleamstrand)
install(FILES ${gs_data_source}/data/resources/LICENSE-Carlito.txt
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/gleamstrand OPTIONAL)

# ---------------------------------------------------------------- Debian package
set(CPACK_PACKAGE_NAME gleamstrand)
set(CPACK_PACKAGE_VENDOR "Talvorine Games")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Gleamstrand developers <gleamstrand@talvorine.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "shaped-board match-three puzzle game")
set(CPACK_PACKAGE_DESCRIPTION
    "Gleamstrand is a casual puzzle game in a cavern of glowing crystals. Swap two
neighbouring jewels to line up three or more of one colour; clear every marble
cell of a shaped board to win the level. 80 levels, a level editor, saved
games, player profiles and a high-score table.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps names exactly the runtime libraries the program links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/DebianLayout.cmake)
include(CPack)

if(GS_TESTS)
  # Installs into a temporary prefix and runs the installed game headless.
  add_test(NAME install_layout
           COMMAND ${CMAKE_SOURCE_DIR}/tests/packaging/install-check.sh ${CMAKE_BINARY_DIR})
endif()
