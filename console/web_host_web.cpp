// The browser build's one wait: the window's rows go to the canvas before it,
// its events come in after it, and the moment is noted so that a program that
// never waits still yields now and then.
#include <emscripten/emscripten.h>

#include "console/web_host.h"

namespace {
WebHook g_before = nullptr;
WebHook g_after = nullptr;
double g_last_yield_ms = 0.0;
}  // namespace

void SetWebHooks(WebHook before_yield, WebHook after_yield) {
  g_before = before_yield;
  g_after = after_yield;
}

bool WebWait(int32_t ms) {
  if (g_before) g_before();
  const bool input = tavrel_web_wait(ms) != 0;
  g_last_yield_ms = emscripten_get_now();
  if (g_after) g_after();
  return input;
}

void WebSleep(int32_t ms) {
  const double end = emscripten_get_now() + ms;
  for (double left = ms; left > 0; left = end - emscripten_get_now()) {
    WebWait(static_cast<int32_t>(left + 0.999));
  }
}

void WebYieldIfDue() {
  if (emscripten_get_now() - g_last_yield_ms >= kWebYieldDueMs) WebWait(0);
}
