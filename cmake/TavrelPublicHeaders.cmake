# The headers a program using the runtime may include, relative to the source
# root: installed with the library under include/tavrel, folders kept, and the
# input of the API reference (scripts/check-docs.sh). tavrel.h includes the
# others; none of them includes a header missing from this list (the same script
# checks that), and what programs must not touch lives in *_internal.h and the
# other headers beside them.
set(TAVREL_PUBLIC_HEADERS
  tavrel.h
  tavrel_export.h
  console/runtime.h
  console/rt_string.h
  console/console.h
  console/print.h
  console/input.h
  console/services.h
  gfx/screen.h
  gfx/screen_failure.h
  gfx/draw.h
  gfx/bit_cast.h
  gfx/text.h
  gfx/input/keys.h
)
