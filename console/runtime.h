/// \file
/// The run-time frame: the start and end of a program, the last error code,
/// and where the runtime's diagnostics go.
///
/// Unless a declaration says otherwise, everything in the runtime is called from
/// the program's thread (the one that called RuntimeInit) and is not safe to call
/// from two threads at once.
#pragma once
#include <cstdint>

/// Last error code: no error.
constexpr int32_t kErrorNone = 0;
/// Last error code: a bad argument (an unknown mode, a bad file number) or a
/// state that does not allow the call (no screen open, no driver could start).
constexpr int32_t kErrorBadArgument = 1;
/// Last error code: writing to a file failed.
constexpr int32_t kErrorWriteFailed = 3;

/// The last error code: one process-wide value, set by the operations that say
/// so in their description (each returns the value it sets). Operations that
/// succeed do not always reset it: clear it with SetLastErrorCode(kErrorNone)
/// before a call whose outcome you want to read from here.
/// \return kErrorNone, kErrorBadArgument or kErrorWriteFailed.
int32_t LastErrorCode();

/// Sets the last error code.
/// \param code the new value, normally one of the kError constants.
/// \return code.
int32_t SetLastErrorCode(int32_t code);

/// Starts the runtime; the program's first call. Clears the file table, sets
/// the floating-point unit to extended precision with rounding to nearest
/// (where the processor has one), fetches the standard console handles and
/// prepares the console. Call it once, before any other call of the runtime.
/// \param argc the program's argument count; accepted and not kept.
/// \param argv the program's argument vector; accepted and not kept.
void RuntimeInit(int argc, char** argv);

/// Ends the program: runs the runtime's end routines, then the C library's exit,
/// whose at-exit list closes an open graphics screen (ScreenSetMode(0, ...))
/// before the process ends. Does not return.
/// \param code the process's exit status.
[[noreturn]] void RuntimeEnd(int32_t code);

/// Receives one diagnostic of the runtime: a single line of text, without a line
/// end, telling the program about a misuse it can mend (for example a program
/// that keeps every string ReadKey returns and so exhausts the temporary
/// strings). Called on the thread that made the call which found the misuse.
/// The text is valid only during the call.
using RuntimeDiagnosticHandler = void (*)(const char* line);

/// Chooses where the runtime's diagnostics go. By default (and after passing
/// RuntimeDefaultDiagnostics) each is written as one line to the standard error
/// stream, and on Windows also to the debugger (OutputDebugStringA). Each kind of
/// diagnostic is given at most once per process, whatever the handler.
/// \param handler the function that receives them from now on, or null to drop
///   them silently.
/// \return the handler in place before the call (RuntimeDefaultDiagnostics for the
///   default one).
RuntimeDiagnosticHandler RuntimeSetDiagnosticHandler(RuntimeDiagnosticHandler handler);

/// The handler in place at start: the standard error stream and, on Windows,
/// the debugger. Pass it to RuntimeSetDiagnosticHandler to restore the default.
/// \param line the diagnostic, one line without its line end.
void RuntimeDefaultDiagnostics(const char* line);
