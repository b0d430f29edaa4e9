#include <cstring>
#include <fstream>

#include "bank/sound_bank.h"
#include "pack_tool.h"
#include "tool_support.h"

namespace kivopack {

namespace {

using kivo::audio::BankEntry;

// Whether the file starts as a WAV ("RIFF" ... "WAVE") or an Ogg stream ("OggS").
bool LooksLikeSound(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  char head[12] = {};
  in.read(head, sizeof(head));
  const std::streamsize got = in.gcount();
  return (got == 12 && std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, "WAVE", 4) == 0) ||
         (got >= 4 && std::memcmp(head, "OggS", 4) == 0);
}

// One sound of the description, or false with the refusal.
bool ReadSound(const nlohmann::json& item, size_t index, const std::filesystem::path& folder, BankEntry* entry,
               std::string* error) {
  const std::string where = "sound " + std::to_string(index);
  if (!item.is_object()) return Fail(error, where + " is not an object");
  for (const auto& [key, value] : item.items())
    if (key != "name" && key != "file" && key != "channels")
      return Fail(error, where + ": unknown key \"" + key + "\"");
  if (!item.contains("name") || !item["name"].is_string() || item["name"].get<std::string>().empty() ||
      !item.contains("file") || !item["file"].is_string() || item["file"].get<std::string>().empty())
    return Fail(error, where + " needs a \"name\" and a \"file\", each a text");
  const nlohmann::json channels = item.contains("channels") ? item["channels"] : nlohmann::json(1);
  if (channels != 1 && channels != 2) return Fail(error, where + ": \"channels\" must be 1 or 2");
  entry->name = Wide(item["name"].get<std::string>());
  const std::u16string file = Wide(item["file"].get<std::string>());
  entry->file.clear();
  for (char16_t unit : file) {
    if (unit > 0xFF) return Fail(error, where + ": the file name must be Latin-1");
    entry->file.push_back(static_cast<char>(unit));
  }
  entry->channels = channels.get<uint8_t>();
  const std::string named = item["file"].get<std::string>();
  if (!std::filesystem::is_regular_file(folder / named)) return Fail(error, where + ": " + named + " is missing");
  if (!LooksLikeSound(folder / named)) return Fail(error, where + ": " + named + " is neither WAV nor Ogg");
  return true;
}

}  // namespace

bool BuildBank(const std::filesystem::path& description, const std::filesystem::path& bank, std::string* error) {
  const auto json = ReadJson(description, error);
  if (!json) return false;
  if (!json->is_object() || json->size() != 1 || !json->contains("sounds") || !(*json)["sounds"].is_array())
    return Fail(error, description.string() + ": a bank description is {\"sounds\": [...]} and nothing else");
  const std::filesystem::path folder = std::filesystem::absolute(bank).parent_path();
  std::vector<BankEntry> entries;
  for (const auto& item : (*json)["sounds"]) {
    BankEntry entry;
    if (!ReadSound(item, entries.size(), folder, &entry, error))
      return Fail(error, description.string() + ": " + *error);
    for (const BankEntry& earlier : entries)
      if (kivo::audio::SameSoundName(earlier.name, entry.name))
        return Fail(error, description.string() + ": the name \"" + Narrow(entry.name) + "\" is given twice");
    entries.push_back(std::move(entry));
  }
  const std::vector<uint8_t> bytes = kivo::audio::WriteSoundBank(entries);
  const std::filesystem::path partial = bank.string() + ".partial";
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) return Fail(error, "cannot write " + bank.string());
  }
  std::error_code failed;
  std::filesystem::rename(partial, bank, failed);
  if (failed) {
    std::filesystem::remove(partial, failed);
    return Fail(error, "cannot write " + bank.string());
  }
  return true;
}

}  // namespace kivopack
