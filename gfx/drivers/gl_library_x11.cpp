// libGL.so.1 is loaded only when an OpenGL screen opens, so that programs that
// never open one need no OpenGL library at all. Once loaded it stays: Mesa
// leaves threads and exit handlers of its own behind, which must not outlive
// their code.
#include <dlfcn.h>

#include "gfx/drivers/gl_state_x11.h"

namespace glx {

State g_gl;

namespace {

template <typename Fn>
void LookUp(Fn* slot, const char* name) {
  *slot = reinterpret_cast<Fn>(dlsym(g_gl.gl.module, name));
}

bool AllFound(const Library& gl) {
  return gl.query_extension && gl.choose_fb_config && gl.get_fb_config_attrib &&
         gl.get_visual_from_fb_config && gl.create_new_context && gl.make_current &&
         gl.destroy_context && gl.swap_buffers;
}

}  // namespace

bool LoadLibrary() {
  Library& gl = g_gl.gl;
  if (gl.module) return AllFound(gl);
  gl.module = dlopen("libGL.so.1", RTLD_NOW | RTLD_LOCAL);
  if (!gl.module) return false;
  LookUp(&gl.query_extension, "glXQueryExtension");
  LookUp(&gl.choose_fb_config, "glXChooseFBConfig");
  LookUp(&gl.get_fb_config_attrib, "glXGetFBConfigAttrib");
  LookUp(&gl.get_visual_from_fb_config, "glXGetVisualFromFBConfig");
  LookUp(&gl.create_new_context, "glXCreateNewContext");
  LookUp(&gl.make_current, "glXMakeCurrent");
  LookUp(&gl.destroy_context, "glXDestroyContext");
  LookUp(&gl.swap_buffers, "glXSwapBuffers");
  return AllFound(gl);
}


}  // namespace glx
