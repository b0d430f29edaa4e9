#include "program_test.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <sstream>
#include <thread>

#include "platform/cursors.h"

namespace tesk::testing {

namespace {

constexpr std::string_view kRaised = "[ERROR RAISED]: (";
constexpr std::string_view kFixture = "fixture: ";
constexpr auto kProcessTimeout = std::chrono::seconds(60);

}  // namespace

void ProgramTest::SetUp() {
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  std::filesystem::create_directories(runtimeDir());
  std::filesystem::create_directories(gameDir());
  setenv("XDG_RUNTIME_DIR", runtimeDir().c_str(), 1);
  setenv("TESK_DRIVE_C", (dir_.path() / "c").c_str(), 1);
  // Where a run without $TESK_DEBUG_LOG keeps its debug log.
  setenv("XDG_STATE_HOME", stateDir().c_str(), 1);
  unsetenv("PROGRAM_FIXTURE_FAIL");
  unsetenv("PROGRAM_FIXTURE_RUN");
  unsetenv("PROGRAM_FIXTURE_CRASH");
  unsetenv("PROGRAM_FIXTURE_PRINT");
  platform::SetCursorObserver([this](int id) { cursors_.push_back(id); });
}

void ProgramTest::TearDown() {
  platform::SetCursorObserver(nullptr);
  unsetenv("TESK_DRIVE_C");
  unsetenv("XDG_RUNTIME_DIR");
  unsetenv("XDG_STATE_HOME");
}

void ProgramTest::Prepare(const Layout& layout) {
  std::vector<std::string_view> components = {"RTComponent", "RTStream", "RTMemoryStream", "RTBrellinFileStream",
                                              "RTResource"};
  if (layout.store) components.push_back("RTInstanceStore");
  host_ = std::make_unique<CoreHost>(components);
  const std::filesystem::path fixtures(PROGRAM_FIXTURE_DIR);
  if (layout.varno) host_->InstallComponent(fixtures / "program_fixture_varno.so");
  if (layout.game) host_->InstallComponent(fixtures / "program_fixture_game.so");
  if (layout.rasterizer) {
    const std::filesystem::path bin = kivoRoot() / "components/bin";
    std::filesystem::create_directories(bin);
    for (const char* module : {"rtrasterizer.ogl", "rtrasterizer.pix"})
      std::filesystem::create_symlink(std::filesystem::path(TESK_COMPONENT_DIR) / "bin" / module, bin / module);
  }
  std::string registry;
  if (layout.kivoKey) registry += "[HKEY_LOCAL_MACHINE\\Software\\Ostrawen\\Kivo\\1.0]\nRoot=" + kivoRoot().string() + "\n";
  if (layout.teskKey) {
    registry += "[HKEY_LOCAL_MACHINE\\Software\\Brellin Interactive\\Tesk]\n";
    if (layout.gameRoot) registry += "Root=" + gameDir().string() + "/\n";
    registry += "Varno Paths=" + gameDir().string() + "/classes;" + gameDir().string() + "/classes/tesk\n";
  }
  host_->WriteRegistry(registry);
}

void ProgramTest::WriteOptions(std::string_view text) const { WriteFile(gameDir() / "tesk.ini", text); }

std::string ProgramTest::Options() const { return ReadFile(gameDir() / "tesk.ini"); }

std::vector<std::string> ProgramTest::Trace() const {
  std::vector<std::string> trace;
  std::istringstream log(host_->DebugLog());
  std::string line;
  while (std::getline(log, line)) {
    if (line.rfind(kRaised, 0) == 0) {
      const size_t close = line.find(") ", kRaised.size());
      if (close != std::string::npos) trace.push_back("raise: " + line.substr(close + 2));
    } else if (line.rfind(kFixture, 0) == 0) {
      trace.push_back(line.substr(kFixture.size()));
    }
  }
  return trace;
}

ProcessResult ProgramTest::RunProgram(const std::vector<std::string>& arguments) const {
  ProcessResult result;
  const std::filesystem::path out = dir_.path() / "stdout.txt";
  const std::filesystem::path err = dir_.path() / "stderr.txt";
  const pid_t child = fork();
  if (child == 0) {
    const int outFd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int errFd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(outFd, 1);
    dup2(errFd, 2);
    if (chdir(gameDir().c_str()) != 0) _exit(126);
    std::vector<char*> argv = {const_cast<char*>(TESK_PROGRAM)};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(TESK_PROGRAM, argv.data());
    _exit(127);
  }
  int status = 0;
  const auto deadline = std::chrono::steady_clock::now() + kProcessTimeout;
  while (waitpid(child, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      ADD_FAILURE() << "Tesk did not end in time";
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  result.exited = WIFEXITED(status);
  result.exitCode = result.exited ? WEXITSTATUS(status) : -1;
  result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  result.out = ReadFile(out);
  result.err = ReadFile(err);
  return result;
}

std::vector<std::string> From(const std::vector<std::string>& trace, std::string_view first) {
  const auto start = std::find(trace.begin(), trace.end(), first);
  return std::vector<std::string>(start, trace.end());
}

bool Contains(const std::vector<std::string>& trace, std::string_view entry) {
  return std::find(trace.begin(), trace.end(), entry) != trace.end();
}

}  // namespace tesk::testing
