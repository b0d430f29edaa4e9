// Immediate batches and the current colour and texture coordinates. A batch collects its vertices,
// each with the colour and texture coordinates current when it came, and draws them at its end,
// so state calls made inside a batch are safe.
#include "op_runner.h"
#include "ops.h"

namespace rasterizer {

namespace {

namespace slot = kivo::rasterizer;

GLenum BatchMode(uint32_t kind) {
  switch (kind) {
    case slot::kBatchQuads: return GL_QUADS;
    case slot::kBatchTriangles: return GL_TRIANGLES;
    case slot::kBatchLines: return GL_LINES;
    case slot::kBatchLineStrip: return GL_LINE_STRIP;
    default: return 0;
  }
}

bool AddVertex(State& s, float x, float y, float z) {
  if (!s.batch.open) return false;
  s.batch.vertices.push_back({{x, y, z, 1.0f}, s.colour, s.texCoords});
  return true;
}

void DrawBatch(const State& s) {
  glBegin(s.batch.mode);
  for (const BatchVertex& v : s.batch.vertices) {
    glColor4fv(v.colour.data());
    for (uint32_t unit = 0; unit < kTextureUnits; ++unit)
      glMultiTexCoord2f(GL_TEXTURE0 + unit, v.texCoords[unit].x, v.texCoords[unit].y);
    glVertex3f(v.position.x, v.position.y, v.position.z);
  }
  glEnd();
  glColor4fv(s.colour.data());
}

void SetCurrentColour(State& s, float red, float green, float blue, float alpha) {
  s.colour = {red, green, blue, alpha};
  glColor4fv(s.colour.data());
}

}  // namespace

RTSuccess BeginPrimitive(RTInstance self, uint32_t kind) {
  return Drawing(
      self, "BeginPrimitive",
      [&](State& s) {
        const GLenum mode = BatchMode(kind);
        if (!mode || s.batch.open) return false;
        s.batch.open = true;
        s.batch.mode = mode;
        s.batch.vertices.clear();
        return true;
      },
      Hex{kind});
}

RTSuccess EndPrimitive(RTInstance self) {
  return Drawing(self, "EndPrimitive", [](State& s) {
    if (!s.batch.open) return true;
    s.batch.open = false;
    DrawBatch(s);
    return true;
  });
}

RTSuccess Vertex3(RTInstance self, float x, float y, float z) {
  return Drawing(self, "Vertex3", [&](State& s) { return AddVertex(s, x, y, z); }, x, y, z);
}

RTSuccess VertexVector(RTInstance self, const RTFVector3D* point) {
  return Drawing(
      self, "VertexVector", [&](State& s) { return point && AddVertex(s, point->x, point->y, point->z); }, point);
}

RTSuccess TexCoord(RTInstance self, uint32_t unit, float s, float t) {
  return Drawing(
      self, "TexCoord",
      [&](State& state) {
        if (unit >= kTextureUnits) return false;
        state.texCoords[unit] = {s, t};
        return true;
      },
      unit, s, t);
}

RTSuccess TexCoordVector(RTInstance self, uint32_t unit, const RTFVector2D* st) {
  return Drawing(
      self, "TexCoordVector",
      [&](State& s) {
        if (unit >= kTextureUnits || !st) return false;
        s.texCoords[unit] = *st;
        return true;
      },
      unit, st);
}

RTSuccess SetColor(RTInstance self, float red, float green, float blue) {
  return Drawing(
      self, "SetColor",
      [&](State& s) {
        SetCurrentColour(s, red, green, blue, 1.0f);
        return true;
      },
      red, green, blue);
}

// Callers hand three or four floats here and pass alpha 0 when they have four: only red, green
// and blue are read, and the colour is opaque.
RTSuccess SetColorFromArray(RTInstance self, const float* rgb) {
  return Drawing(
      self, "SetColorFromArray",
      [&](State& s) {
        if (!rgb) return false;
        SetCurrentColour(s, rgb[0], rgb[1], rgb[2], 1.0f);
        return true;
      },
      Floats{rgb, 3});
}

RTSuccess SetVertexColor(RTInstance self, float red, float green, float blue) {
  return Drawing(
      self, "SetVertexColor",
      [&](State& s) {
        SetCurrentColour(s, red, green, blue, s.colour[3]);
        return true;
      },
      red, green, blue);
}

RTSuccess SetColorRGBA(RTInstance self, float red, float green, float blue, float alpha) {
  return Drawing(
      self, "SetColorRGBA",
      [&](State& s) {
        SetCurrentColour(s, red, green, blue, alpha);
        return true;
      },
      red, green, blue, alpha);
}

RTSuccess SetColorRGBAArray(RTInstance self, const float* rgba) {
  return Drawing(
      self, "SetColorRGBAArray",
      [&](State& s) {
        if (!rgba) return false;
        SetCurrentColour(s, rgba[0], rgba[1], rgba[2], rgba[3]);
        return true;
      },
      Floats{rgba, 4});
}

}  // namespace rasterizer
