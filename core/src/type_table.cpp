#include "type_table.h"

#include "kivo/support/wide_string.h"
#include "kivo/types.h"
#include "memory_manager.h"

namespace kivo::core {

namespace {

TypeEntry* gTypes = nullptr;  // core array block
uint32_t gTypeCount = 0;

const struct {
  const char16_t* name;
  uint32_t size;
} kBuiltInTypes[] = {
    {u"uint", 4},        {u"sint", 4},        {u"ulong", 4},       {u"slong", 4},
    {u"ushort", 2},      {u"sshort", 2},      {u"ubyte", 1},       {u"sbyte", 1},
    {u"wchar", 2},       {u"uchar", 1},       {u"schar", 1},       {u"float", 4},
    {u"double", 8},      {u"RTInstance", sizeof(RTInstance)},      {u"RTBool", 4},
    {u"RTSuccess", 4},   {u"RTFVector2D", 8}, {u"RTFVector3D", 16}, {u"RTFColorRGB", 16},
    {u"RTFMatrix3x3", 48}, {u"RTFMatrix4x4", 64},
};

}  // namespace

bool RegisterTypeTable() {
  for (const auto& type : kBuiltInTypes) {
    uint32_t id = 0;
    if (!RegisterType(type.name, 0, type.size, &id)) return false;
  }
  return true;
}

void FreeTypeTable() {
  for (uint32_t i = 0; i < gTypeCount; ++i) ArrayFree(nullptr, gTypes[i].name);
  ArrayFree(nullptr, gTypes);
  gTypes = nullptr;
  gTypeCount = 0;
}

RTSuccess RegisterType(const char16_t* name, uint32_t owner, uint32_t size, uint32_t* id) {
  if (!name) return kRTFailure;
  if (FindType(name, id)) return kRTSuccess;
  void* grown = nullptr;
  const RTSuccess resized = gTypes ? ArrayResize(nullptr, gTypeCount + 1, gTypes, &grown)
                                   : ArrayAlloc(nullptr, sizeof(TypeEntry), 1, &grown, 1);
  if (!resized) return kRTFailure;
  gTypes = static_cast<TypeEntry*>(grown);
  TypeEntry& entry = gTypes[gTypeCount];
  entry = TypeEntry{nullptr, size, owner};
  if (!WideStrDup(name, &entry.name)) return kRTFailure;
  *id = gTypeCount++;
  return kRTSuccess;
}

RTSuccess FindType(const char16_t* name, uint32_t* id) {
  for (uint32_t i = 0; name && i < gTypeCount; ++i) {
    if (WideStrEqualNoCase(gTypes[i].name, name) != 0) continue;
    *id = i;
    return kRTSuccess;
  }
  *id = kUnknownType;
  return kRTFailure;
}

const TypeEntry* GetTypeEntry(uint32_t id) { return id < gTypeCount ? &gTypes[id] : nullptr; }

}  // namespace kivo::core
