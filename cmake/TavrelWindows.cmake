# Windows build: tavrel.exe, statically linked so that it needs no extra DLLs.
if(NOT MSVC)
  target_link_options(tavrel_core PUBLIC -static -static-libgcc -static-libstdc++)
endif()
target_link_libraries(tavrel_core PUBLIC user32 gdi32 kernel32)

set(tavrel_resources)
if(EXISTS ${CMAKE_SOURCE_DIR}/game/tavrel.rc)
  enable_language(RC)
  set(tavrel_resources ${CMAKE_SOURCE_DIR}/game/tavrel.rc)
endif()
add_executable(tavrel ${CMAKE_SOURCE_DIR}/game/main.cpp ${tavrel_resources})
target_link_libraries(tavrel PRIVATE tavrel_core)
tavrel_warnings(tavrel)

# ctest runs Windows programs through this wrapper (a Wine prefix of the build's own).
set(TAVREL_WINE_RUN ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh CACHE FILEPATH "Runs a Windows program for ctest")
