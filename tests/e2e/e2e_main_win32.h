// What the end-to-end test programs learn from their command line.
#pragma once
#include <string>

namespace e2e {

// Path of the tavrel.exe under test (--tavrel=PATH).
const std::wstring& TavrelExe();

}  // namespace e2e
