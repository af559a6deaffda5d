// The print statement: items with newline and print-zone control, sent to the
// console or to a numbered file, with each output's column kept.
#include "console/print_internal.h"

#include <cstdio>
#include <cstring>

#include "console/console.h"
#include "console/runtime_internal.h"

namespace {

struct ConsoleRecord {
  bool created;
  int32_t print_column;
};

ConsoleRecord g_console_record = {false, 0};

ConsoleRecord* ConsoleColumnRecord() {
  if (!g_console_record.created) {
    g_console_record.created = true;
    g_console_record.print_column = CursorColumn() - 1;
  }
  return &g_console_record;
}

// The column after writing bytes from column, wrapped at width: counted from the
// last line end when the text holds one.
int32_t ColumnAfter(int32_t column, const char* bytes, uint32_t length, uint32_t width) {
  uint32_t after = static_cast<uint32_t>(column) + length;
  for (uint32_t i = length; i > 0; --i) {
    if (bytes[i - 1] == '\n' || bytes[i - 1] == '\r') {
      after = length - i;
      break;
    }
  }
  // A zero width (no text grid) cannot wrap anything.
  return static_cast<int32_t>(width == 0 ? after : after % width);
}

void WriteToOutput(int32_t file_number, const char* bytes, uint32_t length, int32_t print_mode) {
  if (file_number == 0) {
    PrintToConsole(bytes, length, print_mode);
  } else {
    PrintToFile(file_number, bytes, length, print_mode);
  }
}

}  // namespace

int32_t ConsolePrintColumn() { return ConsoleColumnRecord()->print_column; }

void SetConsolePrintColumn(int32_t column) {
  g_console_record.created = true;
  g_console_record.print_column = column;
}

void PrintToConsole(const char* bytes, uint32_t length, int32_t print_mode) {
  int32_t width = 0;
  TextSize(&width, nullptr);
  // The record is made from the cursor before the write: made after it, the
  // cursor would already count this text and the length would be added again.
  ConsoleRecord* record = ConsoleColumnRecord();
  WriteText(bytes, static_cast<int32_t>(length), print_mode);
  record->print_column = ColumnAfter(record->print_column, bytes, length, static_cast<uint32_t>(width));
}

void PrintToFile(int32_t file_number, const char* bytes, uint32_t length, int32_t print_mode) {
  (void)print_mode;
  FILE* stream = FileStream(file_number);
  if (!stream) {
    SetLastErrorCode(kErrorBadArgument);
    return;
  }
  if (std::fwrite(bytes, length, 1, stream) != 1) {
    SetLastErrorCode(kErrorWriteFailed);
    return;
  }
  FileSlot& slot = g_file_table[file_number];
  slot.print_column = ColumnAfter(slot.print_column, bytes, length, kPrintZoneWidth);
  SetLastErrorCode(kErrorNone);
}

void PadToColumn(int32_t file_number, int32_t print_mode, int32_t from, int32_t to) {
  static const char kBlanks[kPrintZoneWidth] = {' ', ' ', ' ', ' ', ' ', ' ', ' ',
                                                ' ', ' ', ' ', ' ', ' ', ' ', ' '};
  if (to > from) {
    int32_t count = to - from;
    while (count > 0) {  // a zone step needs at most one zone of blanks
      int32_t piece = count < kPrintZoneWidth ? count : kPrintZoneWidth;
      WriteToOutput(file_number, kBlanks, static_cast<uint32_t>(piece), print_mode);
      count -= piece;
    }
    return;
  }
  WriteToOutput(file_number, "\n", 1, print_mode);
}

void PrintNextZone(int32_t file_number, int32_t print_mode) {
  int32_t column;
  if (file_number == 0) {
    column = ConsolePrintColumn();
  } else if (file_number >= 1 && file_number <= kFileCount) {
    column = g_file_table[file_number].print_column;
  } else {
    SetLastErrorCode(kErrorBadArgument);
    return;
  }
  int32_t next = ((column + kPrintZoneWidth) / kPrintZoneWidth) * kPrintZoneWidth + 1;
  if (file_number == 0) {
    int32_t width = 0;
    TextSize(&width, nullptr);
    if (next > width - kPrintZoneWidth) next = 1;
  }
  PadToColumn(file_number, print_mode, column + 1, next);
}

void PrintFinish(int32_t file_number, int32_t print_mode) {
  if (print_mode & kPrintNewline) {
    WriteToOutput(file_number, "\n", 1, print_mode);
  } else if (print_mode & kPrintNextZone) {
    PrintNextZone(file_number, print_mode & ~3);
  }
}

void PrintText(int32_t file_number, const char* bytes, uint32_t length, int32_t print_mode) {
  if (length != 0 && bytes) WriteToOutput(file_number, bytes, length, print_mode & ~3);
  PrintFinish(file_number, print_mode);
}

void PrintCString(int32_t file_number, const char* text, int32_t print_mode) {
  if (!text) {
    PrintFinish(file_number, print_mode);
    return;
  }
  PrintText(file_number, text, static_cast<uint32_t>(std::strlen(text)), print_mode);
}

void PrintString(int32_t file_number, RtString* text, int32_t print_mode) {
  if (text && text->data) {
    PrintText(file_number, text->data, RtLength(text), print_mode);
  } else {
    PrintFinish(file_number, print_mode);
  }
  RtRelease(text);
}

void ForgetConsolePrintColumn() { g_console_record = {false, 0}; }
