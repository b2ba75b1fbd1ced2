# Installation as a Linux package would lay the game out, and the Debian
# package made from it with "cpack -G DEB":
#   bin/gleamstrand                          the program
#   share/gleamstrand/{data,Data,layouts}    its read-only data
#   share/applications, share/icons/hicolor, share/metainfo, share/man/man6
#   share/doc/gleamstrand                    the licence texts
include(GNUInstallDirs)

set(GS_APP_ID com.talvorine.Gleamstrand)
set(GS_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(GS_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)

# The installed program finds its data through this path relative to its
# own folder, wherever the prefix is.
file(RELATIVE_PATH gs_data_from_bin /prefix/${CMAKE_INSTALL_BINDIR}
     /prefix/${CMAKE_INSTALL_DATADIR}/gleamstrand)
target_compile_definitions(gleamstrand PRIVATE GS_INSTALLED_DATA="${gs_data_from_bin}")
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

install(FILES ${CMAKE_SOURCE_DIR}/LICENSE ${GS_PACKAGING_DIR}/copyright
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
include(CPack)

if(GS_TESTS)
  # Installs into a temporary prefix and runs the installed game headless.
  add_test(NAME install_layout
           COMMAND ${CMAKE_SOURCE_DIR}/tests/packaging/install-check.sh ${CMAKE_BINARY_DIR})
endif()
