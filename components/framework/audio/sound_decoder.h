// Decodes a sound file (anything FFmpeg reads; the bank holds WAV and Ogg Vorbis) to interleaved
// 16-bit PCM at the file's own rate, mixed to the channel count the bank gives.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace kivo::audio {

struct DecodedSound {
  std::vector<int16_t> samples;  // interleaved
  uint32_t rate = 0;
  uint32_t channels = 0;
  uint32_t frames() const { return channels ? static_cast<uint32_t>(samples.size() / channels) : 0; }
};

// Longest sound taken: ten minutes, and at most 64 MiB of samples.
inline constexpr uint64_t kMaxSoundSeconds = 600;
inline constexpr uint64_t kMaxSoundBytes = 64ull << 20;

// The decoded sound, or false with `error` saying why (nothing is kept then).
bool DecodeSound(const std::filesystem::path& file, uint32_t channels, DecodedSound* sound, std::string* error);

}  // namespace kivo::audio
