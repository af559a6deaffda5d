// Line input: one typed line read by InputBegin, fields taken from it by the
// Input* conversions.
#pragma once
#include <cstdint>

#include "console/rt_string.h"

int32_t InputBegin(RtString* prompt, int32_t question_flag, int32_t newline_flag);
void InputInt(int32_t* destination);
// True when the last InputBegin met the end of input before reading anything.
bool InputReachedEnd();
