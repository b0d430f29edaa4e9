#include <cstdio>
#include <string>
#include <vector>

#include "kivo/support/format.h"
#include "kivo/support/pack_index.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/stream_header.h"
#include "kivo/support/wide_string.h"
#include "pack_tool.h"
#include "tool_support.h"

namespace kivopack {

namespace {

// Opens a pack and reads its index; `dataStart` is where its records begin.
bool OpenPack(CoreTable& core, const std::filesystem::path& pack, kivo::InstanceRef& file, std::vector<kivo::PackEntry>& index,
              uint32_t* dataStart, std::string* error) {
  const std::u16string path = Wide(std::filesystem::absolute(pack).string());
  if (!core.CreateInstanceByString(nullptr, u"RTBrellinFileStream", file.out(), 0, 0) ||
      !kivo::file_stream::Open(file.get(), path.c_str(), kivo::file_stream::kReadExisting)) {
    *error = "cannot open " + pack.string();
    return false;
  }
  if (!kivo::ReadPackIndex(file.get(), &index) || !kivo::stream::GetPosition(file.get(), dataStart)) {
    *error = pack.string() + " is not a pack: its index is damaged";
    return false;
  }
  return true;
}

// Visits each record's header; the visitor may read on from the end of the header.
template <class Visit>
bool EachRecord(CoreTable& core, RTInstance file, const std::vector<kivo::PackEntry>& index, uint32_t dataStart,
                std::string* error, Visit visit) {
  for (const kivo::PackEntry& entry : index) {
    RTStreamHeader* header = nullptr;
    const bool read = kivo::stream::Seek(file, dataStart + entry.offset) &&
                      core.ReadStreamHeader(nullptr, file, &header) && header->path;
    bool go = read;
    if (read) go = visit(*header, entry);
    core.FreeStreamHeader(nullptr, header);
    if (!read) {
      *error = "a record of the pack is damaged";
      return false;
    }
    if (!go) break;
  }
  return true;
}

}  // namespace

bool ListPack(CoreTable& core, const std::filesystem::path& pack, std::string* listing, std::string* error) {
  kivo::InstanceRef file;
  std::vector<kivo::PackEntry> index;
  uint32_t dataStart = 0;
  if (!OpenPack(core, pack, file, index, &dataStart, error)) return false;
  return EachRecord(core, file.get(), index, dataStart, error, [&](const RTStreamHeader& header, const kivo::PackEntry&) {
    *listing += Narrow(kivo::Format(u"%s\t%s\t%u bytes\t%u children\n", header.path, header.className,
                                    static_cast<uint64_t>(header.dataLength), header.childCount));
    return true;
  });
}

bool ExtractData(CoreTable& core, const std::filesystem::path& pack, const std::u16string& path,
                 const std::filesystem::path& output, std::string* error) {
  kivo::InstanceRef file;
  std::vector<kivo::PackEntry> index;
  uint32_t dataStart = 0;
  if (!OpenPack(core, pack, file, index, &dataStart, error)) return false;
  std::vector<uint8_t> data;
  bool found = false;
  bool complete = false;
  const auto visit = [&](const RTStreamHeader& header, const kivo::PackEntry& entry) {
    if (kivo::WideStrEqualNoCase(header.path, path.c_str()) != 0) return true;  // keep looking
    found = true;
    uint32_t read = 0;
    complete = header.dataLength <= entry.length;
    if (complete) {
      data.resize(header.dataLength);
      complete = kivo::stream::Read(file.get(), data.data(), static_cast<uint32_t>(data.size()), &read) &&
                 read == data.size();
    }
    return false;
  };
  if (!EachRecord(core, file.get(), index, dataStart, error, visit)) return false;
  if (!found || !complete) {
    *error = found ? "the record of " + Narrow(path) + " is damaged" : "the pack holds no " + Narrow(path);
    return false;
  }
  const std::filesystem::path partial = output.string() + ".partial";
  FILE* out = std::fopen(partial.c_str(), "wb");
  bool written = out && std::fwrite(data.data(), 1, data.size(), out) == data.size();
  if (out && std::fclose(out) != 0) written = false;
  std::error_code moved;
  if (written) std::filesystem::rename(partial, output, moved);
  if (!written || moved) {
    std::filesystem::remove(partial, moved);
    *error = "cannot write " + output.string();
    return false;
  }
  return true;
}

}  // namespace kivopack
