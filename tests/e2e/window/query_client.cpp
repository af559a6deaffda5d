// One query_server.exe per test program (see query_client.h).
#include "query_client.h"

#include <memory>
#include <sstream>

#include "wine_process.h"

namespace e2e {
namespace {

std::unique_ptr<WineProcess>& Server() {
  static std::unique_ptr<WineProcess> server;
  return server;
}

// The server, started when none runs; a server that ended is not relied on.
WineProcess* RunningServer() {
  auto& server = Server();
  if (!server || !server->Running())
    server = std::make_unique<WineProcess>(E2eEnv::Get().windows_build + "/tests/e2e/query_server.exe",
                                           std::vector<std::string>{}, true);
  return server->Started() ? server.get() : nullptr;
}

// The line that answers question id, once the server has written it whole.
bool FindAnswer(const std::string& output, const std::string& id, std::string* line) {
  std::istringstream in(output);
  std::string candidate;
  while (std::getline(in, candidate)) {
    if (in.eof()) return false;  // not yet ended by its line end
    if (candidate.rfind(id + " ", 0) == 0) {
      *line = candidate.substr(id.size() + 1);
      return true;
    }
  }
  return false;
}

}  // namespace

bool ServedByQueryServer(const std::string& tool) { return tool == "process_usage"; }

std::string AskQueryServer(const std::string& tool, const std::vector<std::string>& args, int* status) {
  static int next_id = 0;
  *status = -1;
  WineProcess* server = RunningServer();
  if (server == nullptr) return "query_server.exe did not start";
  const std::string id = "q" + std::to_string(next_id++);
  std::string question = id + " " + tool;
  for (const auto& a : args) question += " " + a;
  server->Send(question);
  std::string line;
  if (!WaitFor([&] { return FindAnswer(server->Output(), id, &line) || !server->Running(); }, Millis(30000), Millis(2)) ||
      !FindAnswer(server->Output(), id, &line))
    return "query_server.exe gave no answer to \"" + question + "\"" + (server->Running() ? "" : " (it ended)");
  std::istringstream answer(line);
  answer >> *status;
  std::string rest;
  std::getline(answer, rest);
  return (rest.empty() ? rest : rest.substr(1)) + "\n";
}

}  // namespace e2e
