// A display driver of the tests' own: records every call so that tests can check
// what the screen asked of its driver, without a window.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "gfx/window/display_driver.h"

struct RecordedCall {
  std::string driver;  // the driver's name
  std::string op;      // "init", "exit", "lock", "unlock", "set_palette", ...
  std::vector<int32_t> args;
  std::string text;    // the title passed to init and set_title
};

// Everything the test drivers were asked, in order.
std::vector<RecordedCall>& DriverCalls();
void ClearDriverCalls();

// A recording driver whose init answers with the given result (0 or -1). Up to
// four such drivers can exist at once; names must be distinct.
const DisplayDriver* MakeTestDriver(const char* name, int32_t init_result);
// Changes an existing test driver's init answer.
void SetTestDriverInitResult(const char* name, int32_t init_result);

// Installs a driver list made of the given drivers (null restores the platform's).
void UseDrivers(std::initializer_list<const DisplayDriver*> drivers);
void RestoreDrivers();

// Calls of one operation, optionally of one driver only.
int CountCalls(const std::string& op, const std::string& driver = "");

// get_mouse of every test driver answers with this result (0 at start).
void SetTestDriverMouseResult(int32_t result);
// Called after every recorded call (null: none); lets a test act while the code
// under test is inside a driver operation, e.g. queue a key on the third lock.
void SetTestDriverCallHook(std::function<void(const RecordedCall&)> hook);
