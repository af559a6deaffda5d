# Source collection shared by both builds: one glob per folder, so that adding a
# file to a folder needs no edit here.
function(tavrel_collect_sources out)
  set(result)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS
      ${PROJECT_SOURCE_DIR}/${dir}/*.cpp ${PROJECT_SOURCE_DIR}/${dir}/*.c)
    list(APPEND result ${found})
  endforeach()
  tavrel_filter_platform(result)
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# Keeps *_win32 files for Windows and *_posix files for the native build. The
# native build's *_posix stand-ins give way, with TAVREL_REAL_PLATFORM, to the
# real terminal and X11 layers: a file foo_tty_posix.cpp or foo_x11.cpp replaces
# foo_posix.cpp; without the option those files are left out.
function(tavrel_filter_platform var)
  set(list ${${var}})
  if(WIN32)
    list(FILTER list EXCLUDE REGEX "_(posix|x11)(_test)?\\.(c|cpp)$")
  else()
    list(FILTER list EXCLUDE REGEX "_win32(_test)?\\.(c|cpp)$")
    tavrel_choose_posix_layer(list)
  endif()
  set(${var} ${list} PARENT_SCOPE)
endfunction()

function(tavrel_choose_posix_layer var)
  set(list ${${var}})
  set(real ${list})
  list(FILTER real INCLUDE REGEX "_(tty_posix|x11)(_test)?\\.(c|cpp)$")
  if(NOT TAVREL_REAL_PLATFORM)
    list(REMOVE_ITEM list ${real})
  else()
    foreach(file IN LISTS real)
      string(REGEX REPLACE "_(tty_posix|x11)((_test)?\\.(c|cpp))$" "_posix\\2" stand_in "${file}")
      list(REMOVE_ITEM list "${stand_in}")
    endforeach()
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
