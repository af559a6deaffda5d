// opengl32.dll is loaded only when an OpenGL screen opens, so that programs
// that never open one do not depend on it.
#include "gfx/drivers/gl_state_win32.h"

GlState g_gl;

namespace {

template <typename Fn>
Fn LookUp(const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(g_gl.module, name)));
}

}  // namespace

int32_t GlLoadLibrary() {
  g_gl.module = LoadLibraryA("opengl32.dll");
  if (!g_gl.module) return -1;
  g_gl.create_context = LookUp<WglCreateContextFn>("wglCreateContext");
  g_gl.make_current = LookUp<WglMakeCurrentFn>("wglMakeCurrent");
  g_gl.delete_context = LookUp<WglDeleteContextFn>("wglDeleteContext");
  if (!g_gl.create_context || !g_gl.make_current || !g_gl.delete_context) return -1;
  return 0;
}
