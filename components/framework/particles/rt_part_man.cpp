// RTPartMan: a particle effect's manager (see part_man_calls.h). Its texts, systems and times
// belong to the running game: its stream form is RTComponent's.
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "kivo/particles/part_man_calls.h"
#include "kivo/particles/particle_system_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/raise.h"

namespace {

using namespace kivo;
namespace slot = kivo::part_man;

constexpr uint32_t kStateWord = slot::kObjectSize - 4;

struct ManagerState {
  std::string title;
  float duration = 0.0f;  // seconds; 0: until the systems are done
  std::vector<RTInstance> systems;  // one reference each
  uint32_t startedAt = 0;

  void DropSystems() {
    for (RTInstance system : systems) ModuleCore()->ReleaseInstance(nullptr, system);
    systems.clear();
  }
};

ManagerState* StateOf(RTInstance self) { return StateIn<ManagerState>(self, kStateWord); }

RTSuccess Construct(RTInstance self) { return MakeState<ManagerState>(self, kStateWord) ? kRTSuccess : kRTFailure; }

RTSuccess Destroy(RTInstance self) {
  if (ManagerState* manager = StateOf(self)) manager->DropSystems();
  EndState<ManagerState>(self, kStateWord);
  return kRTSuccess;
}

RTSuccess Clear(RTInstance self) {
  ManagerState* manager = StateOf(self);
  if (!manager) return kRTFailure;
  manager->DropSystems();
  manager->title.clear();
  manager->duration = 0.0f;
  return kRTSuccess;
}

RTSuccess SetTextA(RTInstance self, const char* text) {
  ManagerState* manager = StateOf(self);
  if (!manager) return kRTFailure;
  manager->title = text ? text : "";
  return kRTSuccess;
}

// The options: "duration S" lines; false with the reason.
bool ReadOptions(const char* text, float* duration, std::u16string* why) {
  std::istringstream lines(text ? text : "");
  std::string line;
  float found = 0.0f;
  for (int number = 1; std::getline(lines, line); ++number) {
    std::istringstream words(line);
    std::string word, value, more;
    if (!(words >> word)) continue;
    char* end = nullptr;
    const float seconds = (words >> value) ? std::strtof(value.c_str(), &end) : 0.0f;
    if (word != "duration" || !end || *end != '\0' || !(seconds > 0.0f) || !std::isfinite(seconds) ||
        (words >> more)) {
      *why = Format(u"RTPartMan::SetTextB(): line %d: an option is \"duration S\" with S above 0", number);
      return false;
    }
    found = seconds;
  }
  *duration = found;
  return true;
}

RTSuccess SetTextB(RTInstance self, const char* text) {
  ManagerState* manager = StateOf(self);
  if (!manager) return kRTFailure;
  std::u16string why;
  if (!ReadOptions(text, &manager->duration, &why)) {
    ModuleCore()->RaiseError(nullptr, why.c_str(), kLevelError);
    return kRTFailure;
  }
  return kRTSuccess;
}

RTSuccess AddSystem(RTInstance self, RTInstance system) {
  ManagerState* manager = StateOf(self);
  if (!manager || !system || !ModuleCore()->IsKindOfByName(nullptr, system, particle_system::kClassName) ||
      !ModuleCore()->ResolveHandle(nullptr, system))
    return kRTFailure;
  manager->systems.push_back(system);
  return kRTSuccess;
}

RTSuccess GetSystem(RTInstance self, uint32_t index, RTInstance* system) {
  ManagerState* manager = StateOf(self);
  if (!manager || !system) return kRTFailure;
  *system = nullptr;
  if (index >= manager->systems.size() || !ModuleCore()->ResolveHandle(nullptr, manager->systems[index]))
    return kRTFailure;
  *system = manager->systems[index];
  return kRTSuccess;
}

RTSuccess GetSystemCount(RTInstance self, uint32_t* count) {
  ManagerState* manager = StateOf(self);
  if (!manager || !count) return kRTFailure;
  *count = static_cast<uint32_t>(manager->systems.size());
  return kRTSuccess;
}

RTSuccess Stop(RTInstance self) {
  ManagerState* manager = StateOf(self);
  if (!manager) return kRTFailure;
  for (RTInstance system : manager->systems) particle_system::SetState(system, particle_system::kIdle);
  return kRTSuccess;
}

// Advances every system and says whether the effect goes on; a finished effect is stopped.
RTSuccess Advance(RTInstance self, ManagerState& manager, uint32_t milliseconds, int32_t* result) {
  bool live = false;
  for (RTInstance system : manager.systems) {
    RTBool systemLive = 0;
    particle_system::Advance(system, milliseconds, &systemLive);
    live = live || systemLive;
  }
  if (manager.duration > 0.0f)
    live = static_cast<double>(milliseconds - manager.startedAt) < static_cast<double>(manager.duration) * 1000.0;
  if (!live) Stop(self);
  *result = live ? slot::kGoesOn : slot::kFinished;
  return kRTSuccess;
}

RTSuccess Start(RTInstance self, uint32_t milliseconds, int32_t* result) {
  ManagerState* manager = StateOf(self);
  if (!manager || !result) return kRTFailure;
  manager->startedAt = milliseconds;
  for (RTInstance system : manager->systems) {
    particle_system::SetState(system, particle_system::kRunning);
    particle_system::StartAt(system, milliseconds);
  }
  return Advance(self, *manager, milliseconds, result);
}

RTSuccess Update(RTInstance self, uint32_t milliseconds, int32_t* result) {
  ManagerState* manager = StateOf(self);
  if (!manager || !result) return kRTFailure;
  return Advance(self, *manager, milliseconds, result);
}

RTMethodRecord gMethods[] = {
    Method(u"Clear", Clear, slot::kClear, u"RTSuccess", u""),
    Method(u"SetTextA", SetTextA, slot::kSetTextA, u"RTSuccess", u"uchar[] apText"),
    Method(u"SetTextB", SetTextB, slot::kSetTextB, u"RTSuccess", u"uchar[] apText"),
    Method(u"AddSystem", AddSystem, slot::kAddSystem, u"RTSuccess", u"RTInstance ahSystem"),
    Method(u"GetSystem", GetSystem, slot::kGetSystem, u"RTSuccess", u"uint aIndex, RTInstance out ophSystem"),
    Method(u"Start", Start, slot::kStart, u"RTSuccess", u"uint aMSTime, int out opResult"),
    Method(u"Update", Update, slot::kUpdate, u"RTSuccess", u"uint aMSTime, int out opResult"),
    Method(u"Stop", Stop, slot::kStop, u"RTSuccess", u""),
    Method(u"GetSystemCount", GetSystemCount, slot::kGetSystemCount, u"RTSuccess", u"uint out opCount"),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = slot::kClassName,
    .parentClassName = u"RTComponent",
    .description = u"A particle effect: the particle systems it drives together",
    .objectSize = slot::kObjectSize,
    .slotTableSize = slot::kSlotTableSize,
    .firstSlotTableOffset = slot::kLevel,
    .secondSlotTableOffset = slot::kOwnTable,
    .methods = gMethods,
    .construct = Construct,
    .destroy = Destroy,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
