#include "effects.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "effect_file.h"
#include "game_context.h"
#include "kivo/image/stored_data_calls.h"
#include "kivo/particles/part_man_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/format.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/matrix.h"
#include "kivo/support/numeric.h"

namespace tesk::game {

namespace {

using namespace kivo;

constexpr uint32_t kEffectPathUnits = 256;
constexpr char16_t kFolderPath[] = u"Root:FX";

void DestroyClassPool(void* pool) { ListDestroy(static_cast<List*>(pool)); }

bool Fail(const char16_t* message) {
  Report(message);
  return false;
}

// The effect folder "Root:FX", made under Root (an RTComponent named "FX") when there is none.
bool GetFolder(EffectState& fx) {
  if (Core().GetInstanceByName(nullptr, kFolderPath, &fx.fxFolder, 0) && fx.fxFolder) return true;
  return Core().CreateInstanceByString(nullptr, u"RTComponent", &fx.fxFolder, 0, 0) &&
         CallMethod(fx.fxFolder, component::kLevel, component::kSetName, u"FX");
}

void DestroyEffectSlot(EffectSlot* slot) {
  if (!slot) return;
  if (slot->node) scene_node::Detach(slot->node);
  Release(slot->partMan);
  Release(slot->node);
  Core().MemFree(nullptr, slot);
}

EffectSlot* CreateEffectSlot(EffectState& fx) {
  void* block = nullptr;
  if (!Core().MemAlloc(nullptr, sizeof(EffectSlot), &block, 1)) return nullptr;
  auto* slot = static_cast<EffectSlot*>(block);
  if (!Core().CreateInstanceByString(fx.fxFolder, part_man::kClassName, &slot->partMan, 0, 1) ||
      !Core().CreateInstanceByString(fx.fxFolder, tesk_scene_node::kClassName, &slot->node, 0, 1)) {
    DestroyEffectSlot(slot);
    return nullptr;
  }
  tesk_scene_node::SetStateWord(slot->node, effects::kEffectNodeFlags);
  return slot;
}

// The pool of `count` effects read from the data; false (with everything it made given back and
// effectCount as it was) when one of them cannot be read.
// Destroys the pool's slots and gives their places in the slot array back (a failed load).
void DropPool(EffectState& fx, List* pool, uint32_t firstIndex) {
  for (EffectSlot* made : ListItems<EffectSlot>(pool)) DestroyEffectSlot(made);
  for (uint32_t index = firstIndex; index < fx.effectCount; ++index) fx.effectSlots[index] = nullptr;
  fx.effectCount = firstIndex;
}

bool FillPool(EffectState& fx, RTInstance stream, uint32_t count, List* pool) {
  const uint32_t firstIndex = fx.effectCount;
  for (uint32_t i = 0; i < count; ++i) {
    EffectSlot* slot = CreateEffectSlot(fx);
    if (slot && !ListAppend(pool, slot)) {
      DestroyEffectSlot(slot);
      slot = nullptr;
    }
    if (!slot || !effects::ReadParticleEffect(stream, slot->partMan, slot->node, fx.fxFolder) ||
        !stream::Seek(stream, 0)) {
      DropPool(fx, pool, firstIndex);
      return false;
    }
    slot->index = fx.effectCount;
    fx.effectSlots[fx.effectCount++] = slot;
  }
  return true;
}

// Active and started at the next advance.
bool Activate(EffectState& fx, EffectSlot& slot) {
  if (!slot.active && !ListAppend(fx.activeEffects, &slot)) return false;
  slot.active = 1;
  slot.restart = 1;
  return true;
}

void Deactivate(EffectState& fx, EffectSlot& slot) {
  part_man::Stop(slot.partMan);
  if (slot.active) ListRemove(fx.activeEffects, &slot);
  slot.active = 0;
}

// The first effect (by index) whose node is a child node of `node`, or null.
EffectSlot* SlotBelow(EffectState& fx, RTInstance node) {
  std::vector<RTInstance> children;
  RTInstance child = nullptr;
  scene_node::GetFirstChild(node, &child);
  while (child) {
    children.push_back(child);
    RTInstance next = nullptr;
    scene_node::GetNextSibling(child, &next);
    Core().ReleaseInstance(nullptr, child);
    child = next;
  }
  for (uint32_t index = 1; index < fx.effectCount; ++index)
    if (std::find(children.begin(), children.end(), fx.effectSlots[index]->node) != children.end())
      return fx.effectSlots[index];
  return nullptr;
}

}  // namespace

RTSuccess FXStartup(GamePrivateData& game) {
  EffectState& fx = game.effects;
  FXShutdown(game);
  if (!ListCreate(&fx.activeEffects) || !StrHashTableCreate(&fx.effectClasses, kEffectClassBuckets, DestroyClassPool))
    return kRTFailure;
  if (!Core().GetFirstInstanceByString(nullptr, u"RTTeskActor", &fx.effectActorComponent, 0, nullptr) ||
      !fx.effectActorComponent)
    return kRTFailure;
  void* block = nullptr;
  if (!Core().ArrayAlloc(nullptr, sizeof(EffectSlot*), 1, &block, 1)) return kRTFailure;
  fx.effectSlots = static_cast<EffectSlot**>(block);
  fx.effectCount = 1;
  return GetFolder(fx) ? kRTSuccess : kRTFailure;
}

RTSuccess LoadParticleEffect(GamePrivateData& game, const char16_t* className, uint32_t count) {
  EffectState& fx = game.effects;
  if (!fx.effectSlots || !className) return kRTFailure;
  const std::u16string path = Format(u"Root:FX:%s.peffect", className);
  InstanceRef stored, stream;
  const uint8_t* bytes = nullptr;
  uint32_t size = 0;
  if (path.size() >= kEffectPathUnits || !Core().GetInstanceByName(nullptr, path.c_str(), stored.out(), 0) ||
      !stored.get() || !stored_data::GetData(stored.get(), &bytes, &size))
    return kRTFailure;
  if (!memory_stream::CreateWith(bytes, size, stream.out())) return kRTFailure;
  void* grown = nullptr;
  if (!Core().ArrayResize(nullptr, fx.effectCount + count, fx.effectSlots, &grown)) return kRTFailure;
  fx.effectSlots = static_cast<EffectSlot**>(grown);
  List* pool = nullptr;
  if (!ListCreate(&pool)) return kRTFailure;
  const uint32_t firstIndex = fx.effectCount;
  if (!FillPool(fx, stream.get(), count, pool)) {
    ListDestroy(pool);
    return kRTFailure;
  }
  if (!StrHashTableInsert(fx.effectClasses, className, pool)) {
    DropPool(fx, pool, firstIndex);
    ListDestroy(pool);
    return kRTFailure;
  }
  stream::Close(stream.get());
  return kRTSuccess;
}

RTSuccess FXAllocate(GamePrivateData& game, const char16_t* className, uint32_t* index) {
  EffectState& fx = game.effects;
  void* found = nullptr;
  *index = 0;
  if (!fx.effectClasses || !className || !StrHashTableLookup(fx.effectClasses, className, &found) || !found)
    return Fail(u"FXAllocate(): Couldn't retrieve FX class specified!");
  for (EffectSlot* slot : ListItems<EffectSlot>(static_cast<List*>(found)))
    if (!slot->active) {
      *index = static_cast<uint32_t>(slot->index);
      return kRTSuccess;
    }
  return Fail(u"FXAllocate(): Couldn't allocate an effect of the type specified!");
}

RTSuccess FXSetActive(GamePrivateData& game, uint32_t index) {
  EffectState& fx = game.effects;
  fx.currentEffect = nullptr;
  if (index == 0) return Fail(u"FXSetActive() -- attempting to use a NULL effect!");
  if (index >= fx.effectCount) return Fail(u"FXSetActive() -- aiEffect is out of bounds!");
  fx.currentEffect = fx.effectSlots[index];
  return kRTSuccess;
}

RTSuccess FXAttachToNode(GamePrivateData& game, RTInstance parent) {
  EffectSlot* slot = game.effects.currentEffect;
  if (!slot || !parent) return kRTFailure;
  scene_node::Detach(slot->node);
  return scene_node::AddChild(parent, slot->node);
}

RTSuccess FXActivate(GamePrivateData& game) {
  EffectState& fx = game.effects;
  return fx.currentEffect && Activate(fx, *fx.currentEffect) ? kRTSuccess : kRTFailure;
}

RTSuccess FXDeactivate(GamePrivateData& game) {
  EffectState& fx = game.effects;
  if (!fx.currentEffect) return kRTFailure;
  Deactivate(fx, *fx.currentEffect);
  return kRTSuccess;
}

RTSuccess FXFaucet(GamePrivateData& game, RTInstance node, bool start) {
  EffectState& fx = game.effects;
  EffectSlot* slot = SlotBelow(fx, node);
  if (!slot) return kRTFailure;
  if (!start) {
    Deactivate(fx, *slot);
    return kRTSuccess;
  }
  return Activate(fx, *slot) ? kRTSuccess : kRTFailure;
}

RTSuccess FXClearRotation(GamePrivateData& game) {
  EffectSlot* slot = game.effects.currentEffect;
  const RTFMatrix4x4* local = nullptr;
  if (!slot || !scene_node::GetLocalMatrix(slot->node, &local)) return kRTFailure;
  RTFMatrix4x4 cleared = *local;
  RTFMatrix3x3 rows;
  std::memcpy(&rows, &cleared, sizeof rows);
  Mat3Identity(&rows);
  std::memcpy(&cleared, &rows, sizeof rows);
  return scene_node::SetLocalMatrix(slot->node, &cleared);
}

RTSuccess FXPlayAt(GamePrivateData& game, const char16_t* className, const RTFVector3D& position, uint32_t* index) {
  *index = 0;
  if (!game.rootNode) return Fail(u"FXPlay(): there is no environment to play an effect in");
  uint32_t allocated = 0;
  if (!FXAllocate(game, className, &allocated)) {
    game.effects.currentEffect = nullptr;
    return kRTFailure;
  }
  if (!FXSetActive(game, allocated) || !FXAttachToNode(game, game.rootNode)) return kRTFailure;
  RTInstance node = game.effects.currentEffect->node;
  if (!scene_node::SetTranslation(node, &position) || !tesk_scene_node::RefreshNode(node) || !FXActivate(game))
    return kRTFailure;
  *index = allocated;
  return kRTSuccess;
}

RTSuccess UpdateEffects(GamePrivateData& game, float seconds) {
  EffectState& fx = game.effects;
  if (!fx.activeEffects) return kRTSuccess;
  const auto milliseconds = FloatToInt<uint32_t>(static_cast<long double>(seconds) * 1000.0L);
  for (ListLink* link = fx.activeEffects->first; link;) {
    ListLink* next = link->next;
    auto* slot = static_cast<EffectSlot*>(link->data);
    int32_t result = part_man::kGoesOn;
    if (slot->restart) {
      part_man::Start(slot->partMan, milliseconds, &result);
      slot->restart = 0;
    } else {
      part_man::Update(slot->partMan, milliseconds, &result);
    }
    if (result == part_man::kFinished) {
      ListRemoveLink(fx.activeEffects, link);
      slot->active = 0;
    }
    link = next;
  }
  return kRTSuccess;
}

RTSuccess FXResetAll(GamePrivateData& game) {
  EffectState& fx = game.effects;
  for (uint32_t index = 1; index < fx.effectCount; ++index)
    if (fx.effectSlots[index]->active) {
      FXSetActive(game, index);
      FXClearRotation(game);
      FXDeactivate(game);
    }
  return kRTSuccess;
}

void FXShutdown(GamePrivateData& game) {
  EffectState& fx = game.effects;
  for (uint32_t index = 1; index < fx.effectCount; ++index) DestroyEffectSlot(fx.effectSlots[index]);
  Core().ArrayFree(nullptr, fx.effectSlots);
  StrHashTableDestroy(fx.effectClasses);
  ListDestroy(fx.activeEffects);
  Release(fx.effectActorComponent);
  Release(fx.fxFolder);
  fx = EffectState{};
}

}  // namespace tesk::game
