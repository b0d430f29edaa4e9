// The sound bank: an index of named sounds over files in the audio folder. The format (all
// little-endian):
//
//   4 bytes   "TBNK"
//   u32       version, 1
//   u32       entry count
//   per entry:
//     u32     name length in UTF-16 units, at least 1
//     units   the name (no terminator)
//     u32     file name length in bytes, at least 1
//     bytes   the file, Latin-1, relative to the audio folder
//     u8      channels the sound is decoded to: 1 or 2
//
// Every count and length is checked against the bytes left before anything is taken; a name
// occurs once (ignoring case, by the system's name rule); nothing may follow the last entry.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kivo::audio {

struct BankEntry {
  std::u16string name;
  std::string file;  // Latin-1
  uint8_t channels = 1;
};

inline constexpr uint32_t kBankVersion = 1;

// The entries of a bank image, or false with `error` saying what is wrong and at which byte.
bool ReadSoundBank(std::span<const uint8_t> bytes, std::vector<BankEntry>* entries, std::string* error);

// The bank image of the entries, which must keep the rules above (the writer does not check them).
std::vector<uint8_t> WriteSoundBank(std::span<const BankEntry> entries);

// The name rule of the reader, for writers that check before they write.
bool SameSoundName(std::u16string_view a, std::u16string_view b);

}  // namespace kivo::audio
