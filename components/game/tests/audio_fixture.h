// A started game over the audio service on OpenAL's loopback device (mixed only when a test
// renders it), with a bank of one-second tones written by the test into the game's data root, the
// manual core clock moved by the test (audio time), the game's sound effects started and the master
// gain settled at 1.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "game_fixture.h"
#include "host/temp_dir.h"
#include "kivo/support/instance_ref.h"

namespace gametest {

class AudioGame : public GameTest {
 public:
  struct Sound {
    std::u16string name;
    std::string file;
    double hertz;
  };

 protected:
  // The bank written before start-up: "tone" 200 Hz, "high" 2000 Hz, "voice" 500 Hz, "speech"
  // 1500 Hz, "shrill" 6000 Hz, the music's "titlescreen_mix2" 250 Hz, "MUSIC_B" 300 Hz and
  // "MUSIC_C" 400 Hz, the ambiences "ENV_A" 600 Hz, "ENV_B" 700 Hz and "ENV_C" 800 Hz.
  virtual std::vector<Sound> Sounds() const;
  void SetUp() override;
  void TearDown() override;

  // One-second tones (looping ones go on) and a bank over them, in the folder.
  static void WriteBank(const std::filesystem::path& folder, const std::vector<Sound>& sounds);
  std::vector<float> Render(uint32_t frames);
  static void AdvanceMs(uint64_t ms);
  static Cell Text(const char16_t* text);
  static Cell Flag(bool on);

  kivo::InstanceRef service_;
  tesk::testing::TempDir folder_;
};

}  // namespace gametest
