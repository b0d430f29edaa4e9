#include "coreregistry/registry.h"
#include "kivo/core_table.h"
#include "kivo/support/module_core.h"
#include "kivo/support/raise.h"
#include "platform/paths.h"

namespace kivo::core {

namespace {

void RaiseMissingField(const char16_t* modulePath, const char16_t* field) {
  RaiseFormatted(kLevelError,
                 u"Debugging Error: A component's required field is not provided, and therefore the component "
                 u"cannot be used.\n\nComponent: %s\n\nMissing Field: %s",
                 modulePath, field);
}

void RaiseBadVersion(const char16_t* modulePath, const char16_t* field) {
  RaiseFormatted(kLevelError,
                 u"Debugging Error: A version field of a component is not acceptable by the Core, and therefore the "
                 u"component cannot be used.\n\nComponent: %s\n\nVersion Field: %s",
                 modulePath, field);
}

// The first unacceptable field decides.
bool ValidateComponentDef(const RTComponentDef& def, const char16_t* modulePath) {
  const struct {
    const void* value;
    const char16_t* field;
  } required[] = {
      {def.fpClassName, u"RTComponentDef.fpClassName"},
      {def.fpComponentName, u"RTComponentDef.fpComponentName"},
      {def.fpVendorName, u"RTComponentDef.fpVendorName"},
      {def.fpProcessorArchitecture, u"RTComponentDef.fpProcessorArchitecture"},
      {def.fpPlatform, u"RTComponentDef.fpPlatform"},
  };
  for (const auto& r : required) {
    if (r.value) continue;
    RaiseMissingField(modulePath, r.field);
    return false;
  }
  const struct {
    bool acceptable;
    const char16_t* field;
  } versions[] = {
      {def.fSizeMethod == sizeof(RTMethodRecord), u"RTComponentDef.fSizeMethod"},
      {def.fSizeProperty == sizeof(RTPropertyRecord), u"RTComponentDef.fSizeProperty"},
      {def.fSizeEvent == sizeof(RTEventRecord), u"RTComponentDef.fSizeEvent"},
      {def.fMinCompatibleCoreVersion <= kCoreVersion, u"RTComponentDef.fMinCompatibleCoreVersion"},
  };
  for (const auto& v : versions) {
    if (v.acceptable) continue;
    RaiseBadVersion(modulePath, v.field);
    return false;
  }
  return true;
}

}  // namespace

platform::LibraryHandle LoadModule(const char16_t* modulePath) {
  return modulePath ? platform::OpenLibrary(platform::NativePath(modulePath)) : nullptr;
}

const RTComponentDef* IdentifyComponent(platform::LibraryHandle module, const char16_t* modulePath) {
  void* identify = platform::FindSymbol(module, "_ComponentIdentify");
  if (!identify) identify = platform::FindSymbol(module, "ComponentIdentify");
  if (!identify) return nullptr;
  const RTComponentDef* def = reinterpret_cast<RTComponentIdentifyFunc>(identify)(ModuleCore());
  if (!def || !ValidateComponentDef(*def, modulePath)) return nullptr;
  return def;
}

}  // namespace kivo::core
