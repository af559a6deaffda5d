# CPack: on Linux two Debian packages, "tavrel" (the game: the program and its
# README, depending on the C/C++ and X libraries dpkg-shlibdeps finds) and
# "libtavrel-dev" (headers, library, CMake and pkg-config files, the examples'
# sources); on Windows one zip of everything. scripts/package.sh runs it.
set(CPACK_PACKAGE_NAME tavrel)
set(CPACK_PACKAGE_VENDOR "Tavrel")
set(CPACK_PACKAGE_CONTACT "Tavrel developers <tavrel@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Tavrel board game with its console runtime and graphics library")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_COMPONENTS_ALL game dev)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_GAME_PACKAGE_NAME tavrel)
set(CPACK_DEBIAN_GAME_PACKAGE_SECTION games)
set(CPACK_DEBIAN_GAME_PACKAGE_SHLIBDEPS ON)
set(CPACK_COMPONENT_GAME_DESCRIPTION
  "Tavrel board game\nA board game against the computer: menus in the terminal, the board in an X window.")
set(CPACK_DEBIAN_DEV_PACKAGE_NAME libtavrel-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_COMPONENT_DEV_DESCRIPTION
  "Tavrel console runtime and graphics library (development files)\nHeaders, the static library, CMake package (find_package(Tavrel)) and pkg-config module (tavrel), and the examples' sources.")
# The static library's users link the X libraries themselves.
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "libx11-dev, libxext-dev, libstdc++-dev | libstdc++-12-dev")
if(BUILD_SHARED_LIBS)
  set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "tavrel (= ${PROJECT_VERSION}), ${CPACK_DEBIAN_DEV_PACKAGE_DEPENDS}")
endif()

# The zip holds one tree: bin, include, lib with the CMake and pkg-config files.
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
if(WIN32)
  set(CPACK_SYSTEM_NAME win64)
endif()
include(CPack)
