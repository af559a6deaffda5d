// The accept-everything display behind NullDisplayList.
#include "support/null_display.h"

namespace {

int32_t AcceptInit(const char*, int32_t, int32_t, int32_t, int32_t, int32_t) { return 0; }
void Nothing() {}
void NoPalette(int32_t, int32_t, int32_t, int32_t) {}

const DisplayDriver kNullDisplay{
    .name = "Null",
    .init = AcceptInit,
    .exit = Nothing,
    .lock = Nothing,
    .unlock = Nothing,
    .set_palette = NoPalette,
    .wait_vsync = Nothing,
    .get_mouse = nullptr,
    .set_mouse = nullptr,
    .set_title = nullptr,
    .fetch_modes = nullptr,
    .flip = nullptr,
};
const DisplayDriver* const kNullDisplays[] = {&kNullDisplay, nullptr};

}  // namespace

const DisplayDriver* const* NullDisplayList() { return kNullDisplays; }
