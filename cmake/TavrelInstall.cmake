# Install rules and packages: the runtime as a CMake package (Tavrel::tavrel) and
# a pkg-config module, its public headers under include/tavrel, the game program
# and the examples' sources. Two components: "game" (the program, what a player
# installs) and "dev" (what a programmer builds against). Only a build with the
# real platform layers installs: the native build's stand-ins are for the unit
# tests, and a sanitized library would impose its runtime on every user.
if(WIN32 OR (TAVREL_REAL_PLATFORM AND NOT TAVREL_SANITIZE AND NOT TAVREL_TSAN))
  set(install_default ${PROJECT_IS_TOP_LEVEL})
else()
  set(install_default OFF)
endif()
option(TAVREL_INSTALL "Install the runtime, its headers and package files, and the game" ${install_default})
if(NOT TAVREL_INSTALL)
  return()
endif()
include(CMakePackageConfigHelpers)
include(${CMAKE_CURRENT_LIST_DIR}/TavrelPublicHeaders.cmake)

set(config_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Tavrel)

install(TARGETS tavrel_runtime EXPORT TavrelTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT game NAMELINK_COMPONENT dev
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT game)
foreach(header IN LISTS TAVREL_PUBLIC_HEADERS)
  cmake_path(GET header PARENT_PATH folder)
  install(FILES ${PROJECT_SOURCE_DIR}/${header}
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/tavrel/${folder} COMPONENT dev)
endforeach()
install(EXPORT TavrelTargets NAMESPACE Tavrel:: DESTINATION ${config_dir} COMPONENT dev)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/TavrelConfig.cmake.in
  ${PROJECT_BINARY_DIR}/TavrelConfig.cmake INSTALL_DESTINATION ${config_dir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/TavrelConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/TavrelConfig.cmake ${PROJECT_BINARY_DIR}/TavrelConfigVersion.cmake
  DESTINATION ${config_dir} COMPONENT dev)

# pkg-config: a static library brings its own dependencies onto the link line
# (pkg-config --libs without --static); a shared one keeps them private.
# Elsewhere the file finds its prefix from where it lies, so that an install
# moved with cmake --install --prefix still works.
set(pc_cflags "")
if(WIN32)
  set(pc_requires "")
  set(pc_deps "-luser32 -lgdi32 -lkernel32 -lwinmm")
  if(BUILD_SHARED_LIBS)
    # The DLL brings its own; a program imports the runtime's data.
    set(pc_deps "")
    set(pc_cflags " -DTAVREL_DLL")
  elseif(NOT MSVC)
    set(pc_deps "-static -static-libgcc -static-libstdc++ ${pc_deps}")
  endif()
else()
  set(pc_requires "x11 xext")
  set(pc_deps "-pthread")
  if(CMAKE_DL_LIBS)
    set(pc_deps "-pthread -l${CMAKE_DL_LIBS}")
  endif()
endif()
if(BUILD_SHARED_LIBS AND NOT WIN32)
  set(pc_requires_private "${pc_requires}")
  set(pc_requires "")
  set(pc_libs_private "${pc_deps}")
  set(pc_libs "")
else()
  set(pc_requires_private "")
  set(pc_libs_private "")
  set(pc_libs "${pc_deps}")
endif()
# A distribution's package (prefix /usr) names its folders plainly.
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  set(pc_prefix /usr)
else()
  file(RELATIVE_PATH pc_prefix_from_file /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
  string(REGEX REPLACE "/$" "" pc_prefix_from_file "${pc_prefix_from_file}")
  set(pc_prefix "\${pcfiledir}/${pc_prefix_from_file}")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/tavrel.pc.in ${PROJECT_BINARY_DIR}/tavrel.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/tavrel.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT dev)

# The game, and the examples: their sources for reading, and on Windows the
# built programs beside tavrel.exe.
install(TARGETS tavrel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT game)
file(GLOB example_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/examples/*.cpp)
install(FILES ${example_sources}
  DESTINATION ${CMAKE_INSTALL_DATADIR}/tavrel/examples COMPONENT dev)
if(WIN32)
  foreach(example IN ITEMS opengl_board)
    if(TARGET ${example})
      install(TARGETS ${example} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT game)
    endif()
  endforeach()
  install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION . COMPONENT game)
else()
  install(FILES ${PROJECT_SOURCE_DIR}/README.md
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/tavrel COMPONENT game)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/libtavrel-dev COMPONENT dev)
endif()

include(${CMAKE_CURRENT_LIST_DIR}/TavrelPackaging.cmake)
