// Answers the soak's usage readings from one long-lived process: each line
// "ID TOOL ARGS..." on standard input (TOOL process_usage, ARGS without blanks) gets the line "ID STATUS ANSWER" on
// standard output, as that program would have answered and ended.
// While a test starts Wine processes by the hundred (every poll for a window
// after a switch is one) and the game switches its display, Wine 8 now and
// then ends a new process before its main runs (status 0 or 1, nothing
// written): a poll that is asked again survives that, a one-shot reading such
// as the soak's usage after a switch does not, and is asked of this process,
// started once.
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "window_queries_win32.h"

namespace {

int Answer(const std::string& tool, std::vector<std::string> words, std::string* out) {
  std::vector<char*> argv;
  for (auto& w : words) argv.push_back(w.data());
  const int argc = static_cast<int>(argv.size());
  if (tool == "process_usage") return ProcessUsageLine(argc, argv.data(), out);
  *out = "unknown tool " + tool;
  return 2;
}

}  // namespace

int main() {
  char line[1024];
  while (std::fgets(line, sizeof line, stdin)) {
    std::istringstream in(line);
    std::string id, tool, word;
    if (!(in >> id >> tool)) continue;
    std::vector<std::string> words = {tool};
    while (in >> word) words.push_back(word);
    std::string out;
    const int status = Answer(tool, words, &out);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    std::printf("%s %d %s\n", id.c_str(), status, out.c_str());
    std::fflush(stdout);
  }
  return 0;
}
