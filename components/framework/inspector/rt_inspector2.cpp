// RTInspector2: a debug component that writes the framework's instance tree to the debug output.
// It keeps no state and streams nothing of its own. Reaching a child resolves it, so a child still
// waiting in the instance store is loaded on the way, as every walk of the tree does.
#include <string>

#include "kivo/inspector/inspector_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/module_core.h"

namespace {

using namespace kivo;
namespace slot = kivo::inspector;

constexpr uint32_t kTextUnits = 512;
constexpr uint32_t kDeepest = 64;  // deeper instances are left out; the tree has no such depth

void ShowInstance(CoreTable& core, RTInstance instance, uint32_t depth) {
  char16_t path[kTextUnits] = {};
  char16_t className[kTextUnits] = {};
  core.GetInstancePath(nullptr, instance, path, kTextUnits);
  core.GetClassName(nullptr, instance, className, kTextUnits);
  path[kTextUnits - 1] = 0;
  className[kTextUnits - 1] = 0;
  const std::u16string line = std::u16string(depth * 2, u' ') + path + u" (" + className + u")";
  core.DebugPrint(nullptr, line.c_str());
  uint32_t count = 0;
  if (depth == kDeepest || !core.GetChildCount(nullptr, instance, &count)) return;
  for (uint32_t index = 0; index < count; ++index) {
    RTInstance child = nullptr;
    if (!core.GetChild(nullptr, instance, index, &child) || !child) continue;
    ShowInstance(core, child, depth + 1);
    core.ReleaseInstance(nullptr, child);  // the child came with a reference of its own
  }
}

RTSuccess ShowInstanceTree(RTInstance) {
  CoreTable& core = *ModuleCore();
  RTInstance root = nullptr;
  if (!core.GetRoot(nullptr, &root) || !root) return kRTFailure;
  core.DebugPrint(nullptr, u"RTInspector2: the instance tree");
  ShowInstance(core, root, 0);
  core.ReleaseInstance(nullptr, root);
  return kRTSuccess;
}

RTMethodRecord gMethods[] = {
    Method(u"ShowInstanceTree", ShowInstanceTree, slot::kShowInstanceTree, u"RTSuccess", u""),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = slot::kClassName,
    .parentClassName = u"RTComponent",
    .description = u"Writes the instance tree to the debug output",
    .singleton = true,
    .objectSize = slot::kObjectSize,
    .slotTableSize = slot::kSlotTableSize,
    .firstSlotTableOffset = slot::kLevel,
    .secondSlotTableOffset = slot::kOwnTable,
    .methods = gMethods,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
