#include "vm/snapshot_input.h"

#include "compiler/code_value.h"
#include "compiler/core_records.h"
#include "compiler/report.h"
#include "compiler/type_codes.h"
#include "compiler/type_records.h"
#include "compiler/type_table.h"
#include "kivo/support/module_core.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/stream_values.h"
#include "kivo/support/wide_string.h"
#include "vm/counted_string.h"
#include "vm/snapshot_format.h"

namespace varno {

SnapshotInput::SnapshotInput(RTInstance stream, RTVarnoTypeTable* table) : stream_(stream), table_(table) {
  kivo::stream::GetSize(stream_, &size_);
}

uint32_t SnapshotInput::Position() {
  uint32_t position = 0;
  kivo::stream::GetPosition(stream_, &position);
  return position;
}

uint64_t SnapshotInput::Left() {
  const uint32_t position = Position();
  return size_ > position ? size_ - position : 0;
}

bool SnapshotInput::DamagedAt(uint32_t at, const std::u16string& what) {
  Raise(u"VNStreamIn() -- The snapshot is damaged at byte %u: %s", at, what);
  return false;
}

bool SnapshotInput::NoMemory() {
  Raise(u"VNStreamIn() -- Out of memory while reading the snapshot!");
  return false;
}

bool SnapshotInput::Word(uint32_t* value, std::u16string_view what) {
  Mark();
  if (Left() < 4 || !kivo::StreamReadUInt(stream_, value)) return Damaged(u"the snapshot ends inside %s", what);
  return true;
}

bool SnapshotInput::Flag(uint32_t* value, std::u16string_view what) {
  Mark();
  if (Left() < 1 || !kivo::StreamReadByte(stream_, value)) return Damaged(u"the snapshot ends inside %s", what);
  if (*value > 1) return Damaged(u"%s is %u, not 0 or 1", what, *value);
  return true;
}

bool SnapshotInput::Float(float* value, std::u16string_view what) {
  Mark();
  // The float reader does not count the bytes that came, so the end is tested first.
  if (Left() < 4 || !kivo::StreamReadFloat(stream_, value)) return Damaged(u"the snapshot ends inside %s", what);
  return true;
}

bool SnapshotInput::Count(uint32_t* count, uint32_t recordBytes, std::u16string_view what, uint32_t most) {
  if (!Word(count, what)) return false;
  if (*count > most) return Damaged(u"%s %u is above its limit of %u", what, *count, most);
  const uint64_t left = Left();
  if (uint64_t{*count} * recordBytes > left) {
    return Damaged(u"%s %u is more than the %u bytes left can hold", what, *count, static_cast<uint32_t>(left));
  }
  return true;
}

bool SnapshotInput::Text(char16_t** text, uint32_t limit, std::u16string_view what) {
  *text = nullptr;
  uint32_t length = 0;
  if (!Word(&length, what)) return false;
  if (length > limit) return Damaged(u"%s is %u characters long (limit %u)", what, length, limit);
  if (length > 0 && (uint64_t{length} + 1) * 2 > Left()) return Damaged(u"the snapshot ends inside %s", what);
  // The length word is read again by the bounded string reader.
  if (!kivo::stream::Seek(stream_, at_) || !kivo::StreamReadWStringBounded(stream_, limit, text)) {
    return Damaged(u"%s cannot be read", what);
  }
  return true;
}

bool SnapshotInput::String(char16_t** text, std::u16string_view what) {
  char16_t* plain = nullptr;
  if (!Text(&plain, kSnapshotStringUnits, what)) return false;
  if (!plain) return true;
  *text = StringCopy(plain);
  FreeText(plain);
  return *text ? true : NoMemory();
}

bool SnapshotInput::Name(std::u16string* name, std::u16string_view what, bool asWritten) {
  char16_t* text = nullptr;
  if (!Text(&text, kSnapshotNameUnits, what)) return false;
  name->clear();
  for (const char16_t* unit = text; unit && *unit; ++unit) {
    name->push_back(asWritten ? *unit : kivo::WideStrUpperChar(*unit));
  }
  if (text) kivo::ModuleCore()->ArrayFree(nullptr, text);
  if (name->empty()) return Damaged(u"%s is empty", what);
  return true;
}

bool SnapshotInput::Code(RTInstance* target, std::u16string_view what) {
  uint32_t count = 0;
  if (!Word(&count, what)) return false;
  const uint64_t left = Left();
  if (count > left) {
    return Damaged(u"%s of %u bytes is more than the %u bytes left", what, count, static_cast<uint32_t>(left));
  }
  if (count == 0 && !*target) return true;
  if (!*target && !kivo::memory_stream::Create(target)) return NoMemory();
  uint32_t copied = 0;
  if (!kivo::stream::WriteFromStream(*target, stream_, count, &copied) || copied != count) {
    return Damaged(u"%s cannot be copied", what);
  }
  kivo::stream::Seek(*target, 0);
  return true;
}

bool SnapshotInput::CodeValue(VNcode** out, std::u16string_view what) {
  *out = nullptr;
  uint32_t blocks = 0;
  uint32_t bytes = 0;
  kivo::ModuleCore()->GetMemoryStats(nullptr, &blocks, &bytes);
  if (!CodeValueFactory(out)) return NoMemory();
  const bool read = Code(&(*out)->stream, what);
  uint32_t blocksAfter = 0;
  uint32_t bytesAfter = 0;
  kivo::ModuleCore()->GetMemoryStats(nullptr, &blocksAfter, &bytesAfter);
  codeBlocks += blocksAfter - blocks;
  codeBytes += bytesAfter - bytes;
  return read;
}

bool SnapshotInput::ReferenceNumber(uint32_t* number, std::u16string_view what) { return Word(number, what); }

bool SnapshotInput::Reference(RTVarnoSymbol** place, std::u16string_view what) {
  *place = nullptr;
  uint32_t number = 0;
  if (!ReferenceNumber(&number, what)) return false;
  NoteReference(place, number);
  return true;
}

bool SnapshotInput::Reference(RTVarnoConstantValue* place, std::u16string_view what) {
  place->value.pointer = nullptr;
  uint32_t number = 0;
  if (!ReferenceNumber(&number, what)) return false;
  pending_.push_back({nullptr, place, number, at_});
  return true;
}

bool SnapshotInput::Type(uint32_t* index, std::u16string_view what) {
  uint32_t written = 0;
  if (!Word(&written, what)) return false;
  if (written >= types_.size()) {
    return Damaged(u"%s %u is beyond the %u types of the snapshot", what, written, static_cast<uint32_t>(types_.size()));
  }
  *index = types_[written]->index;
  return true;
}

bool SnapshotInput::ClassType(RTVarnoType** type, std::u16string_view what) {
  uint32_t index = 0;
  if (!Type(&index, what)) return false;
  RTVarnoType* found = nullptr;
  TypeTableRetrieveTypeByIdx(table_, index, &found);
  if (index < kFirstClassType || !found || !(found->flags & kTypeScriptClass)) {
    return Damaged(u"%s is %s, not a script class", what, found && found->name ? found->name : u"no type");
  }
  *type = found;
  return true;
}

}  // namespace varno
