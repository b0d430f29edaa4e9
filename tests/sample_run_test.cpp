// The sample game as ./tesk run plays it headless: the staged Tesk on the staged components, store
// and game directory (laid out again in a temporary folder, so the run writes nothing into the
// staged tree), 300 frames offscreen and a screenshot. The game starts up with its resources and
// fonts, and the screenshot is the loading screen: the generated backdrop "LOADING_A" wherever its
// alpha is 0, and the sprite "LOADING_B" in the backdrop's band.
#include <gtest/gtest.h>
#include <stb_image.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "host/run_command.h"
#include "host/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using tesk::testing::Quoted;

constexpr int kWidth = 1024;  // the sample's tesk.ini
constexpr int kHeight = 768;
constexpr int kBandTop = 536;  // 268 and 373 of the loading screen's 384 rows, at 768
constexpr int kBandBottom = 746;
constexpr int kTolerance = 6;  // per channel, 0 to 255

struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;
  static Image Load(const fs::path& png) {
    Image image;
    int channels = 0;
    unsigned char* pixels = stbi_load(png.c_str(), &image.width, &image.height, &channels, 4);
    if (pixels) image.rgba.assign(pixels, pixels + size_t(image.width) * image.height * 4);
    stbi_image_free(pixels);
    return image;
  }
  const uint8_t* At(int x, int y) const { return rgba.data() + (size_t(y) * width + x) * 4; }
};

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

// The backdrop as the loading screen shows it: texture coordinate u across the window, v from 0 at
// its top to 0.75 at its bottom counted from the image's bottom row, filtered linearly.
void Expected(const Image& backdrop, int x, int y, int out[3]) {
  const double u = (x + 0.5) / kWidth;
  const double v = (y + 0.5) / kHeight * 0.75;
  const double tx = u * backdrop.width - 0.5;
  const double ty = v * backdrop.height - 0.5;  // texel rows from the bottom
  const int x0 = static_cast<int>(std::floor(tx));
  const int y0 = static_cast<int>(std::floor(ty));
  const double fx = tx - x0;
  const double fy = ty - y0;
  auto texel = [&](int i, int j, int c) {
    i = (i % backdrop.width + backdrop.width) % backdrop.width;
    j = (j % backdrop.height + backdrop.height) % backdrop.height;
    return static_cast<double>(backdrop.At(i, backdrop.height - 1 - j)[c]);
  };
  for (int c = 0; c < 3; ++c)
    out[c] =
        static_cast<int>(std::lround((1 - fx) * (1 - fy) * texel(x0, y0, c) + fx * (1 - fy) * texel(x0 + 1, y0, c) +
                                     (1 - fx) * fy * texel(x0, y0 + 1, c) + fx * fy * texel(x0 + 1, y0 + 1, c)));
}

TEST_F(SampleRun, TheLoadingScreenShowsTheBackdropWithTheSpriteInItsBand) {
  const fs::path shot = dir_.path() / "shot.png";
  const tesk::testing::CommandOutcome run = Play(shot);
  const std::string log = tesk::testing::ReadFile(dir_.path() / "kivo/kivo-error-log.txt");
  ASSERT_EQ(run.status, 0) << run.err << log;
  EXPECT_NE(log.find("Startup()... Loaded all fonts and resources"), std::string::npos) << log;
  EXPECT_NE(log.find("Startup()... Loaded the ambulance"), std::string::npos) << log;

  const Image picture = Image::Load(shot);
  ASSERT_EQ(picture.width, kWidth) << run.err;
  ASSERT_EQ(picture.height, kHeight);
  const Image backdrop = Image::Load(fs::path(GAME_ART_DIR) / "LOADING_A.png");
  ASSERT_EQ(backdrop.width, 512);

  // Outside the band (and a few rows from its edges, where its alpha is filtered in).
  int compared = 0;
  int differing = 0;
  std::string first;
  for (int y = 2; y < kHeight - 2; y += 5) {
    if (y > kBandTop - 4 && y < kBandBottom + 4) continue;
    for (int x = 2; x < kWidth - 2; x += 5) {
      int expected[3];
      Expected(backdrop, x, y, expected);
      const uint8_t* actual = picture.At(x, y);
      ++compared;
      bool same = true;
      for (int c = 0; c < 3; ++c) same = same && std::abs(actual[c] - expected[c]) <= kTolerance;
      if (same) continue;
      if (++differing == 1)
        first = "(" + std::to_string(x) + ", " + std::to_string(y) + "): " + std::to_string(actual[0]) + " " +
                std::to_string(actual[1]) + " " + std::to_string(actual[2]) + " for " + std::to_string(expected[0]) +
                " " + std::to_string(expected[1]) + " " + std::to_string(expected[2]);
    }
  }
  EXPECT_GT(compared, 20000);
  EXPECT_EQ(differing, 0) << "first at " << first;

  // In the band: the sprite's red cross.
  int red = 0;
  for (int y = kBandTop; y < kBandBottom; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const uint8_t* p = picture.At(x, y);
      red += p[0] > 180 && p[1] < 80 && p[2] < 80;
    }
  EXPECT_GT(red, 500);
}

}  // namespace
