// The motion player's stream, all little-endian:
//   u32 version        1; a newer version is refused
//   u32 n              the motions of the set, then each its instance path (u32 length in UTF-16
//                      units, then the units and a terminator)
//   u32                the current motion, below n (or 0 for an empty set)
//   u8, u8             looping, playing: 0 or 1
//   f32, f32           the rate and the motion time
//   f32                the tween time
// The frame time of the last evaluation, a blend under way and the anchor of the node it places
// belong to the running game and are not streamed. A damaged stream (a count larger than the bytes
// left, a path naming no RTAnimTrack, a current motion beyond the set, a flag other than 0 and 1, a
// negative tween time, a cut part) is refused whole with a message.
#include <vector>

#include "kivo/scene/motion_calls.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/raise.h"
#include "kivo/support/stream_values.h"
#include "rigid_state.h"

namespace kivo::rigid {

namespace {

constexpr uint32_t kLeastPathBytes = 4;
constexpr uint32_t kTailBytes = 4 + 1 + 1 + 4 + 4 + 4;

bool Refuse(std::u16string_view reason) {
  RaiseFormatted(kLevelError, u"RTRigid::StreamIn(): %s; the player is left as it was", reason);
  return false;
}

bool ReadFlag(RTInstance stream, RTBool* flag) {
  uint32_t value = 0;
  if (!StreamReadByte(stream, &value) || value > 1) return false;
  *flag = value;
  return true;
}

bool Read(RTInstance stream, RigidState* read) {
  uint32_t version = 0, count = 0;
  if (!StreamReadVersion(stream, kStreamVersion, &version))
    return Refuse(u"the stream holds no player of version 1 or older");
  if (!StreamReadUInt(stream, &count) || !StreamHolds(stream, uint64_t{count} * kLeastPathBytes + kTailBytes))
    return Refuse(u"the motion count is missing or larger than the stream");
  for (uint32_t i = 0; i < count; ++i) {
    InstanceRef motion;
    if (!StreamReadInstanceRef(stream, motion.out()) || !motion.get() ||
        !ModuleCore()->IsKindOfByName(nullptr, motion.get(), motion::kClassName))
      return Refuse(Format(u"motion %u of %u names no RTAnimTrack", i + 1, count));
    read->motions.push_back(std::move(motion));
  }
  if (!StreamReadUInt(stream, &read->current) || !ReadFlag(stream, &read->looping) ||
      !ReadFlag(stream, &read->playing) || !StreamReadBytes(stream, &read->rate, 4) ||
      !StreamReadBytes(stream, &read->motionTime, 4) || !StreamReadBytes(stream, &read->tween, 4) ||
      !(read->tween >= 0))
    return Refuse(u"the playing state is damaged or cut short");
  if (read->current >= count && !(count == 0 && read->current == 0))
    return Refuse(Format(u"the current motion %u lies beyond the %u of the set", read->current, count));
  return true;
}

}  // namespace

RTSuccess StreamOut(RTInstance self, uint32_t stage, RTInstance stream) {
  RigidState* state = StateOf(self);
  if (!state || !component::IsWholeStage(stage) || !StreamWriteUInt(stream, kStreamVersion) ||
      !StreamWriteUInt(stream, static_cast<uint32_t>(state->motions.size())))
    return kRTFailure;
  for (const InstanceRef& motion : state->motions)
    if (!StreamWriteInstanceRef(stream, motion.get())) return kRTFailure;
  return StreamWriteUInt(stream, state->current) && StreamWriteByte(stream, state->looping) &&
                 StreamWriteByte(stream, state->playing) && StreamWriteFloat(stream, state->rate) &&
                 StreamWriteFloat(stream, state->motionTime) && StreamWriteFloat(stream, state->tween)
             ? kRTSuccess
             : kRTFailure;
}

RTSuccess StreamIn(RTInstance self, uint32_t stage, RTInstance stream) {
  RigidState* state = StateOf(self);
  if (!state || !component::IsWholeStage(stage)) return kRTFailure;
  RigidState read;
  if (!Read(stream, &read)) return kRTFailure;
  *state = std::move(read);
  return kRTSuccess;
}

}  // namespace kivo::rigid
