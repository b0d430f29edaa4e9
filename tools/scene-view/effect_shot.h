// scene-view's effect: a particle effect of the pack ("Root:FX:CLASS.peffect") read through the
// game's effect file reader, its node standing at a point in the room under it, played from the
// first picture on with the pictures' frame times.
#pragma once

#include <string>

#include "kivo/core_table.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/math_types.h"

namespace sceneview {

class ShotEffect {
 public:
  ShotEffect() = default;
  ShotEffect(const ShotEffect&) = delete;
  ShotEffect& operator=(const ShotEffect&) = delete;
  // Takes the effect's node out of its room.
  ~ShotEffect();

  // Reads the effect and places it; false with `error` set when the pack holds no such effect, it
  // cannot be read or no room holds the point.
  bool Place(CoreTable& core, RTInstance tree, const std::string& className, const RTFVector3D& at,
             std::string* error);
  // Starts the effect at the first time it is given, then brings it to each later time.
  void Play(uint32_t milliseconds);

 private:
  kivo::InstanceRef manager_;
  kivo::InstanceRef node_;
  kivo::InstanceRef room_;
  bool started_ = false;
};

}  // namespace sceneview
