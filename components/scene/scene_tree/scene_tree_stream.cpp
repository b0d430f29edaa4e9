// The scene tree's stream: its room references and designing flags, not its rooms. After the part
// of the parent class RTEditable (read and written through that level's own table), all
// little-endian:
//
//   u32 version           512; a newer version is refused
//   u32 count             the room references
//   count wide strings    each a u32 length in UTF-16 units (at most 1024), then, when it is above
//                         0, length + 1 units with the terminating 0; length 0 is no reference
//   u32                   the designing flags (from version 512 on; older streams keep the flags)
//
// Reading is all or nothing: the count is checked against the bytes left, the references are read
// into a list of their own, and only a whole stream changes the tree. It then empties the room
// list, appends the references to those the tree holds and removes the duplicates (references
// equal but for ASCII case), each with a message.
#include <vector>

#include "kivo/support/component_calls.h"
#include "kivo/support/editable_calls.h"
#include "kivo/support/layered_stream.h"
#include "kivo/support/raise.h"
#include "kivo/support/stream_values.h"
#include "kivo/support/version_part.h"
#include "kivo/support/wide_string.h"
#include "scene_tree_methods.h"
#include "tesk/scene/scene_tree_calls.h"

namespace tesk::scene_tree {

namespace {

using namespace kivo;

constexpr uint32_t kFirstVersionWithFlags = 512;
constexpr uint32_t kReferenceUnits = 1024;
constexpr uint32_t kWordBytes = 4;
constexpr ParentStream kEditablePart{editable::kOwnTable, editable::kStreamIn, editable::kStreamOut};

struct ReadReferences {
  std::vector<char16_t*> references;
  ~ReadReferences() {
    for (char16_t* reference : references) ModuleCore()->ArrayFree(nullptr, reference);
  }
};

bool Refuse(std::u16string_view why) {
  RaiseFormatted(kLevelError, u"RTTeskSceneTree::StreamIn(): %s; the scene tree is left as it was", why);
  return false;
}

bool ReadOwnPart(RTInstance stream, uint32_t stage, ReadReferences* read, uint32_t* version, uint32_t* flags) {
  if (!StreamReadVersion(stream, kStreamVersion, version))
    return Refuse(Format(u"the stream holds no scene tree of version %u or older", kStreamVersion));
  if (!component::IsWholeStage(stage)) return false;
  uint32_t count = 0;
  const uint32_t flagBytes = *version >= kFirstVersionWithFlags ? kWordBytes : 0;
  if (!StreamReadUInt(stream, &count) || !StreamHolds(stream, uint64_t{count} * kWordBytes + flagBytes))
    return Refuse(u"the count of room references is missing or larger than the stream");
  for (uint32_t i = 0; i < count; ++i) {
    char16_t* reference = nullptr;
    if (!StreamReadWStringBounded(stream, kReferenceUnits, &reference))
      return Refuse(Format(u"Unable to stream in room reference string %u of %u", i + 1, count));
    if (reference) read->references.push_back(reference);
  }
  if (flagBytes && !StreamReadUInt(stream, flags)) return Refuse(u"the designing flags are cut short");
  return true;
}

void RemoveDuplicates(List* references) {
  for (ListLink* kept = references->first; kept; kept = kept->next) {
    for (ListLink* other = kept->next; other;) {
      ListLink* next = other->next;
      auto* text = static_cast<char16_t*>(other->data);
      if (WideStrEqualNoCase(static_cast<char16_t*>(kept->data), text) == 0) {
        RaiseFormatted(kLevelError, u"RTTeskSceneTree::StreamIn(): Duplicate room reference removed (%s).", text);
        ModuleCore()->ArrayFree(nullptr, text);
        ListRemoveLink(references, other);
      }
      other = next;
    }
  }
}

}  // namespace

namespace method {

RTSuccess GetStageCount(RTInstance, uint32_t* count) { return SingleStageCount(count); }

RTSuccess StreamOut(RTInstance self, uint32_t stage, RTInstance stream) {
  SceneTreeState* tree = StateOf(self);
  if (!tree || !CallParentMethod(self, kEditablePart.ownTable, kEditablePart.streamOut, stage, stream) ||
      !StreamWriteUInt(stream, kStreamVersion) || !component::IsWholeStage(stage) ||
      !StreamWriteUInt(stream, tree->roomReferences->count))
    return kRTFailure;
  for (const char16_t* reference : ListItems<char16_t>(tree->roomReferences))
    if (!StreamWriteWString(stream, reference)) return kRTFailure;
  return StreamWriteUInt(stream, tree->designingFlags);
}

RTSuccess StreamIn(RTInstance self, uint32_t stage, RTInstance stream) {
  SceneTreeState* tree = StateOf(self);
  if (!tree) return kRTFailure;
  return StreamInAfterParent(self, kEditablePart, stage, stream, [&] {
    ReadReferences read;
    uint32_t version = 0;
    uint32_t flags = tree->designingFlags;
    if (!ReadOwnPart(stream, stage, &read, &version, &flags)) return false;
    ReleaseRooms(self, *tree);
    for (char16_t*& reference : read.references) {
      if (!ListAppend(tree->roomReferences, reference)) return false;
      reference = nullptr;
    }
    tree->designingFlags = flags;
    RemoveDuplicates(tree->roomReferences);
    return true;
  });
}

}  // namespace method

}  // namespace tesk::scene_tree
