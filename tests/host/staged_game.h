// The staged game laid out again in a temporary folder, so that a run writes nothing into the
// staged tree: a Kivo root of its own (the staged core; the component libraries linked one by one
// into real folders, without the component list, so that the core scans them; the staged store),
// a game directory (the classes and tesk.ini copied, the program's resources and the audio folder
// linked), a drive c whose usr/kivo is that root (the program opens its store at "c:/usr/kivo/store/root.kivopack"),
// a runtime folder and a registry file that names the roots and the class folders.
#pragma once

#include <filesystem>

#include "host/temp_dir.h"

namespace tesk::testing {

class StagedGame {
 public:
  explicit StagedGame(const std::filesystem::path& stage);

  const std::filesystem::path& dir() const { return dir_.path(); }
  std::filesystem::path kivo() const { return dir() / "kivo"; }
  std::filesystem::path game() const { return dir() / "game"; }
  std::filesystem::path driveC() const { return dir() / "c"; }
  std::filesystem::path runtime() const { return dir() / "run"; }
  std::filesystem::path registry() const { return dir() / "registry.ini"; }

 private:
  TempDir dir_;
};

}  // namespace tesk::testing
