#include "playback_drivers.h"

#include <cstdlib>

namespace kivo::audio {

namespace {

constexpr char kDriversVariable[] = "ALSOFT_DRIVERS";

// ALSA names a playback device "pcmC<card>D<device>p".
bool HasPlaybackDevice(const std::filesystem::path& soundDevices) {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(soundDevices, error)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("pcmC", 0) == 0 && name.back() == 'p') return true;
  }
  return false;
}

}  // namespace

std::optional<std::string> PlaybackDriversFor(const char* chosen, const std::filesystem::path& soundDevices) {
  if (chosen && *chosen) return std::nullopt;
  if (HasPlaybackDevice(soundDevices)) return std::nullopt;
  return kNoCardDrivers;
}

void ChoosePlaybackDrivers() {
  if (const auto drivers = PlaybackDriversFor(std::getenv(kDriversVariable), "/dev/snd"))
    setenv(kDriversVariable, drivers->c_str(), 1);
}

}  // namespace kivo::audio
