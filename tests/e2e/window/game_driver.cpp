// Client of game_driver.exe (see game_driver.h).
#include "game_driver.h"

#include <sstream>

#include "game_process.h"

namespace e2e {

namespace {

std::string ProgramPath(const std::string& program) {
  return program.empty() ? E2eEnv::Get().windows_build + "/tavrel.exe" : program;
}

}  // namespace

GameDriver::GameDriver(const std::string& program)
    : process_(E2eEnv::Get().windows_build + "/tests/e2e/game_driver.exe",
               {"--tavrel=" + ProgramPath(program)}, true) {}

GameDriver::~GameDriver() {
  if (process_.Running()) {
    Command("quit", Millis(5000));
    process_.WaitExit(Millis(5000));
  }
}

std::vector<std::string> GameDriver::Command(const std::string& command, Millis limit) {
  const std::string id = std::to_string(next_id_++);
  process_.Send(id + " " + command);
  const std::string prefix = id + " ";
  std::vector<std::string> lines;
  WaitFor(
      [&] {
        lines.clear();
        std::istringstream out(process_.Output());
        std::string line;
        bool complete = false;
        while (std::getline(out, line)) {
          if (!line.empty() && line.back() == '\r') line.pop_back();  // text-mode output
          if (line.rfind(prefix, 0) != 0) continue;
          lines.push_back(line.substr(prefix.size()));
          complete = command != "screen" || lines.back() == "end";
        }
        return complete || !process_.Running();
      },
      limit, Millis(5));
  return lines;
}

bool GameDriver::Start() {
  auto reply = Command("start");
  return reply.size() == 1 && reply[0] == "ok";
}

bool GameDriver::WaitText(const std::string& text) {
  auto reply = Command("wait " + text);
  return reply.size() == 1 && reply[0] == "ok";
}

bool GameDriver::Key(const std::string& key) {
  auto reply = Command("key " + key);
  return reply.size() == 1 && reply[0] == "ok";
}

ConsoleScreen GameDriver::Screen() {
  ConsoleScreen screen;
  for (const auto& line : Command("screen")) {
    std::istringstream in(line);
    std::string word, cell;
    int row = 0;
    if (!(in >> word >> row) || word != "row") continue;
    std::vector<ConsoleCell> cells;
    while (in >> cell) {
      unsigned long v = std::stoul(cell, nullptr, 16);
      cells.push_back({static_cast<char16_t>(v >> 8), static_cast<uint8_t>(v & 0xFF)});
    }
    screen.push_back(std::move(cells));
  }
  return screen;
}

std::optional<int> GameDriver::WaitExit(Millis limit) {
  auto reply = Command("exit " + std::to_string(limit.count()), limit + Millis(5000));
  if (reply.size() != 1 || reply[0].rfind("exit ", 0) != 0) return std::nullopt;
  return std::stoi(reply[0].substr(5));
}

bool GameDriver::CtrlC() {
  auto reply = Command("ctrl-c");
  return reply.size() == 1 && reply[0] == "ok";
}

std::optional<int> GameDriver::ProgramPid() { return GamePid(); }

}  // namespace e2e
