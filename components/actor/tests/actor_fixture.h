// A started core with the actor component, its parents and the classes it gets by name installed,
// the software rasterizer as the rasterizer (with an offscreen context), and a fixture pack as the
// store: the two fonts the controller needs, the 129 motions of the table over a one-bone
// skeleton, and two head images ("SMITH" and "SMITHF") — or that pack without one instance. Packs
// are built once per process with kivopack.
#pragma once

#include <string>

#include "host/motion_table.h"
#include "kivo/support/instance_ref.h"
#include "software_rasterizer.h"

namespace actortest {

using tesk::testing::kMotionFolder;
using tesk::testing::kMotionTable;

class ActorTest : public tesk::testing::SoftwareRasterizer {
 protected:
  // The instance path the store leaves out; empty for the whole pack.
  virtual std::string LeftOut() const { return ""; }
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
