// Skins in pack descriptions: a character generated over a skeleton (skeleton_description.h, the
// one its motions are generated over) and built into an RTBoneModel instance, or one of a class of
// it such as RTTeskSkin, through its own calls (its stream then comes from the skin's own
// StreamOut).
#pragma once

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "kivo/types.h"

namespace kivopack {

// The "skin" of an RTBoneModel instance entry:
//   {"skeleton": "bip01.json", "materials": ["Root:Tesk:Assets:Materials:Scrubs"], "segments": 8,
//    "limbs": [{"bone": "Bip01 L Thigh", "capsule": 0.08},
//              {"bone": "Bip01 Head", "box": [0.2, 0.24, 0.22], "at": [0, 0.1, 0], "material": 1}, ...],
//    "limits": [{"bone": "Bip01 L UpperArm", "coneLength": 0.3, "dof": 3, "sweep": [0, 0, 0],
//                "radius": [0.3, 0.3], "arc": [0, 360], "twist": [-45, 45]}, ...],
//    "ik": {"damper": 0.15, "iterations": 50, "goalDistance": 0.001},
//    "chains": [{"name": "Left Arm Chain", "root": "Bip01 L UpperArm", "endEffector": "Bip01 L Hand"}]}
// The skeleton file is relative to the description; the materials are RTMaterial instances of the
// pack, and a limb draws with the one its "material" indexes (the first when left out). The bones are the skeleton's, in its order, with its child
// order; each bone's rest local matrix moves by its offset (the root's is the identity, as a skin's
// stream reads it), its inverse bind matrix undoes its rest position in the skin's space (the sum of
// the offsets from the root down, the root's own included), its pivot is (0, 0, 0). A limb shapes
// the flesh around one bone, in the skin's space with the skeleton at rest: a "capsule" of that
// radius from the bone's joint to its first child's (overlapping each by half the radius), with
// `segments` vertices round each ring, its vertices near the child's end shared with the child
// (up to half and half at the child's joint, the weights summing to 1); a "box" of that size
// centred `at` that offset from the joint (0, 0, 0 when left out), every vertex the bone's alone.
// The limits are a bone's cone length and its IK constraints (SetIKTSConstraints); the "ik"
// settings and the chains (from the end effector up to the chain root) follow. Every field but
// the skeleton, the materials and the limbs is optional; what is left out keeps the skin's value
// when made.
bool FillSkin(RTInstance skin, const nlohmann::json& description, const std::filesystem::path& folder,
              std::string* error);

}  // namespace kivopack
