// The user documentation cannot rot: every example of docs/varno.md and docs/content.md runs here
// against the staged tree, in document order, and prints what the document shows; every command of
// the README's "sh" blocks runs from a copy of the repository's root whose build/release is this tree.
//
// A fenced block whose info is a language and a file name ("varno Greeter.varno", "json pack.json")
// is written to that file of the example folder. A "console" block holds commands, each on a line
// starting with "$ ", and below each what it prints (its standard output and error together); the
// commands run in the example folder with the staged tools first on the PATH, and the staged
// tree's folder shows as "STAGE" in what they print.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "host/run_command.h"
#include "host/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// Output with the staged tree's folder written as the guides write it: "STAGE".
std::string Staged(std::string text) {
  const std::string stage = TESK_STAGE_DIR;
  for (size_t at = text.find(stage); at != std::string::npos; at = text.find(stage, at))
    text.replace(at, stage.size(), "STAGE");
  return text;
}

struct Block {
  int line;          // of the opening fence
  std::string info;  // after the fence
  std::string text;
};

std::vector<Block> FencedBlocks(const fs::path& document) {
  std::vector<Block> blocks;
  std::ifstream in(document);
  std::string line;
  bool inside = false;
  for (int number = 1; std::getline(in, line); ++number) {
    if (line.rfind("```", 0) == 0) {
      if (!inside) blocks.push_back({number, line.substr(3), ""});
      inside = !inside;
    } else if (inside) {
      blocks.back().text += line + "\n";
    }
  }
  EXPECT_FALSE(inside) << document << " ends inside a fenced block";
  return blocks;
}

class Documentation : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    unsetenv("TESK_REGISTRY");
    unsetenv("TESK_DEBUG_LOG");
    const std::string stage = TESK_STAGE_DIR;
    setenv("PATH", (stage + "/game:" + stage + "/tools:" + std::getenv("PATH")).c_str(), 1);
  }

  // Runs the commands of a console block; each must print what the block shows below it.
  void RunConsole(const Block& block) {
    std::istringstream lines(block.text);
    std::string line;
    std::string command;
    std::string expected;
    int at = block.line;
    const auto finish = [&] {
      if (command.empty()) return;
      SCOPED_TRACE(std::string(GetParam()) + ":" + std::to_string(at) + ": $ " + command);
      const auto run = tesk::testing::RunCommand(
          "{ { cd " + tesk::testing::Quoted(examples_.path().string()) + " && " + command + "; } 2>&1; }",
          examples_.path());
      EXPECT_EQ(Staged(run.out), expected);
    };
    for (int number = block.line + 1; std::getline(lines, line); ++number) {
      if (line.rfind("$ ", 0) == 0) {
        finish();
        command = line.substr(2);
        expected.clear();
        at = number;
      } else {
        expected += line + "\n";
      }
    }
    finish();
  }

  tesk::testing::TempDir examples_;
};

TEST_P(Documentation, EveryExampleRunsAsShown) {
  const std::vector<Block> blocks = FencedBlocks(fs::path(TESK_SOURCE_DIR) / "docs" / GetParam());
  int consoles = 0;
  for (const Block& block : blocks) {
    const size_t space = block.info.find(' ');
    if (block.info == "console") {
      RunConsole(block);
      ++consoles;
    } else if (space != std::string::npos) {
      tesk::testing::WriteFile(examples_.path() / block.info.substr(space + 1), block.text);
    }
  }
  EXPECT_GT(consoles, 0) << "a guide without examples";
}

INSTANTIATE_TEST_SUITE_P(Guides, Documentation, ::testing::Values("varno.md", "content.md"), [](const auto& info) {
  const std::string document = info.param;
  return document.substr(0, document.find('.'));
});

// The commands of a README's "sh" blocks, a line each (a "\" ending a line goes on on the next);
// a variable set there (`store=...`, `export PATH=...`) is set for every command after it.
struct ShellLines {
  std::string settings;
  std::vector<std::string> commands;
};

bool SetsAVariable(const std::string& line) {
  const size_t equals = line.find('=');
  return line.rfind("export ", 0) == 0 ||
         (equals != std::string::npos && equals > 0 && line.find(' ') > equals);
}

ShellLines ReadmeCommands(const std::vector<Block>& blocks) {
  ShellLines lines;
  for (const Block& block : blocks) {
    if (block.info != "sh") continue;
    std::istringstream text(block.text);
    std::string line;
    std::string command;
    while (std::getline(text, line)) {
      if (!line.empty() && line.back() == '\\') {
        command += line.substr(0, line.size() - 1);
        continue;
      }
      command += line;
      if (SetsAVariable(command))
        lines.settings += command + "; ";
      else if (!command.empty())
        lines.commands.push_back(command);
      command.clear();
    }
  }
  return lines;
}

TEST(Readme, EveryToolCommandRunsFromTheRepositoryRoot) {
  unsetenv("TESK_REGISTRY");
  unsetenv("TESK_DEBUG_LOG");
  const fs::path source = TESK_SOURCE_DIR;
  tesk::testing::TempDir root;
  for (const auto& entry : fs::directory_iterator(source))
    if (entry.path().filename() != "build") fs::create_symlink(entry.path(), root.path() / entry.path().filename());
  fs::create_directories(root.path() / "build");
  fs::create_symlink(fs::path(TESK_STAGE_DIR).parent_path(), root.path() / "build" / "release");

  const ShellLines readme = ReadmeCommands(FencedBlocks(source / "README.md"));
  EXPECT_GE(readme.commands.size(), 10u);
  for (const std::string& command : readme.commands) {
    SCOPED_TRACE(command);
    const auto run = tesk::testing::RunCommand(
        "cd " + tesk::testing::Quoted(root.path().string()) + " && " + readme.settings + command, root.path());
    EXPECT_EQ(run.status, 0) << run.err;
  }
}

}  // namespace
