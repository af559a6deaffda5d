# The browser build (Emscripten): the game as a static page in build/web/page,
# its program, the page's own script and style, and the terminal widget the
# console phase is shown in, all from that one folder. The program keeps its
# blocking loops: its waits yield to the browser through Asyncify, which only
# the one wait import may start. No threads, so no SharedArrayBuffer and no
# special headers on the server.
set(web_dir ${PROJECT_SOURCE_DIR}/web)
set(page_dir ${PROJECT_BINARY_DIR}/page)
set(xterm_dir ${web_dir}/node_modules/@xterm/xterm)

# The widget comes from npm at the version package-lock.json pins.
if(NOT EXISTS ${xterm_dir}/lib/xterm.js)
  find_program(NPM npm REQUIRED)
  execute_process(COMMAND ${NPM} ci --no-audit --no-fund WORKING_DIRECTORY ${web_dir}
    RESULT_VARIABLE npm_result)
  if(NOT npm_result EQUAL 0)
    message(FATAL_ERROR "npm ci in ${web_dir} failed: the page needs @xterm/xterm")
  endif()
endif()

add_executable(tavrel ${PROJECT_SOURCE_DIR}/game/main.cpp)
target_link_libraries(tavrel PRIVATE tavrel_game)
tavrel_warnings(tavrel)
set_target_properties(tavrel PROPERTIES
  SUFFIX .js
  RUNTIME_OUTPUT_DIRECTORY ${page_dir}
  LINK_DEPENDS ${web_dir}/tavrel_library.js)
target_link_options(tavrel PRIVATE
  -sASYNCIFY
  "-sASYNCIFY_IMPORTS=['tavrel_web_wait']"
  -sASYNCIFY_STACK_SIZE=16384
  -sEXIT_RUNTIME=1
  -sENVIRONMENT=web
  -sALLOW_MEMORY_GROWTH=1
  "-sEXPORTED_RUNTIME_METHODS=[]"
  --js-library ${web_dir}/tavrel_library.js)

set(page_files
  ${web_dir}/index.html ${web_dir}/tavrel_page.js ${web_dir}/tavrel_page.css
  ${xterm_dir}/lib/xterm.js ${xterm_dir}/css/xterm.css)
set(page_copies)
foreach(file IN LISTS page_files)
  cmake_path(GET file FILENAME name)
  add_custom_command(OUTPUT ${page_dir}/${name}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} ${page_dir}/${name}
    DEPENDS ${file} VERBATIM)
  list(APPEND page_copies ${page_dir}/${name})
endforeach()
add_custom_target(web_page ALL DEPENDS ${page_copies})
add_dependencies(tavrel web_page)
