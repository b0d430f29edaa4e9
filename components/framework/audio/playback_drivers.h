// The driver list OpenAL Soft starts with. It reads the list ($ALSOFT_DRIVERS, else its
// configuration) once, at its first use in the process, and then opens devices only through the
// first driver of the list that starts: with no sound card that is ALSA, whose failing probe
// prints its errors on standard error, and whose failure leaves no device at all.
//
// So before that first use, when the user has chosen no list and the machine has no playback
// device of its own (no ALSA playback device in /dev/snd), the list becomes "pulse,null": a sound
// server (PulseAudio, or PipeWire's) still plays; without one the null device opens, which mixes
// in time and plays nothing, so the game runs on silent. Otherwise OpenAL Soft's own choice stands.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace kivo::audio {

inline constexpr char kNoCardDrivers[] = "pulse,null";

// The list to set, or nothing to leave OpenAL Soft's own: `chosen` is $ALSOFT_DRIVERS (null when
// unset), `soundDevices` the folder of the sound devices.
std::optional<std::string> PlaybackDriversFor(const char* chosen, const std::filesystem::path& soundDevices);

// Sets $ALSOFT_DRIVERS when PlaybackDriversFor gives a list; call before OpenAL's first use.
void ChoosePlaybackDrivers();

}  // namespace kivo::audio
