// The soak's usage readings (process_usage), asked of one query_server.exe
// kept running for the whole test program instead of a Wine process each.
#pragma once

#include <string>
#include <vector>

namespace e2e {

// Whether the query server answers this question: only the soak's one-shot
// usage reading. Window queries stay programs of their own, asked again by the
// waits that poll them: a process reads the screen saver setting once and
// keeps its copy (Wine's user32 caches it), and while a long-lived process
// with a message queue ran beside it, the OpenGL example's window got no keys
// after its return from fullscreen (it does when processes keep starting).
bool ServedByQueryServer(const std::string& tool);

// The answer (one line, with its line end) and *status as the tool itself
// would have given them; status -1 and the reason when the server could not
// answer within 30 s.
std::string AskQueryServer(const std::string& tool, const std::vector<std::string>& args, int* status);

}  // namespace e2e
