#include "host/run_command.h"

#include <sys/wait.h>

#include <cstdlib>

#include "host/temp_dir.h"

namespace tesk::testing {

CommandOutcome RunCommand(const std::string& command, const std::filesystem::path& scratch) {
  const std::filesystem::path out = scratch / "command-out.txt";
  const std::filesystem::path err = scratch / "command-err.txt";
  const int result = std::system((command + " >" + Quoted(out.string()) + " 2>" + Quoted(err.string())).c_str());
  CommandOutcome outcome;
  outcome.status = WIFEXITED(result) ? WEXITSTATUS(result) : -1;
  outcome.out = ReadFile(out);
  outcome.err = ReadFile(err);
  return outcome;
}

std::string Quoted(const std::string& word) {
  std::string quoted = "'";
  for (const char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace tesk::testing
