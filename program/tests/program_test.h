// What the program's tests share: a framework root with the components a test asks for (the
// staged framework components, the rasterizer modules in components/bin, the test scripting and
// game components), a registry naming it and a game directory, and the trace of a run: every
// error raised and every call the test components recorded, in order.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/core_host.h"
#include "host/temp_dir.h"

namespace tesk::testing {

struct Layout {
  bool store = true;       // RTInstanceStore
  bool rasterizer = true;  // rtrasterizer.ogl and .pix in components/bin
  bool varno = true;       // the test RTVarno
  bool game = true;        // the test RTTeskGame
  bool kivoKey = true;
  bool teskKey = true;     // "Software\Brellin Interactive\Tesk"
  bool gameRoot = true;    // its Root value
};

struct ProcessResult {
  bool exited = false;
  int exitCode = -1;
  int signal = 0;
  std::string out;
  std::string err;
};

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Makes the framework root, the registry and the game directory (with no tesk.ini).
  void Prepare(const Layout& layout = {});

  std::filesystem::path kivoRoot() const { return host_->root(); }
  std::filesystem::path gameDir() const { return dir_.path() / "game"; }
  std::filesystem::path runtimeDir() const { return dir_.path() / "run"; }
  std::filesystem::path stateDir() const { return dir_.path() / "state"; }
  void WriteOptions(std::string_view text) const;
  std::string Options() const;
  std::string ErrorLog() const { return host_->ErrorLog(); }

  // "raise: TEXT" per error raised and "CALL" per recorded call of a test component.
  std::vector<std::string> Trace() const;
  const std::vector<RecordedMessage>& messages() const { return host_->messages(); }
  const std::vector<int>& cursors() const { return cursors_; }

  // Runs the staged Tesk program in the game directory; the test's environment goes with it.
  ProcessResult RunProgram(const std::vector<std::string>& arguments = {}) const;

  std::unique_ptr<CoreHost> host_;
  TempDir dir_;
  std::vector<int> cursors_;
};

// The entries of `trace` from the first that equals `first` on.
std::vector<std::string> From(const std::vector<std::string>& trace, std::string_view first);
bool Contains(const std::vector<std::string>& trace, std::string_view entry);

}  // namespace tesk::testing
