// The view and world transforms, the projection and its mode, the current camera, and projecting
// points to pixels.
#include "gl_state.h"
#include "kivo/support/matrix.h"
#include "kivo/support/module_core.h"
#include "kivo/support/raise.h"
#include "op_runner.h"
#include "ops.h"

namespace rasterizer {

namespace {

namespace slot = kivo::rasterizer;

// Logs an instance handle by what it is.
Named Instance(RTInstance instance) { return {instance ? "instance" : "null"}; }

template <class T>
bool Pop(std::vector<T>& saved, T* current) {
  if (saved.empty()) return false;
  *current = saved.back();
  saved.pop_back();
  return true;
}

}  // namespace

RTSuccess PushViewMatrix(RTInstance self, const RTFMatrix4x4* placement) {
  return Drawing(
      self, "PushViewMatrix",
      [&](State& s) {
        RTFMatrix4x4 view;
        if (!placement || !kivo::Mat4Inverse(*placement, &view)) return false;
        s.savedViews.push_back(s.view);
        s.view = view;
        ApplyModelview(s);
        return true;
      },
      Matrix{placement});
}

RTSuccess PopViewMatrix(RTInstance self) {
  return Drawing(self, "PopViewMatrix", [](State& s) {
    if (!Pop(s.savedViews, &s.view)) return false;
    ApplyModelview(s);
    return true;
  });
}

RTSuccess PushWorldMatrix(RTInstance self, const RTFMatrix4x4* matrix) {
  return Drawing(
      self, "PushWorldMatrix",
      [&](State& s) {
        if (!matrix) return false;
        s.savedWorlds.push_back(s.world);
        kivo::Mat4Multiply(*matrix, s.world, &s.world);
        ApplyModelview(s);
        return true;
      },
      Matrix{matrix});
}

RTSuccess PopWorldMatrix(RTInstance self) {
  return Drawing(self, "PopWorldMatrix", [](State& s) {
    if (!Pop(s.savedWorlds, &s.world)) return false;
    ApplyModelview(s);
    return true;
  });
}

RTSuccess SetProjectionMode(RTInstance self, uint32_t mode) {
  return Drawing(
      self, "SetProjectionMode",
      [&](State& s) {
        if (mode != slot::kPerspective && mode != slot::kOrthographic) return false;
        s.rememberedMode = s.projectionMode;
        s.projectionMode = mode;
        ApplyProjection(s);
        return true;
      },
      mode);
}

RTSuccess RestoreProjectionMode(RTInstance self) {
  return Drawing(self, "RestoreProjectionMode", [](State& s) {
    s.projectionMode = s.rememberedMode;
    ApplyProjection(s);
    return true;
  });
}

RTSuccess GetProjectionMode(RTInstance self, uint32_t* mode) {
  return Drawing(
      self, "GetProjectionMode",
      [&](State& s) {
        if (!mode) return false;
        *mode = s.projectionMode;
        return true;
      },
      Out<uint32_t>{mode});
}

namespace {

// The six values handed out and taken in, named as SetProjection names them.
bool HandOut(const ProjectionValues& p, float* left, float* top, float* nearZ, float* right, float* bottom,
             float* farZ) {
  if (!left || !top || !nearZ || !right || !bottom || !farZ) return false;
  *left = p.left;
  *top = p.top;
  *nearZ = p.nearZ;
  *right = p.right;
  *bottom = p.bottom;
  *farZ = p.farZ;
  return true;
}

bool TakeIn(State& s, const ProjectionValues& values) {
  s.projection = values;
  ApplyProjection(s);
  return true;
}

}  // namespace

RTSuccess SetProjection(RTInstance self, float left, float top, float nearZ, float right, float bottom, float farZ) {
  return Drawing(
      self, "SetProjection", [&](State& s) { return TakeIn(s, {left, top, nearZ, right, bottom, farZ}); }, left, top,
      nearZ, right, bottom, farZ);
}

RTSuccess GetProjection(RTInstance self, float* left, float* top, float* nearZ, float* right, float* bottom,
                        float* farZ) {
  return Drawing(
      self, "GetProjection", [&](State& s) { return HandOut(s.projection, left, top, nearZ, right, bottom, farZ); },
      Out<float>{left}, Out<float>{top}, Out<float>{nearZ}, Out<float>{right}, Out<float>{bottom}, Out<float>{farZ});
}

// The view volume gives the same values as corners: (left, bottom, near) and (right, top, far).
RTSuccess GetViewVolume(RTInstance self, float* left, float* bottom, float* nearZ, float* right, float* top,
                        float* farZ) {
  return Drawing(
      self, "GetViewVolume", [&](State& s) { return HandOut(s.projection, left, top, nearZ, right, bottom, farZ); },
      Out<float>{left}, Out<float>{bottom}, Out<float>{nearZ}, Out<float>{right}, Out<float>{top}, Out<float>{farZ});
}

RTSuccess SetViewVolume(RTInstance self, float left, float right, float bottom, float top, float nearZ, float farZ) {
  return Drawing(
      self, "SetViewVolume", [&](State& s) { return TakeIn(s, {left, top, nearZ, right, bottom, farZ}); }, left, right,
      bottom, top, nearZ, farZ);
}

RTSuccess GetCurrentCamera(RTInstance self, RTInstance* camera) {
  return Drawing(
      self, "GetCurrentCamera",
      [&](State& s) {
        if (!camera) return false;
        *camera = s.camera;
        return !s.camera || kivo::ModuleCore()->ResolveHandle(nullptr, s.camera);
      },
      Later{[&](std::string& line) {
        line += "out ";
        Append(line, Instance(camera ? *camera : nullptr));
      }});
}

RTSuccess SetCurrentCamera(RTInstance self, RTInstance camera) {
  return Drawing(
      self, "SetCurrentCamera",
      [&](State& s) {
        if (camera && !kivo::ModuleCore()->ResolveHandle(nullptr, camera)) return false;
        if (s.camera) kivo::ModuleCore()->ReleaseInstance(nullptr, s.camera);
        s.camera = camera;
        return true;
      },
      Instance(camera));
}

RTSuccess ProjectPoint(RTInstance self, const RTFMatrix4x4* placement, const RTFVector3D* point, float* x, float* y,
                       float* z) {
  return Drawing(
      self, "ProjectPoint",
      [&](State& s) {
        RTFMatrix4x4 view;
        if (!placement || !point || !x || !y || !z || !kivo::Mat4Inverse(*placement, &view)) return false;
        RTFMatrix4x4 clip;
        kivo::Mat4Multiply(view, ProjectionMatrix(s), &clip);
        double c[4];
        for (int j = 0; j < 4; ++j)
          c[j] = double{point->x} * clip.m[0][j] + double{point->y} * clip.m[1][j] + double{point->z} * clip.m[2][j] +
                 clip.m[3][j];
        if (c[3] == 0) return false;
        const auto& v = s.viewport;
        const double fromBottom = v[1] + (c[1] / c[3] + 1) / 2 * v[3];
        *x = static_cast<float>(v[0] + (c[0] / c[3] + 1) / 2 * v[2]);
        *y = static_cast<float>(double{1} * s.areaHeight - fromBottom);
        *z = static_cast<float>((c[2] / c[3] + 1) / 2);
        return true;
      },
      Matrix{placement}, point, Out<float>{x}, Out<float>{y}, Out<float>{z});
}

// The camera reference goes with the instance.
void ReleaseCamera(State& state) {
  if (state.camera) kivo::ModuleCore()->ReleaseInstance(nullptr, state.camera);
  state.camera = nullptr;
}

}  // namespace rasterizer
