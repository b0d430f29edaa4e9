// The sample game as ./tesk run plays it headless: the staged Tesk on the staged components, store
// and game directory (laid out again in a temporary folder, so the run writes nothing into the
// staged tree), 300 frames offscreen and a screenshot. The game starts up with its resources and
// fonts and loads the hospital, whose elevator mats, exam room and lobby spawn point it prints.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "host/run_command.h"
#include "host/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using tesk::testing::Quoted;

// Every file of `from` linked into real folders under `to`, as a Kivo root of its own.
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

class SampleRun : public ::testing::Test {
 protected:
  void SetUp() override {
    const fs::path stage = TESK_STAGE_DIR;
    const fs::path kivo = dir_.path() / "kivo";
    fs::create_directories(kivo);
    fs::create_directory_symlink(stage / "kivo/core", kivo / "core");
    Mirror(stage / "kivo/components", kivo / "components");
    fs::remove(kivo / "components/kivoreg.db");
    fs::create_directories(kivo / "store");
    fs::create_symlink(stage / "kivo/store/root.kivopack", kivo / "store/root.kivopack");
    fs::create_directories(game() / "classes");
    fs::copy(stage / "game/classes", game() / "classes", fs::copy_options::recursive);
    fs::copy_file(stage / "game/tesk.ini", game() / "tesk.ini");
    fs::create_symlink(stage / "game/Tesk.resource", game() / "Tesk.resource");
    // The program opens the store at "c:/usr/kivo/store/root.kivopack".
    fs::create_directories(dir_.path() / "c/usr");
    fs::create_directory_symlink(kivo, dir_.path() / "c/usr/kivo");
    fs::create_directories(dir_.path() / "run");
    tesk::testing::WriteFile(
        registry(), "[HKEY_LOCAL_MACHINE\\Software\\Ostrawen\\Kivo\\1.0]\nRoot=" + kivo.string() +
                        "/\n[HKEY_LOCAL_MACHINE\\Software\\Brellin Interactive\\Tesk]\nRoot=" + game().string() +
                        "/\nVarno Paths=" + game().string() + "/classes;" + game().string() + "/classes/tesk\n");
  }

  fs::path game() const { return dir_.path() / "game"; }
  fs::path registry() const { return dir_.path() / "registry.ini"; }

  // Under the sanitizers, leaks are not looked for in this run: the GL driver loses small blocks it
  // makes inside glTexImage2D (valgrind shows them allocated in the driver), which would fail every
  // run that makes a texture. The libraries' own tests look for leaks of ours.
  tesk::testing::CommandOutcome Play(const fs::path& shot) {
    const std::string environment =
        "env -u TESK_DEBUG_LOG ASAN_OPTIONS=\"${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0\" TESK_REGISTRY=" +
        Quoted(registry().string()) + " TESK_DRIVE_C=" + Quoted((dir_.path() / "c").string()) +
        " XDG_RUNTIME_DIR=" + Quoted((dir_.path() / "run").string()) +
        " SDL_VIDEODRIVER=offscreen ALSOFT_DRIVERS=null ";
    return tesk::testing::RunCommand("cd " + Quoted(game().string()) + " && " + environment +
                                         Quoted((fs::path(TESK_STAGE_DIR) / "game/Tesk").string()) +
                                         " --frames 300 --screenshot " + Quoted(shot.string()),
                                     dir_.path());
  }

  tesk::testing::TempDir dir_;
};

TEST_F(SampleRun, TheHospitalLoadsAndTheSwitchboardPrintsWhatItFound) {
  const fs::path shot = dir_.path() / "shot.png";
  const tesk::testing::CommandOutcome run = Play(shot);
  const std::string log = tesk::testing::ReadFile(dir_.path() / "kivo/kivo-error-log.txt");
  ASSERT_EQ(run.status, 0) << run.err << log;
  EXPECT_TRUE(fs::exists(shot));
  size_t at = 0;
  for (const char* line : {"Startup()... Loaded all fonts and resources", "Startup()... Loaded the ambulance",
                           "LoadEnvironment()", "Getting first room", "Done getting the first room",
                           "Done LoadEnvironment()"}) {
    at = log.find(line, at);
    ASSERT_NE(at, std::string::npos) << line << " in order in\n" << log;
  }
  EXPECT_EQ(log.find("Cannot locate the environment's scenetree"), std::string::npos);
  for (const char* printed : {"elevator mats 2", "core-exam-2 centre <3.000000, 0.000000, 3.000000>",
                              "spawn_lobby at <15.000000, 0.000000, 3.000000>"})
    EXPECT_NE(run.err.find(printed), std::string::npos) << printed << " in\n" << run.err;
}

}  // namespace
