#include "sound_bank.h"

#include <cstring>

#include "kivo/support/wide_string.h"

namespace kivo::audio {

namespace {

constexpr char kMagic[4] = {'T', 'B', 'N', 'K'};
constexpr size_t kSmallestEntry = 4 + 2 + 4 + 1 + 1;

// Reads the bank's bytes front to back; every take checks what is left first.
class BankCursor {
 public:
  explicit BankCursor(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  size_t at() const { return at_; }
  size_t left() const { return bytes_.size() - at_; }
  bool Take(void* out, size_t count) {
    if (count > left()) return false;
    std::memcpy(out, bytes_.data() + at_, count);
    at_ += count;
    return true;
  }
  bool TakeU32(uint32_t* value) {
    uint8_t b[4];
    if (!Take(b, 4)) return false;
    *value = b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24;
    return true;
  }

 private:
  std::span<const uint8_t> bytes_;
  size_t at_ = 0;
};

bool Fail(std::string* error, const BankCursor& cursor, const char* what) {
  *error = std::string(what) + " at byte " + std::to_string(cursor.at());
  return false;
}

bool ReadEntry(BankCursor& cursor, BankEntry* entry, std::string* error) {
  uint32_t units = 0;
  if (!cursor.TakeU32(&units)) return Fail(error, cursor, "the file ends inside a name length");
  if (units == 0) return Fail(error, cursor, "an empty sound name");
  if (units > cursor.left() / 2) return Fail(error, cursor, "a name longer than the bytes left");
  entry->name.resize(units);
  for (char16_t& unit : entry->name) {
    uint8_t b[2];
    cursor.Take(b, 2);
    unit = static_cast<char16_t>(b[0] | b[1] << 8);
  }
  uint32_t bytes = 0;
  if (!cursor.TakeU32(&bytes)) return Fail(error, cursor, "the file ends inside a file name length");
  if (bytes == 0) return Fail(error, cursor, "an empty file name");
  if (bytes > cursor.left()) return Fail(error, cursor, "a file name longer than the bytes left");
  entry->file.resize(bytes);
  cursor.Take(entry->file.data(), bytes);
  uint8_t channels = 0;
  if (!cursor.Take(&channels, 1)) return Fail(error, cursor, "the file ends before a channel count");
  if (channels != 1 && channels != 2) return Fail(error, cursor, "a channel count other than 1 or 2");
  entry->channels = channels;
  return true;
}

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

}  // namespace

bool SameSoundName(std::u16string_view a, std::u16string_view b) {
  return WideStrEqualNoCase(std::u16string(a).c_str(), std::u16string(b).c_str()) == 0;
}

bool ReadSoundBank(std::span<const uint8_t> bytes, std::vector<BankEntry>* entries, std::string* error) {
  BankCursor cursor(bytes);
  char magic[4];
  if (!cursor.Take(magic, 4) || std::memcmp(magic, kMagic, 4) != 0) return Fail(error, cursor, "not a sound bank");
  uint32_t version = 0;
  if (!cursor.TakeU32(&version)) return Fail(error, cursor, "the file ends inside the version");
  if (version != kBankVersion) return Fail(error, cursor, "an unknown version");
  uint32_t count = 0;
  if (!cursor.TakeU32(&count)) return Fail(error, cursor, "the file ends inside the entry count");
  if (count > cursor.left() / kSmallestEntry) return Fail(error, cursor, "more entries than the bytes left hold");
  std::vector<BankEntry> read(count);
  for (BankEntry& entry : read) {
    if (!ReadEntry(cursor, &entry, error)) return false;
    for (const BankEntry& earlier : read) {
      if (&earlier == &entry) break;
      if (SameSoundName(earlier.name, entry.name)) return Fail(error, cursor, "a sound name given twice");
    }
  }
  if (cursor.left() != 0) return Fail(error, cursor, "bytes after the last entry");
  *entries = std::move(read);
  return true;
}

std::vector<uint8_t> WriteSoundBank(std::span<const BankEntry> entries) {
  std::vector<uint8_t> out(std::begin(kMagic), std::end(kMagic));
  PutU32(out, kBankVersion);
  PutU32(out, static_cast<uint32_t>(entries.size()));
  for (const BankEntry& entry : entries) {
    PutU32(out, static_cast<uint32_t>(entry.name.size()));
    for (char16_t unit : entry.name) {
      out.push_back(static_cast<uint8_t>(unit));
      out.push_back(static_cast<uint8_t>(unit >> 8));
    }
    PutU32(out, static_cast<uint32_t>(entry.file.size()));
    out.insert(out.end(), entry.file.begin(), entry.file.end());
    out.push_back(entry.channels);
  }
  return out;
}

}  // namespace kivo::audio
