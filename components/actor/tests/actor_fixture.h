// A started core with the actor component, its parents and the classes it gets by name installed,
// the game's stand-in, the software rasterizer as the rasterizer (with an offscreen context), and a
// fixture pack as the store — or that pack without one instance. The pack holds the two fonts the
// controller needs, the 129 motions of the table, three head images ("SMITH", "SMITHF" and the
// skin "Doctor"'s), the skins "Doctor", "Nurse" (no head image) and "Stump" (no "Bip01 R Hand",
// no head image) and the bodies
// "Root:Bodies:Player" and "Root:Bodies:Handless" (no "Bip01 R Hand"), all over a skeleton of a
// spine with two arms, and the scene tree kSceneTree with two rooms open to each other: "Ward"
// around the origin (-5 to 5 in x and z) and "Hall" east of it (5 to 15). Packs are built once per
// process with kivopack.
#pragma once

#include <string>

#include "host/motion_table.h"
#include "kivo/support/instance_ref.h"
#include "software_rasterizer.h"

namespace actortest {

using tesk::testing::kMotionFolder;
using tesk::testing::kMotionTable;

inline constexpr char kSkinFolder[] = "Root:Characters:Assets:Meshes:Skins:";
inline constexpr char kSceneTree[] = "Root:Level:Tree";

class ActorTest : public tesk::testing::SoftwareRasterizer {
 protected:
  // The instance path the store leaves out; empty for the whole pack.
  virtual std::string LeftOut() const { return ""; }
  // Descriptions of instances the pack holds besides, each a JSON object, joined by commas.
  virtual std::string MoreInstances() const { return ""; }
  void InstallMore(tesk::testing::CoreHost& host) override;

  // A new controller (the core keeps an instance whose construction failed).
  kivo::InstanceRef NewController();
  uint32_t RefCount(RTInstance instance);
  // The references held on the stored instance at the path, beside the one taken to count them;
  // -1 when it cannot be had.
  int HeldReferences(const std::string& path);
  // How often the error log holds the text.
  size_t Logged(const std::string& text) const;
};

}  // namespace actortest
