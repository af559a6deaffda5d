// The game's Linux process (see game_process.h).
#include "game_process.h"

#include <dirent.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace e2e {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

bool InThisPrefix(int pid) {
  const char* prefix = std::getenv("WINEPREFIX");
  if (prefix == nullptr) return false;
  std::string env = ReadFile("/proc/" + std::to_string(pid) + "/environ");
  std::replace(env.begin(), env.end(), '\0', '\n');
  return ("\n" + env).find("\nWINEPREFIX=" + std::string(prefix) + "\n") != std::string::npos;
}

// Calls each(number) for every numeric entry of a /proc folder.
template <typename Each>
void ForEachNumber(const std::string& dir, Each each) {
  DIR* d = opendir(dir.c_str());
  if (d == nullptr) return;
  while (dirent* e = readdir(d)) {
    const int n = std::atoi(e->d_name);
    if (n > 0 || (e->d_name[0] == '0' && e->d_name[1] == '\0')) each(n);
  }
  closedir(d);
}

}  // namespace

std::optional<int> GamePid() {
  std::optional<int> found;
  int count = 0;
  ForEachNumber("/proc", [&](int pid) {
    if (ReadFile("/proc/" + std::to_string(pid) + "/comm") != "tavrel.exe\n" || !InThisPrefix(pid)) return;
    found = pid;
    ++count;
  });
  if (count != 1) return std::nullopt;
  return found;
}

std::map<int, long> ThreadTicks(int pid) {
  std::map<int, long> ticks;
  const std::string dir = "/proc/" + std::to_string(pid) + "/task";
  ForEachNumber(dir, [&](int tid) {
    // The name may hold blanks: the fields start after its closing parenthesis.
    const std::string stat = ReadFile(dir + "/" + std::to_string(tid) + "/stat");
    const size_t close = stat.rfind(')');
    if (close == std::string::npos) return;
    std::istringstream fields(stat.substr(close + 2));
    std::string field;
    long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
      if (i == 14) utime = std::atol(field.c_str());
      if (i == 15) stime = std::atol(field.c_str());
    }
    ticks[tid] = utime + stime;
  });
  return ticks;
}

std::optional<Footprint> ProcessFootprint(int pid) {
  Footprint f;
  ForEachNumber("/proc/" + std::to_string(pid) + "/fd", [&](int) { ++f.descriptors; });
  std::istringstream rollup(ReadFile("/proc/" + std::to_string(pid) + "/smaps_rollup"));
  std::string key;
  long kb = 0;
  bool seen = false;
  while (rollup >> key) {
    if (key == "Anonymous:") {
      rollup >> kb;
      f.anonymous_kb = kb;
      seen = true;
    }
  }
  if (!seen || f.descriptors == 0) return std::nullopt;
  return f;
}

}  // namespace e2e
