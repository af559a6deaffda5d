// What XRandR tells the OpenGL driver: the screen sizes and their rates for
// the mode list, and the current rate for the retrace wait. libXrandr is
// loaded at run time and only here, so a server or a system without it just
// gives the current size and no rate.
#include <dlfcn.h>

#include "gfx/drivers/gl_state_x11.h"

namespace glx {
namespace {

// XRandR 1.0's size record and calls, stable since the extension began.
struct RandrSize {
  int width, height, mwidth, mheight;
};
struct RandrApi {
  Bool (*query_extension)(Display*, int*, int*);
  RandrSize* (*sizes)(Display*, int, int*);
  short* (*rates)(Display*, int, int, int*);
  void* (*get_screen_info)(Display*, Window);
  short (*current_rate)(void*);
  void (*free_screen_info)(void*);
};

template <typename Fn>
bool LookUp(void* module, Fn* slot, const char* name) {
  *slot = reinterpret_cast<Fn>(dlsym(module, name));
  return *slot != nullptr;
}

// The library stays loaded for the process once found: Xlib keeps the
// extension's hooks in every display it was used on.
const RandrApi* Randr(Display* d) {
  static RandrApi api{};
  static const bool loaded = [] {
    void* m = dlopen("libXrandr.so.2", RTLD_NOW | RTLD_LOCAL);
    return m && LookUp(m, &api.query_extension, "XRRQueryExtension") &&
           LookUp(m, &api.sizes, "XRRSizes") && LookUp(m, &api.rates, "XRRRates") &&
           LookUp(m, &api.get_screen_info, "XRRGetScreenInfo") &&
           LookUp(m, &api.current_rate, "XRRConfigCurrentRate") &&
           LookUp(m, &api.free_screen_info, "XRRFreeScreenConfigInfo");
  }();
  int event_base = 0, error_base = 0;
  if (!loaded || !api.query_extension(d, &event_base, &error_base)) return nullptr;
  return &api;
}

}  // namespace

int32_t CurrentRefreshRate(Display* d) {
  const RandrApi* r = Randr(d);
  if (!r) return 0;
  void* info = r->get_screen_info(d, DefaultRootWindow(d));
  if (!info) return 0;
  const int32_t rate = r->current_rate(info);
  r->free_screen_info(info);
  return rate;
}

std::vector<GlxScreenSize> ScreenSizes(Display* d) {
  std::vector<GlxScreenSize> found;
  const RandrApi* r = Randr(d);
  if (!r) return found;
  const int screen = DefaultScreen(d);
  int count = 0;
  RandrSize* sizes = r->sizes(d, screen, &count);
  for (int i = 0; sizes && i < count; ++i) {
    GlxScreenSize s{sizes[i].width, sizes[i].height, {}};
    int rate_count = 0;
    short* rates = r->rates(d, screen, i, &rate_count);
    for (int j = 0; rates && j < rate_count; ++j) s.rates.push_back(rates[j]);
    found.push_back(s);
  }
  return found;
}

}  // namespace glx
