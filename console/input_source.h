// Where the fields of the input statement come from: the keyboard line read by
// InputBegin, or a numbered file's stream.
#pragma once
#include <cstdio>

#include "console/rt_string.h"

// Fields from the keyboard line, from its start.
void InputSourceUseLine();
// Fields from a stream; the keyboard line is emptied.
void InputSourceUseFile(FILE* stream);
// The keyboard line variable that InputBegin reads into.
RtString* InputLineVariable();
