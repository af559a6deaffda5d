# Source collection shared by both builds: one glob per folder, so that adding a
# file to a folder needs no edit here.
function(tavrel_collect_sources out)
  set(result)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS
      ${CMAKE_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/${dir}/*.c)
    list(APPEND result ${found})
  endforeach()
  tavrel_filter_platform(result)
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# Keeps *_win32 files for Windows and *_posix files for the native build.
function(tavrel_filter_platform var)
  set(list ${${var}})
  if(WIN32)
    list(FILTER list EXCLUDE REGEX "_posix(_test)?\\.(c|cpp)$")
  else()
    list(FILTER list EXCLUDE REGEX "_win32(_test)?\\.(c|cpp)$")
  endif()
  set(${var} ${list} PARENT_SCOPE)
endfunction()

function(tavrel_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra)
  endif()
endfunction()
