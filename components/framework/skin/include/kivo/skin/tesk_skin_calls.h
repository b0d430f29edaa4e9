// RTTeskSkin: the class of the characters' skins, an RTBoneModel (bone_model_calls.h) that poses
// itself as it is drawn. Drawn for a scene node that carries a motion player (an RTArticulated,
// the node's animator), it has the player evaluate its motion for the frame time and deforms to it
// under the node's world matrix, so that its bones, when drawn, lie on the character, and has the
// player place the nodes it carries on the bones; then it draws as the skin it is. Without a
// player it draws its lists as they stand (the bind pose until it was first deformed). Its stream
// is the skin's body and a version word of its own (1).
#pragma once

#include "kivo/scene/bone_model_calls.h"

namespace kivo::tesk_skin {

inline constexpr char16_t kClassName[] = u"RTTeskSkin";

inline constexpr MethodSlot<uint32_t*> kGetStageCount{0x00};  // each overrides the skin's method of its name
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamIn{0x04};
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamOut{0x08};
inline constexpr MethodSlot<uint32_t, const RTSceneNodeEntityFrameInformation*> kProcessFrame{0x0c};
inline constexpr uint32_t kLevel = bone_model::kObjectSize;
inline constexpr uint32_t kOwnTable = kLevel + 4;
inline constexpr uint32_t kObjectSize = kOwnTable + 4;
inline constexpr uint32_t kSlotTableSize = kProcessFrame + 4;
inline constexpr uint32_t kStreamVersion = 1;

}  // namespace kivo::tesk_skin
