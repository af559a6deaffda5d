# `cmake --build <dir> --target docs`: the API reference of the public headers,
# in <dir>/docs/html, checked as the test command checks it (no warning).
find_program(TAVREL_DOXYGEN doxygen)
if(TAVREL_DOXYGEN AND PROJECT_IS_TOP_LEVEL)
  add_custom_target(docs
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/../scripts/check-docs.sh ${PROJECT_BINARY_DIR}/docs
    COMMENT "API reference in ${PROJECT_BINARY_DIR}/docs/html"
    VERBATIM)
endif()
