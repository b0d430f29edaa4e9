// A command run as a user runs it: through the shell, with its output and its errors caught.
#pragma once

#include <filesystem>
#include <string>

namespace tesk::testing {

struct CommandOutcome {
  int status = -1;  // the exit status; -1 when a signal ended it
  std::string out;
  std::string err;
};

// Runs the shell command; its standard output and error go through files in `scratch`.
CommandOutcome RunCommand(const std::string& command, const std::filesystem::path& scratch);

// A word of a command line, quoted for the shell.
std::string Quoted(const std::string& word);

}  // namespace tesk::testing
