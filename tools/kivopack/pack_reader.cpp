#include <bit>
#include <cstdio>
#include <string>
#include <vector>

#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/scene/poly_model_calls.h"
#include "kivo/static_lit_mesh/static_lit_mesh_calls.h"
#include "kivo/support/component_calls.h"
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

// The counts of the mesh whose data of `length` bytes the file holds from its position on, as a
// new instance of its class reads it (materials it cannot find are made anew). The rasterizer
// singleton is held while the mesh lives, for its primitives live there.
std::string MeshCounts(CoreTable& core, RTInstance file, uint64_t length, const kivo::PackEntry& entry,
                       const char16_t* meshClass) {
  if (length > entry.length) return "\tthe mesh cannot be read";
  std::vector<uint8_t> data(length);
  uint32_t read = 0;
  kivo::InstanceRef rasterizer, stream, mesh;
  if (!core.GetFirstInstanceByString(nullptr, kivo::rasterizer::kClassName, rasterizer.out(), 1, nullptr) ||
      !kivo::stream::Read(file, data.data(), static_cast<uint32_t>(length), &read) || read != length ||
      !kivo::memory_stream::CreateWith(data.data(), read, stream.out()) ||
      !core.CreateInstanceByString(nullptr, meshClass, mesh.out(), 0, 1) ||
      !kivo::component::StreamIn(mesh.get(), kivo::component::kStreamWhole, stream.get()))
    return "\tthe mesh cannot be read";
  const kivo::PolyModelState& state = *kivo::poly_model::StateOf(mesh.get());
  uint32_t strips = 0, lists = 0;
  for (uint32_t g = 0; g < state.materialCount; ++g) {
    strips += state.groups[g].stripCount;
    lists += state.groups[g].listCount;
  }
  return Narrow(kivo::Format(u"\t%u vertices\t%u UV layers\t%u materials\t%u strips\t%u lists\t%u triangles\t%u open "
                             u"edges\t%u shared edges",
                             state.vertexCount, std::popcount(state.uvLayerMask), state.materialCount, strips, lists,
                             state.triangleCount, state.openEdgeCount, state.sharedEdgeCount));
}

}  // namespace

bool ListPack(CoreTable& core, const std::filesystem::path& pack, std::string* listing, std::string* error) {
  kivo::InstanceRef file;
  std::vector<kivo::PackEntry> index;
  uint32_t dataStart = 0;
  if (!OpenPack(core, pack, file, index, &dataStart, error)) return false;
  const auto visit = [&](const RTStreamHeader& header, const kivo::PackEntry& entry) {
    *listing += Narrow(kivo::Format(u"%s\t%s\t%u bytes\t%u children", header.path, header.className,
                                    static_cast<uint64_t>(header.dataLength), header.childCount));
    for (const char16_t* meshClass : {kivo::poly_model::kClassName, kivo::static_lit_mesh::kClassName})
      if (kivo::WideStrEqualNoCase(header.className, meshClass) == 0)
        *listing += MeshCounts(core, file.get(), header.dataLength, entry, meshClass);
    *listing += "\n";
    return true;
  };
  return EachRecord(core, file.get(), index, dataStart, error, visit);
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
