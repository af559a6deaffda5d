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
    list(FILTER list EXCLUDE REGEX "_(posix|x11|web)(_test)?\\.(c|cpp)$")
  elseif(EMSCRIPTEN)
    tavrel_choose_web_layer(list)
  else()
    list(FILTER list EXCLUDE REGEX "_(win32|web)(_test)?\\.(c|cpp)$")
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

# The browser (Emscripten) builds on the terminal layer: the *_tty_posix files
# that only speak to the terminal's seam serve as they are, and a file
# foo_web.cpp takes the place of foo_posix.cpp and foo_tty_posix.cpp. There is
# no X display and no Win32.
function(tavrel_choose_web_layer var)
  set(list ${${var}})
  list(FILTER list EXCLUDE REGEX "_(win32|x11)(_test)?\\.(c|cpp)$")
  set(web ${list})
  list(FILTER web INCLUDE REGEX "_web\\.(c|cpp)$")
  foreach(file IN LISTS web)
    string(REGEX REPLACE "_web\\.(c|cpp)$" "_posix.\\1" posix "${file}")
    string(REGEX REPLACE "_web\\.(c|cpp)$" "_tty_posix.\\1" tty "${file}")
    list(REMOVE_ITEM list "${posix}" "${tty}")
  endforeach()
  set(tty ${list})
  list(FILTER tty INCLUDE REGEX "_tty_posix\\.(c|cpp)$")
  foreach(file IN LISTS tty)
    string(REGEX REPLACE "_tty_posix\\.(c|cpp)$" "_posix.\\1" stand_in "${file}")
    list(REMOVE_ITEM list "${stand_in}")
  endforeach()
  set(${var} ${list} PARENT_SCOPE)
endfunction()
