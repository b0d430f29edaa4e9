#include "articulated_description.h"

#include "kivo/rigid/rigid_calls.h"
#include "kivo/scene/motion_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/module_core.h"
#include "tool_support.h"

namespace kivopack {

namespace {

namespace a = kivo::rigid;
using nlohmann::json;

}  // namespace

bool FillArticulated(RTInstance player, const json& description, std::string* error) {
  if (!description.is_object() || !description.contains("motions") || !description["motions"].is_array())
    return Fail(error, "a player has a list of \"motions\": RTAnimTrack instance paths");
  for (const json& item : description["motions"]) {
    const std::string path = item.is_string() ? item.get<std::string>() : item.dump();
    kivo::InstanceRef motion;
    uint32_t index = 0;
    if (!item.is_string() || !kivo::ModuleCore()->GetInstanceByName(nullptr, Wide(path).c_str(), motion.out(), 0) ||
        !kivo::ModuleCore()->IsKindOfByName(nullptr, motion.get(), kivo::motion::kClassName) ||
        !a::AppendMotion(player, motion.get(), &index))
      return Fail(error, "the motion " + path + " is no RTAnimTrack of the pack");
  }
  const json& motion = description.value("motion", json(0u));
  if (!motion.is_number_unsigned() || motion.get<uint64_t>() >= description["motions"].size())
    return Fail(error, "\"motion\" is the number of one of the \"motions\", from 0");
  float rate = 1;
  const json& looping = description.value("looping", json(false));
  const json& playing = description.value("playing", json(false));
  if (!looping.is_boolean() || !playing.is_boolean() ||
      (description.contains("rate") && !FiniteFloat(description["rate"], &rate)))
    return Fail(error, "\"looping\" and \"playing\" are true or false, \"rate\" a number");
  return (a::SetMotion(player, motion.get<uint32_t>()) && a::SetLooping(player, looping.get<bool>()) &&
          a::SetPlaying(player, playing.get<bool>()) && a::SetRate(player, rate)) ||
         Fail(error, "the player refused its motion or settings");
}

}  // namespace kivopack
