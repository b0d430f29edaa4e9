#include "animated_cursors.h"

#include <vector>

#include "kivo/support/component_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/module_core.h"
#include "kivo/support/stream_calls.h"
#include "platform/ani_cursor.h"
#include "platform/cursors.h"
#include "platform/executable_path.h"
#include "platform/utf.h"

namespace tesk {

namespace {

struct CursorResource {
  int id;
  const char16_t* name;
  const char16_t* name800;
};

// Id 105 stays unregistered.
constexpr CursorResource kCursors[] = {
    {101, u"TARGET", u"TARGET_800"},     {102, u"NOTARGET", u"NOTARGET_800"}, {103, u"TALK", u"TALK_800"},
    {104, u"NOTALK", u"NOTALK_800"},     {106, u"HANDSOFF", u"HANDSOFF_800"}, {107, u"WAIT", u"WAIT_800"},
};

// The bytes of one named stream of the resource (a child the resource keeps; no reference taken).
bool ReadResource(RTInstance resource, const char16_t* name, std::vector<uint8_t>* bytes) {
  CoreTable& core = *kivo::ModuleCore();
  RTInstance stream = nullptr;
  uint32_t size = 0;
  uint32_t read = 0;
  if (!core.FindChild(nullptr, resource, name, &stream) || !kivo::stream::GetSize(stream, &size) ||
      !kivo::stream::Seek(stream, 0))
    return false;
  bytes->resize(size);
  return kivo::stream::Read(stream, bytes->data(), size, &read) && read == size;
}

}  // namespace

bool LoadAnimatedCursor(RTInstance resources, const char16_t* name, platform::AnimatedCursor* cursor,
                        std::string* error) {
  std::vector<uint8_t> bytes;
  std::string why;
  if (!ReadResource(resources, name, &bytes)) {
    *error = "The cursor resource " + platform::ToUtf8(name) + " is missing";
    return false;
  }
  if (!platform::ParseAnimatedCursor(bytes, cursor, &why)) {
    *error = "The cursor resource " + platform::ToUtf8(name) + " cannot be loaded: " + why;
    return false;
  }
  return true;
}

std::filesystem::path ProgramResourceFile() { return platform::ExecutableDirectory() / "Tesk.resource"; }

bool RegisterAnimatedCursors(const std::filesystem::path& resourceFile, bool width800, std::string* error) {
  CoreTable* core = kivo::ModuleCore();
  kivo::InstanceRef file;
  kivo::InstanceRef resource;
  const std::u16string path = platform::FromUtf8(resourceFile.string());
  if (!core || !core->CreateInstanceByString(nullptr, u"RTBrellinFileStream", file.out(), 0, 1) ||
      !kivo::file_stream::Open(file.get(), path.c_str(), kivo::file_stream::kReadExisting)) {
    *error = "Cannot open the program's resources " + resourceFile.string();
    return false;
  }
  if (!core->CreateInstanceByString(nullptr, u"RTResource", resource.out(), 0, 1) ||
      !kivo::component::StreamIn(resource.get(), kivo::component::kStreamWhole, file.get())) {
    kivo::stream::Close(file.get());
    *error = "Cannot read the program's resources " + resourceFile.string();
    return false;
  }
  kivo::stream::Close(file.get());
  for (const CursorResource& cursor : kCursors) {
    platform::AnimatedCursor animated;
    if (!LoadAnimatedCursor(resource.get(), width800 ? cursor.name800 : cursor.name, &animated, error)) return false;
    platform::RegisterScreenCursor(cursor.id, std::move(animated));
  }
  return true;
}

}  // namespace tesk
