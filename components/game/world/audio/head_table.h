// The heads of the speaking characters: the first letter of a speech id (upper-cased), and for
// some letters its second letter (as stored), choose the talking-head camera's position, the head
// mesh and the prefix of the head's motion for the speech.
#pragma once

#include "kivo/support/math_types.h"

namespace tesk::game {

struct HeadRow {
  char16_t letter;  // upper case
  char16_t second;  // 0: any other second letter
  RTFVector3D cameraPosition;
  const char16_t* mesh;          // under "Root:Heads:Assets:Meshes:Skins:"
  const char16_t* motionPrefix;  // "Root:Heads:Assets:Motions:<prefix>_<speech id>"
};

// The row of the speech id, or null when its first letter has none.
const HeadRow* FindHeadRow(const char16_t* speechId);

}  // namespace tesk::game
