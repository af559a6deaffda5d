// The screen-lock convention: the outermost operation that touches state shared
// with the driver's update thread takes the display lock, nested ones find the
// screen_locked bit set and leave the lock alone.
#include "console/key_poll_pacing.h"
#include "gfx/screen.h"
#include "gfx/window/time_slice.h"
#include "gfx/window/display_driver.h"

bool ScreenLock() {
  ScreenContext* s = g_screen;
  if (!s || (s->state_flags & kStateScreenLocked)) return false;
  if (s->driver && s->driver->lock) s->driver->lock();
  s->state_flags |= kStateScreenLocked;
  return true;
}

void ScreenUnlockAfterRead(bool took) {
  ScreenContext* s = g_screen;
  if (!took || !s) return;
  s->state_flags &= ~kStateScreenLocked;
  if (s->driver && s->driver->unlock) s->driver->unlock();
}

// Whatever the program did under the lock may have changed what it shows: its
// key polls are not paced while it does so, and an idle update thread wakes.
void ScreenUnlock(bool took) {
  if (!took) return;
  NoteProgramActivity();
  ScreenUnlockAfterRead(took);
  NoteScreenChanged();
}
