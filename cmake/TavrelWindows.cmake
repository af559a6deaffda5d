# Windows build: tavrel.exe, statically linked so that it needs no extra DLLs.
# The installed library asks the same of its users' programs: built with
# mingw-w64, they then run without its C++ and threads DLLs beside them.
if(NOT MSVC)
  target_link_options(tavrel_runtime PUBLIC -static -static-libgcc -static-libstdc++)
endif()
# winmm: the 1 ms timer period while a screen is open.
target_link_libraries(tavrel_runtime PUBLIC user32 gdi32 kernel32 winmm)

# mingw-w64's GCC spills 32- and 64-byte registers with aligned moves to a stack
# it only aligns to 16 bytes. binutils 2.38 and later can encode those moves as
# unaligned ones, which makes the AVX2 and AVX-512 blitters safe; everything,
# the tests included, is assembled that way. Without it only the 16-byte levels
# are enabled.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  include(CheckCXXSourceCompiles)
  set(CMAKE_REQUIRED_FLAGS "-Wa,-muse-unaligned-vector-move")
  check_cxx_source_compiles("int main() { return 0; }" TAVREL_ASSEMBLER_UNALIGNED_MOVES)
  unset(CMAKE_REQUIRED_FLAGS)
  if(TAVREL_ASSEMBLER_UNALIGNED_MOVES)
    target_compile_options(tavrel_runtime PUBLIC $<BUILD_INTERFACE:-Wa,-muse-unaligned-vector-move>)
    target_compile_definitions(tavrel_runtime PRIVATE TAVREL_UNALIGNED_VECTOR_MOVES=1)
  else()
    message(WARNING "the assembler lacks -muse-unaligned-vector-move: AVX2 and AVX-512 blitters disabled")
  endif()
endif()

set(tavrel_resources)
if(EXISTS ${PROJECT_SOURCE_DIR}/game/tavrel.rc)
  enable_language(RC)
  set(tavrel_resources ${PROJECT_SOURCE_DIR}/game/tavrel.rc)
  set_source_files_properties(${tavrel_resources} PROPERTIES
    OBJECT_DEPENDS "${PROJECT_SOURCE_DIR}/game/tavrel.ico;${PROJECT_SOURCE_DIR}/game/tavrel.manifest")
endif()
add_executable(tavrel ${PROJECT_SOURCE_DIR}/game/main.cpp ${tavrel_resources})
target_link_libraries(tavrel PRIVATE tavrel_game)
tavrel_warnings(tavrel)

# The blitter timing program, with the same flags as tavrel.exe.
add_subdirectory(${PROJECT_SOURCE_DIR}/bench/levels ${PROJECT_BINARY_DIR}/bench/levels)

# ctest runs Windows programs through this wrapper (a Wine prefix of the build's own).
set(TAVREL_WINE_RUN ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh CACHE FILEPATH "Runs a Windows program for ctest")
