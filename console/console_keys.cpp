// Single keys on the text console: a _kbhit/_getch pair built on the console's
// input records, and the KeyString operations on top of it.
//
// Unlike a plain _getch caller, these operations see whole keys, so a typed
// character 224 (a Cyrillic letter in code page 866) stays that character; it
// is not mistaken for the prefix of an extended key, which would swallow the
// key typed after it.
#include "console/console_input_api.h"
#include "console/console_keys.h"
#include "console/key_poll_pacing.h"
#include "console/text_console.h"

namespace {

int g_pending_code = -1;  // the second code of an extended key half taken by ConsoleGetch

// Waits for the next record that gives a key; false when input cannot be read.
bool TakeKey(KeyCodes* codes) {
  ConsoleKeyRecord record;
  for (;;) {
    if (!g_console_input_api.read(&record)) return false;
    *codes = TranslateKeyRecord(record);
    if (codes->count > 0) return true;
  }
}

}  // namespace

int32_t ConsoleKbhit() {
  if (g_pending_code >= 0) return 1;
  if (g_console_input_api.ready && !g_console_input_api.ready()) return 0;
  ConsoleKeyRecord record;
  // Records that give no key are taken off the queue here, so the queue cannot
  // fill up with key-ups while nobody reads a key.
  while (g_console_input_api.peek(&record)) {
    if (TranslateKeyRecord(record).count > 0) return 1;
    if (!g_console_input_api.read(&record)) return 0;
  }
  return 0;
}

int32_t ConsoleGetch() {
  if (g_pending_code >= 0) {
    int code = g_pending_code;
    g_pending_code = -1;
    return code;
  }
  KeyCodes codes;
  if (!TakeKey(&codes)) return -1;
  if (codes.count == 2) g_pending_code = codes.bytes[1];
  return codes.bytes[0];
}

void ConsoleForgetPendingKey() { g_pending_code = -1; }

KeyString* ConsoleReadKey() {
  const int64_t entered = KeyPollEntered();
  if (!ConsoleKbhit() && !(PaceEmptyPoll(entered, g_console_input_api.wait) && ConsoleKbhit())) {
    KeyPollLeft();
    return RtSharedEmpty();
  }
  uint8_t bytes[2] = {255, 0};
  if (g_pending_code >= 0) {
    bytes[1] = static_cast<uint8_t>(ConsoleGetch());
    return RtTempFromBytes(bytes, 2);
  }
  KeyCodes codes;
  if (!TakeKey(&codes)) return RtSharedEmpty();
  if (codes.count == 1) return RtTempFromBytes(codes.bytes, 1);
  bytes[1] = codes.bytes[1];
  return RtTempFromBytes(bytes, 2);
}

int32_t ConsoleWaitKey() {
  if (g_pending_code >= 0) return ConsoleGetch();
  KeyCodes codes;
  if (!TakeKey(&codes)) return -1;
  return codes.count == 2 ? codes.bytes[1] : codes.bytes[0];
}

int32_t ConsoleKeyWaiting() { return ConsoleKbhit(); }
