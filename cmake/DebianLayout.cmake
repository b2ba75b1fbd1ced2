# Run by CPack on its staging tree before it builds the .deb: Debian installs
# games in /usr/games and their read-only data in /usr/share/games, so the
# plain install's bin/gleamstrand and share/gleamstrand move there. The
# program looks for its data in both places (GS_INSTALLED_DATA,
# GS_PACKAGED_DATA).
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()
set(root "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
if(NOT EXISTS "${root}/bin/gleamstrand" OR NOT IS_DIRECTORY "${root}/share/gleamstrand")
  message(FATAL_ERROR "DebianLayout: no plain install layout under ${root}")
endif()
file(MAKE_DIRECTORY "${root}/games" "${root}/share/games")
file(RENAME "${root}/bin/gleamstrand" "${root}/games/gleamstrand")
file(GLOB left "${root}/bin/*")
if(NOT left)
  file(REMOVE_RECURSE "${root}/bin")
endif()
file(RENAME "${root}/share/gleamstrand" "${root}/share/games/gleamstrand")
