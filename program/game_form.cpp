#include "game_form.h"

#include "animated_cursors.h"
#include "game_paths.h"
#include "host_record.h"
#include "platform/ini_file.h"
#include "input_routing.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo_loader.h"
#include "options.h"
#include "platform/cursors.h"
#include "platform/debug_output.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "platform/single_instance.h"
#include "platform/utf.h"
#include "rasterizer_module.h"
#include "run_output.h"
#include "report.h"
#include "start_game.h"

namespace tesk {

namespace {

constexpr char16_t kSingleInstanceGuard[] = u"Tesk: THE GAME";
constexpr char16_t kCaption[] = u"Tesk 2003";
constexpr int kFormWidth = 1024;
constexpr int kFormHeight = 768;
constexpr uint32_t kRootValueBytes = 256;

TGameForm* gForm = nullptr;

int32_t SetScreenCursorById(uint32_t id) {
  platform::SetScreenCursor(static_cast<int32_t>(id));
  return 1;
}

}  // namespace

TGameForm::TGameForm(RunLimits limits, std::filesystem::path resourceFile)
    : limits_(std::move(limits)), resourceFile_(std::move(resourceFile)) {
  gForm = this;
  if (!limits_.input.empty()) {
    // Listening starts now, so that a wait-line also hears what the start writes.
    const std::filesystem::path shot = platform::NativePath(limits_.screenshot);
    input_ = std::make_unique<InputPlayer>(std::move(limits_.input),
                                           limits_.screenshot.empty() ? "." : shot.parent_path());
  }
}

TGameForm::~TGameForm() {
  if (window_) window_->Destroy();
  if (gForm == this) gForm = nullptr;
}

bool TGameForm::GameFormCreate() {
  if (platform::CheckSecondInstance(kSingleInstanceGuard)) {
    ShowMessage(u"Another instance of Tesk is already running");
    SetStartFlag();
    exitCode_ = kExitNormal;
    return false;
  }
  std::string error;
  window_ = platform::Window::Create(kCaption, kFormWidth, kFormHeight, &error);
  if (!window_) {
    ShowMessage(kivo::Format(u"Cannot open the main window: %s", error));
    exitCode_ = kExitCoreStartFailed;
    return false;
  }
  InstallHandlers();
  platform::SetScreenCursor(platform::kCursorNone);
  screenSaverWasActive_ = platform::ScreenSaverEnabled();

  platform::IniFile options(platform::NativePath(JoinPath(GameRoot(), u"tesk.ini")));
  const int32_t driver = options.ReadInteger(kVideoDriver, "Driver", 1);
  options.WriteInteger(kVideoDriver, "Driver", driver);
  const int32_t width = options.ReadInteger(kVideoResolution, "Width", kFormWidth);

  std::u16string frameworkRoot;
  switch (platform::ReadRegistryValue(std::u16string(u"HKEY_LOCAL_MACHINE\\") + kKivoKey, u"Root", kRootValueBytes,
                                      frameworkRoot)) {
    case platform::RegistryResult::kKeyMissing:
      platform::ShowMessageBox(kKivoInitializationError,
                               kivo::Format(u"Cannot open Kivo Root Registry key (expected in): %s", kKivoKey));
      FormClose();
      exitCode_ = kExitCoreStartFailed;
      return false;
    case platform::RegistryResult::kOk:
      break;
    default:
      // Without a readable root there is no module to choose; the core start reports the root.
      frameworkRoot.clear();
      break;
  }
  if (!frameworkRoot.empty()) CopyRasterizerModule(frameworkRoot, driver);
  options.UpdateFile();

  flag_ = 0;
  // The video-capture object is only made; nothing uses it.
  capture_.state = 0;
  capture_.buffer = capture_.own;

  if (!StartKivo()) {
    ShowMessage(u"Couldn't start game -- check error log");
    exitCode_ = kExitCoreStartFailed;
    return false;
  }
  coreStarted_ = true;
  if (!RegisterAnimatedCursors(resourceFile_, width == 800, &error)) {
    ShowMessage(platform::FromUtf8(error));
    exitCode_ = kExitCoreStartFailed;
    return false;
  }
  platform::SetScreenCursor(kCursorWait);
  if (screenSaverWasActive_) platform::SetScreenSaverEnabled(false);
  return true;
}

void TGameForm::FormActivate() {
  if (StartFlag() || !coreStarted_) return;
  SetStartFlag();

  platform::IniFile options(OptionsFile());
  const int32_t width = options.ReadInteger(kVideoResolution, "Width", kFormWidth);
  options.WriteInteger(kVideoResolution, "Width", width);
  const int32_t height = options.ReadInteger(kVideoResolution, "Height", kFormHeight);
  options.WriteInteger(kVideoResolution, "Height", height);
  const int32_t fullScreen = options.ReadInteger(kVideoResolution, "Full Screen", 1);
  options.WriteInteger(kVideoResolution, "Full Screen", fullScreen);
  const int32_t depth = options.ReadInteger(kVideoResolution, "Depth", 32);
  options.WriteInteger(kVideoResolution, "Depth", depth);
  const std::string capturePath = options.ReadString(kVideoCapture, "Path", "c:\\");
  options.WriteString(kVideoCapture, "Path", capturePath);
  capturePath_ = platform::FromUtf8(capturePath);
  options.UpdateFile();

  if (fullScreen != 0) {
    const platform::FullScreenResult mode = window_->SetFullScreen(width, height, depth);
    window_->SetPosition(0, 0);
    if (mode == platform::FullScreenResult::kFailed)
      ShowMessage(u"Cannot run in fullscreen mode (ChangeDisplaySettings() -- failed)");
  } else {
    window_->SetPosition(0, 0);
  }
  SetCursorCallback(SetScreenCursorById);
  window_->SetClientSize(width, window_->height());
  window_->SetClientSize(width, height);

  const int32_t result = StartGame(window_->handle(), static_cast<uint32_t>(width), static_cast<uint32_t>(height),
                                   32, 24, ProcessPendingMessages);
  if (result == 0) {
    ShowMessage(u"Game startup failed!");
    exitCode_ = kExitGameStartFailed;
  } else if (result == -1) {
    ShowMessage(u"Tesk has encountered an error. Please click OK to continue");
    exitCode_ = kExitGameCrashed;
  }
  if (exitCode_ == kExitNormal && inputUnfinished_) exitCode_ = kExitInputUnfinished;
  FormClose();
}

void TGameForm::FormClose() {
  if (closed_) return;
  closed_ = true;
  RequestQuit();
  // No taskbar to bring back here; the screen saver goes back to how it was.
  platform::SetScreenSaverEnabled(screenSaverWasActive_);
}

void TGameForm::InstallHandlers() {
  platform::WindowHandlers handlers;
  handlers.close = [this] { FormClose(); };
  handlers.activate = [this] { FormActivate(); };
  handlers.resize = [](int width, int height) {
    if (StartFlag()) ForwardResize(static_cast<uint32_t>(width), static_cast<uint32_t>(height));
  };
  handlers.mouseDown = [](platform::MouseButton, bool left, bool right, int x, int y) {
    if (StartFlag()) ForwardMouseDown(left, right, x, y);
  };
  handlers.mouseMove = [](bool left, bool right, int x, int y) {
    if (StartFlag()) ForwardMouseMove(left, right, x, y);
  };
  handlers.doubleClick = [] { ForwardDblClick(); };
  handlers.keyDown = [](uint32_t key, bool shift) { ForwardKeyDown(key, shift); };
  handlers.wheel = [](int x, int y, int delta) {
    if (StartFlag()) ForwardMouseWheel(x, y, delta);
  };
  window_->SetHandlers(std::move(handlers));
}

void TGameForm::ProcessPendingMessages() {
  if (gForm) gForm->PlayInput();
  platform::ProcessMessages();
  if (gForm) gForm->OnFrame();
}

void TGameForm::PlayInput() {
  if (input_ && window_) input_->Step(*window_);
}

void TGameForm::OnFrame() {
  if (limits_.frames == 0 || ++pumps_ != limits_.frames) return;
  if (input_ && !input_->finished()) {
    inputUnfinished_ = true;
    ReportUnfinishedInput(input_->Position());
  }
  if (!limits_.screenshot.empty()) {
    HostRecord* host = Host();
    if (!host || !kivo::rasterizer::Screenshot(host->rasterizer, limits_.screenshot.c_str()))
      platform::DebugOutput(kivo::Format(u"No screenshot written to %s", limits_.screenshot));
  }
  window_->PostClose();
}

}  // namespace tesk
