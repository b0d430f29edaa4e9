// RTInstanceStore: per instance path, a stored stream header and the instance's component data,
// kept in a pack file in the tree-stream layout (kivo/support/pack_index.h): the index of path
// keys, then per path its header (with header and data lengths filled in) and its data. A store
// starts on "<framework root>store/root.kivopack" when that file exists; Open binds it to another
// file. Changes are written back by Save, and when the store is destroyed.
#include <cstring>
#include <map>
#include <new>
#include <string>
#include <vector>

#include "kivo/slots.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/core_memory.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/pack_index.h"
#include "kivo/support/raise.h"
#include "kivo/support/store_calls.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/wide_string.h"

namespace {

using namespace kivo;

constexpr uint32_t kStateWord = 0x30;
// Byte offsets of the two lengths in a header's wire form.
constexpr size_t kHeaderLengthAt = 8;
constexpr size_t kDataLengthAt = 12;

struct Record {
  std::u16string path;
  std::vector<uint8_t> header;
  std::vector<uint8_t> data;
};

struct State {
  std::u16string file;
  std::map<std::u16string, Record> records;  // by upper-cased path
  bool dirty = false;
};

State* StateOf(RTInstance self) { return StateIn<State>(self, kStateWord); }

bool ReadBytes(RTInstance s, std::vector<uint8_t>& bytes, uint32_t count) {
  bytes.resize(count);
  uint32_t read = 0;
  return stream::Read(s, bytes.data(), count, &read) && read == count;
}

// The whole content of a stream, from its start.
bool StreamBytes(RTInstance s, std::vector<uint8_t>& bytes) {
  uint32_t size = 0;
  return stream::GetSize(s, &size) && stream::Seek(s, 0) && ReadBytes(s, bytes, size);
}

bool NewStreamWith(const std::vector<uint8_t>& bytes, RTInstance* out) {
  return memory_stream::CreateWith(bytes.data(), static_cast<uint32_t>(bytes.size()), out);
}

void PutU32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  if (bytes.size() >= at + 4) std::memcpy(bytes.data() + at, &value, 4);
}

bool ReadRecords(RTInstance stream, std::map<std::u16string, Record>& records);

// Reads the pack; a pack that exists but cannot be read is reported and the store starts empty.
bool Load(State& state, const std::u16string& file) {
  InstanceRef stream;
  if (!ModuleCore()->CreateInstanceByString(nullptr, u"RTBrellinFileStream", stream.out(), 0, 0) ||
      !file_stream::Open(stream.get(), file.c_str(), file_stream::kReadExisting))
    return false;
  std::map<std::u16string, Record> records;
  if (!ReadRecords(stream.get(), records)) {
    RaiseFormatted(kLevelError, u"RTInstanceStore: the pack %s is damaged; the store starts empty.", file);
    return false;
  }
  state.records = std::move(records);
  return true;
}

bool ReadRecords(RTInstance stream, std::map<std::u16string, Record>& records) {
  CoreTable& core = *ModuleCore();
  std::vector<PackEntry> index;
  uint32_t dataStart = 0;
  if (!ReadPackIndex(stream, &index) || !stream::GetPosition(stream, &dataStart)) return false;
  for (const PackEntry& entry : index) {
    RTStreamHeader* header = nullptr;
    uint32_t afterHeader = 0;
    Record record;
    // Read the header once to learn its path and length, then take its bytes as they stand.
    const bool read = stream::Seek(stream, dataStart + entry.offset) &&
                      core.ReadStreamHeader(nullptr, stream, &header) && header->path &&
                      stream::GetPosition(stream, &afterHeader) &&
                      afterHeader - dataStart - entry.offset <= entry.length;
    if (read) record.path = header->path;
    const uint32_t headerBytes = read ? afterHeader - dataStart - entry.offset : 0;
    const bool copied = read && stream::Seek(stream, dataStart + entry.offset) &&
                        ReadBytes(stream, record.header, headerBytes) &&
                        ReadBytes(stream, record.data, entry.length - headerBytes);
    core.FreeStreamHeader(nullptr, header);
    if (!copied) return false;
    records[WideStrUpper(record.path)] = std::move(record);
  }
  return true;
}

RTSuccess Save(RTInstance self) {
  State* state = StateOf(self);
  if (!state || state->file.empty()) return kRTFailure;
  CoreTable& core = *ModuleCore();
  std::vector<PackEntry> index;
  uint32_t offset = 0;
  for (auto& [key, record] : state->records) {
    PutU32(record.header, kHeaderLengthAt, static_cast<uint32_t>(record.header.size()));
    PutU32(record.header, kDataLengthAt, static_cast<uint32_t>(record.data.size()));
    PutU32(record.header, kDataLengthAt + 4, 0);
    const auto length = static_cast<uint32_t>(record.header.size() + record.data.size());
    index.push_back({PathKey(record.path), offset, length});
    offset += length;
  }
  InstanceRef stream;
  if (!core.CreateInstanceByString(nullptr, u"RTBrellinFileStream", stream.out(), 0, 0) ||
      !file_stream::Open(stream.get(), state->file.c_str(), file_stream::kWriteNew) ||
      !WritePackIndex(stream.get(), index))
    return kRTFailure;
  for (const auto& [key, record] : state->records) {
    uint32_t written = 0;
    for (const auto* bytes : {&record.header, &record.data})
      if (!stream::Write(stream.get(), bytes->data(), static_cast<uint32_t>(bytes->size()), &written))
        return kRTFailure;
  }
  if (!stream::Close(stream.get())) return kRTFailure;
  state->dirty = false;
  return kRTSuccess;
}

RTSuccess Open(RTInstance self, const char16_t* file) {
  State* state = StateOf(self);
  if (!state || !file) return kRTFailure;
  if (state->dirty) Save(self);
  state->file = file;
  state->records.clear();
  state->dirty = false;
  return Load(*state, file) ? kRTSuccess : kRTFailure;
}

Record* Find(RTInstance self, const char16_t* path) {
  State* state = StateOf(self);
  if (!state || !path) return nullptr;
  auto found = state->records.find(WideStrUpper(path));
  return found == state->records.end() ? nullptr : &found->second;
}

Record& Place(State& state, const char16_t* path) {
  Record& record = state.records[WideStrUpper(path)];
  record.path = path;
  state.dirty = true;
  return record;
}

RTSuccess HeaderStream(RTInstance self, const char16_t* path, RTInstance* out) {
  const Record* record = Find(self, path);
  return out && record && !record->header.empty() && NewStreamWith(record->header, out) ? kRTSuccess : kRTFailure;
}

RTSuccess DataStream(RTInstance self, const char16_t* path, RTInstance* out) {
  const Record* record = Find(self, path);
  return out && record && NewStreamWith(record->data, out) ? kRTSuccess : kRTFailure;
}

RTSuccess StoreData(RTInstance self, const char16_t* path, RTInstance data) {
  State* state = StateOf(self);
  std::vector<uint8_t> bytes;
  if (!state || !path || !StreamBytes(data, bytes)) return kRTFailure;
  Place(*state, path).data = std::move(bytes);
  return kRTSuccess;
}

RTSuccess StoreHeader(RTInstance self, const char16_t* path, RTStreamHeader* header) {
  State* state = StateOf(self);
  InstanceRef scratch;
  std::vector<uint8_t> bytes;
  if (!state || !path || !header || !memory_stream::Create(scratch.out()) ||
      !ModuleCore()->WriteStreamHeader(nullptr, header, scratch.get()) || !StreamBytes(scratch.get(), bytes))
    return kRTFailure;
  Place(*state, path).header = std::move(bytes);
  return kRTSuccess;
}

RTSuccess Holds(RTInstance self, const char16_t* path, RTBool* holds) {
  if (!holds) return kRTFailure;
  *holds = Find(self, path) ? 1 : 0;
  return kRTSuccess;
}

RTSuccess Remove(RTInstance self, const char16_t* path) {
  State* state = StateOf(self);
  if (!state || !path || state->records.erase(WideStrUpper(path)) == 0) return kRTFailure;
  state->dirty = true;
  return kRTSuccess;
}

RTSuccess Construct(RTInstance self) {
  State* state = MakeState<State>(self, kStateWord);
  if (!state) return kRTFailure;
  char16_t root[128];
  if (ModuleCore()->GetRootPath(nullptr, root, sizeof root)) {
    state->file = std::u16string(root) + u"store/root.kivopack";
    Load(*state, state->file);
  }
  return kRTSuccess;
}

RTSuccess Destroy(RTInstance self) {
  State* state = StateOf(self);
  if (state && state->dirty) Save(self);
  EndState<State>(self, kStateWord);
  return kRTSuccess;
}

RTMethodRecord gMethods[] = {
    Method(u"HeaderStream", HeaderStream, instance_store::kHeaderStream, u"RTSuccess",
           u"wchar[] apPath, RTInstance out ophStream"),
    Method(u"DataStream", DataStream, instance_store::kDataStream, u"RTSuccess",
           u"wchar[] apPath, RTInstance out ophStream"),
    Method(u"StoreData", StoreData, instance_store::kStoreData, u"RTSuccess", u"wchar[] apPath, RTInstance ahStream"),
    Method(u"StoreHeader", StoreHeader, instance_store::kStoreHeader, u"RTSuccess",
           u"wchar[] apPath, RTStreamHeader* apHeader"),
    Method(u"Holds", Holds, instance_store::kHolds, u"RTSuccess", u"wchar[] apPath, RTBool out opHolds"),
    Method(u"Remove", Remove, instance_store::kRemove, u"RTSuccess", u"wchar[] apPath"),
    Method(u"Save", Save, instance_store::kSave, u"RTSuccess", u""),
    Method(u"Open", Open, instance_store::kOpen, u"RTSuccess", u"wchar[] apPath"),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = instance_store::kClassName,
    .parentClassName = u"RTComponent",
    .description = u"The instance store: stored instances in a pack file",
    .singleton = true,
    .objectSize = kStateWord + 4,
    .slotTableSize = 0x28,
    .firstSlotTableOffset = instance_store::kLevel,
    .secondSlotTableOffset = instance_store::kLevel + 4,
    .methods = gMethods,
    .construct = Construct,
    .destroy = Destroy,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
