// Example: a text program with the Tavrel console runtime.
//
// It shows the sixteen colours, the print statement's 14-column zones, text
// put anywhere with Locate, the keys you press (arrows included) and a line of
// input. It runs in a console window on Windows and in a terminal on Linux.
//
// Keys come as short strings: one byte for an ordinary key, or 255 followed by
// the key's PC scan code for an extended one (Up is 255, 72). Escape moves on
// to the question; a key after the answer ends the program.
#include <cstdio>

#include "tavrel.h"

namespace {

constexpr int32_t kGrey = 7, kBlack = 0, kWhite = 15, kBlue = 1, kYellow = 14;

// Prints one piece of text with no line break after it.
void Say(const char* text) { PrintCString(0, text, 0); }

void ShowTitle() {
  SetColor(kWhite, kBlue);
  PrintCString(0, " Tavrel console demo ", kPrintNewline);
  SetColor(kGrey, kBlack);  // colours stay in force until changed
}

// Each colour number printed in its own colour; black gets a grey background
// so that it can be seen.
void ShowColours() {
  Locate(3, 1, -1);
  Say("Colours:");
  for (int32_t colour = 0; colour < 16; ++colour) {
    char number[4];
    std::snprintf(number, sizeof number, " %d", colour);
    SetColor(colour, colour == kBlack ? kGrey : kBlack);
    Say(number);
  }
  SetColor(kGrey, kBlack);
}

// kPrintNextZone moves to the next zone (columns 1, 15, 29, ...) instead of
// starting a new line: the print statement's way of making columns.
void ShowZones() {
  Locate(5, 1, -1);
  PrintCString(0, "zone 1", kPrintNextZone);
  PrintCString(0, "zone 2", kPrintNextZone);
  PrintCString(0, "zone 3", kPrintNewline);
}

// Rows and columns count from 1; 0 or below keeps that coordinate. The third
// argument shows (1) or hides (0) the cursor; -1 leaves it as it is.
void ShowLocate() {
  Locate(7, 41, -1);
  Say("Locate put this at row 7, column 41");
}

// What a key string holds, in words: "255 72 (Up)", "120 (x)".
void DescribeKey(const RtString* key, char* out, size_t size) {
  const auto first = static_cast<unsigned char>(key->data[0]);
  if (RtLength(key) == 2) {  // 255 and a scan code: 72 Up, 75 Left, 77 Right, 80 Down
    const int scan = static_cast<unsigned char>(key->data[1]);
    const char* name = scan == 72 ? "Up" : scan == 75 ? "Left" : scan == 77 ? "Right"
                     : scan == 80 ? "Down" : "extended";
    std::snprintf(out, size, "%d %d (%s)", first, scan, name);
  } else if (first == 27 || first == 13) {
    std::snprintf(out, size, "%d (%s)", first, first == 27 ? "Escape" : "Enter");
  } else {
    std::snprintf(out, size, first >= 32 && first < 127 ? "%d (%c)" : "%d", first, first);
  }
}

// ReadKey never waits: it returns an empty string when no key is there. Its
// result is a temporary string from a pool of 256; release each one (or assign
// it to a variable, which takes it over), or keys stop arriving.
void ShowKeysUntilEscape() {
  Locate(9, 1, -1);
  Say("Press keys (arrows too); Escape goes on.");
  for (bool done = false; !done;) {
    RtString* key = ReadKey();
    if (RtLength(key) > 0) {
      char text[32], line[48];
      DescribeKey(key, text, sizeof text);
      done = RtLength(key) == 1 && key->data[0] == 27;
      std::snprintf(line, sizeof line, "Key: %-24s", text);  // blanks wipe a longer one
      Locate(10, 1, -1);
      Say(line);
    }
    RtRelease(key);
  }
}

// The input statement: a prompt (followed by "? " when the question flag is
// set), one line from the keyboard, then its fields. kVariableLength makes the
// destination a growing RtString, which the program owns and clears.
void AskName() {
  Locate(12, 1, -1);
  InputBegin(RtTempFromCString("Your name"), -1, -1);  // the prompt is consumed
  RtString name{};
  InputString(&name, kVariableLength, 0);
  SetColor(kYellow, kBlack);
  Say("Hello, ");
  PrintString(0, &name, 0);
  PrintCString(0, "!", kPrintNewline);
  SetColor(kGrey, kBlack);
  RtClear(&name);
}

// WaitKey waits for one key and gives its code (an extended key's bare scan
// code): a console window opened for this program stays until it is read.
void WaitToEnd() {
  PrintCString(0, "Press any key to end.", kPrintNewline);
  WaitKey();
}

}  // namespace

int main(int argc, char** argv) {
  RuntimeInit(argc, argv);  // before any other call of the runtime
  ClearScreen(kNoArgument);
  ShowTitle();
  ShowColours();
  ShowZones();
  ShowLocate();
  ShowKeysUntilEscape();
  AskName();
  WaitToEnd();
  RuntimeEnd(0);  // ends the process; on Linux the terminal is restored first
}
