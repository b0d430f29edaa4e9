// Writes sound files the bank reads: WAV (8- or 16-bit PCM) by hand, Ogg Vorbis through FFmpeg's
// libvorbis encoder. For the tools that make content and for tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace kivo::audio {

// A RIFF WAVE image of interleaved 16-bit samples, stored with 8 or 16 bits per sample.
std::vector<uint8_t> WavImage(std::span<const int16_t> samples, uint32_t channels, uint32_t rate,
                              uint32_t bitsPerSample = 16);

// Encodes interleaved 16-bit samples to an Ogg Vorbis file; false with `error` saying why.
bool WriteOggVorbis(const std::filesystem::path& file, std::span<const int16_t> samples, uint32_t channels,
                    uint32_t rate, std::string* error);

}  // namespace kivo::audio
