#include "motion_report.h"

#include <cstdio>

#include "kivo/scene/motion_calls.h"
#include "platform/utf.h"

namespace sceneview {

namespace {

using kivo::MotionNode;

constexpr int kNameColumn = 34;  // names and their indent

std::string NodeLines(const MotionNode* node, int depth) {
  const std::string indent(2 * depth + 2, ' ');
  const std::string name = platform::ToUtf8(node->name);
  const RTFVector3D& p = node->position.position;
  const KeyQuaternion& q = node->rotation.rotation;
  char line[256];
  std::snprintf(line, sizeof line, "%s%-*s position (%.3f, %.3f, %.3f) rotation (%.4f, %.4f, %.4f, %.4f)\n",
                indent.c_str(), kNameColumn - 2 * depth, name.c_str(), p.x, p.y, p.z, q.w, q.v.x, q.v.y, q.v.z);
  std::string text = line;
  for (uint32_t i = 0; i < node->childCount; ++i) text += NodeLines(node->children[i], depth + 1);
  return text;
}

}  // namespace

std::string MotionSection(RTInstance motion, const std::vector<float>& times) {
  float start = 0, end = 0;
  RTBool continuous = 0;
  kivo::motion::GetInfo(motion, &start, &end);
  kivo::motion::GetContinuous(motion, &continuous);
  char line[128];
  std::snprintf(line, sizeof line, "times %.3f to %.3f%s\n", start, end, continuous ? ", looped" : "");
  std::string text = line;
  MotionNode* root = nullptr;
  kivo::motion::GetRootNode(motion, &root);
  for (float t : times) {
    kivo::motion::UpdateFrame(motion, t, continuous);
    std::snprintf(line, sizeof line, "at %.3f\n", t);
    text += line;
    if (root) text += NodeLines(root, 0);
  }
  return text;
}

}  // namespace sceneview
