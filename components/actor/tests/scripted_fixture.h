// Script classes run against the controller: a class compiled from a temporary folder (with the
// root class Thing, and any further class folders) and its Switchboard state run until the script
// ends the run. What the script prints lands in the core's debug output.
#pragma once

#include <string>
#include <vector>

#include "host/temp_dir.h"
#include "varno/scripting_calls.h"
#include "wrapper_fixture.h"

namespace actortest {

struct PrintedPoint {
  float x, y, z;
};

// The point of a printed "<x, y, z>" in the line (NaNs without one).
PrintedPoint PointIn(const std::string& line);

// The sample's class folders, for scripts that run the sample's characters.
std::vector<std::string> SampleClassFolders();

class ScriptedTest : public WrapperTest {
 protected:
  void TearDown() override;

  // Compiles the class (from `source`, or from the folders when `source` is empty) and runs it.
  void Run(const char* className, const char* source, const std::vector<std::string>& folders = {});
  bool Printed(const std::string& line) const;
  // The printed lines that begin with `prefix`, in order.
  std::vector<std::string> PrintedLines(const std::string& prefix) const;

  kivo::InstanceRef varno_;
  varno::scripting::VM vm_ = nullptr;
  varno::scripting::TypeTable table_ = nullptr;
  tesk::testing::TempDir classes_;
};

}  // namespace actortest
