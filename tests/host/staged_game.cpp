#include "host/staged_game.h"

#include <string>

namespace tesk::testing {

namespace fs = std::filesystem;

namespace {

// Every file of `from` linked into real folders under `to`.
void Mirror(const fs::path& from, const fs::path& to) {
  fs::create_directories(to);
  for (const fs::directory_entry& entry : fs::directory_iterator(from)) {
    if (entry.is_directory()) {
      Mirror(entry.path(), to / entry.path().filename());
    } else {
      fs::create_symlink(entry.path(), to / entry.path().filename());
    }
  }
}

}  // namespace

StagedGame::StagedGame(const fs::path& stage) {
  fs::create_directories(kivo());
  fs::create_directory_symlink(stage / "kivo/core", kivo() / "core");
  Mirror(stage / "kivo/components", kivo() / "components");
  fs::remove(kivo() / "components/kivoreg.db");
  fs::create_directories(kivo() / "store");
  fs::create_symlink(stage / "kivo/store/root.kivopack", kivo() / "store/root.kivopack");
  fs::create_directories(game() / "classes");
  fs::copy(stage / "game/classes", game() / "classes", fs::copy_options::recursive);
  fs::copy_file(stage / "game/tesk.ini", game() / "tesk.ini");
  fs::create_symlink(stage / "game/Tesk.resource", game() / "Tesk.resource");
  fs::create_directory_symlink(stage / "game/audio", game() / "audio");
  fs::create_directories(driveC() / "usr");
  fs::create_directory_symlink(kivo(), driveC() / "usr/kivo");
  fs::create_directories(runtime());
  const std::string classes = game().string() + "/classes";
  WriteFile(registry(), "[HKEY_LOCAL_MACHINE\\Software\\Ostrawen\\Kivo\\1.0]\nRoot=" + kivo().string() +
                            "/\n[HKEY_LOCAL_MACHINE\\Software\\Brellin Interactive\\Tesk]\nRoot=" + game().string() +
                            "/\nVarno Paths=" + classes + ";" + classes + "/tesk\n");
}

}  // namespace tesk::testing
