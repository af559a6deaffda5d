# The headers a program using the runtime may include, relative to the source
# root: installed with the library under include/tavrel, folders kept. tavrel.h
# includes the others; the rest are what they include in turn.
set(TAVREL_PUBLIC_HEADERS
  tavrel.h
  console/runtime.h
  console/rt_string.h
  console/console.h
  console/print.h
  console/input.h
  console/services.h
  gfx/screen.h
  gfx/screen_failure.h
  gfx/draw.h
  gfx/text.h
  gfx/input/keys.h
  gfx/data/builtin_data.h
  gfx/window/display_driver.h
)
