// The caller's vertex arrays and the indexed draws over them. Every draw checks its indices
// against the arrays it reads first: a primitive reaching past them is skipped and reported (once
// per primitive), so a bad index never reads outside the caller's memory.
#include <algorithm>

#include "kivo/support/raise.h"
#include "op_runner.h"
#include "ops.h"

namespace rasterizer {

namespace {

namespace slot = kivo::rasterizer;

constexpr GLuint kTangentAttribute = 6;

template <class T>
bool SetArray(ArrayBinding<T>& binding, const T* data, uint32_t count) {
  binding = data && count ? ArrayBinding<T>{data, count} : ArrayBinding<T>{};
  return true;
}

// Indices a draw of `count` in `kind` reads, and the GL mode; 0 indices for an unknown kind.
struct IndexedDraw {
  GLenum mode = 0;
  uint64_t indices = 0;
};

IndexedDraw DrawOf(uint32_t kind, uint32_t count) {
  switch (kind) {
    case slot::kTriangleList: return {GL_TRIANGLES, uint64_t{count} * 3};
    case slot::kTriangleStrip: return {GL_TRIANGLE_STRIP, count};
    case slot::kGeneralList: return {GL_POINTS, count};
    default: return {};
  }
}

// The fewest elements among the arrays a draw reads.
uint32_t ReadableElements(const State& s) {
  uint32_t elements = s.vertices.count;
  if (s.normals.data) elements = std::min(elements, s.normals.count);
  if (s.colourArrayOn && s.colours.data) elements = std::min(elements, s.colours.count);
  if (s.vertexProgramOn && s.tangents.data) elements = std::min(elements, s.tangents.count);
  for (uint32_t unit = 0; unit < kTextureUnits; ++unit)
    if (s.texCoordArrayOn[unit] && s.texCoordArrays[unit].data)
      elements = std::min(elements, s.texCoordArrays[unit].count);
  return elements;
}

// The first index at or past `limit`, or `count` when all are below it.
uint64_t FirstOutside(const uint32_t* indices, uint64_t count, uint32_t limit) {
  for (uint64_t i = 0; i < count; ++i)
    if (indices[i] >= limit) return i;
  return count;
}

void BindArrays(const State& s) {
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(3, GL_FLOAT, sizeof(RTFVector3D), s.vertices.data);
  if (s.normals.data) {
    glEnableClientState(GL_NORMAL_ARRAY);
    glNormalPointer(GL_FLOAT, sizeof(RTFVector3D), s.normals.data);
  }
  if (s.colourArrayOn && s.colours.data) {
    glEnableClientState(GL_COLOR_ARRAY);
    glColorPointer(4, GL_FLOAT, sizeof(RTFColorRGB), s.colours.data);
  }
  for (uint32_t unit = 0; unit < kTextureUnits; ++unit) {
    if (!s.texCoordArrayOn[unit] || !s.texCoordArrays[unit].data) continue;
    glClientActiveTexture(GL_TEXTURE0 + unit);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, sizeof(RTFVector2D), s.texCoordArrays[unit].data);
  }
  glClientActiveTexture(GL_TEXTURE0 + s.activeUnit);
  if (s.vertexProgramOn && s.tangents.data) {
    glEnableVertexAttribArray(kTangentAttribute);
    glVertexAttribPointer(kTangentAttribute, 3, GL_FLOAT, GL_FALSE, sizeof(RTFVector3D), s.tangents.data);
  }
}

void UnbindArrays(const State& s) {
  glDisableClientState(GL_VERTEX_ARRAY);
  glDisableClientState(GL_NORMAL_ARRAY);
  glDisableClientState(GL_COLOR_ARRAY);
  for (uint32_t unit = 0; unit < kTextureUnits; ++unit) {
    glClientActiveTexture(GL_TEXTURE0 + unit);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  }
  glClientActiveTexture(GL_TEXTURE0 + s.activeUnit);
  if (s.vertexProgramOn) glDisableVertexAttribArray(kTangentAttribute);
  // Without a colour array GL keeps the last array colour as the current one.
  glColor4fv(s.colour.data());
}

// Draws `count` of `kind` from `indices`; false when refused. `reportOnce` names a primitive that
// is reported only the first time.
bool DrawIndexed(State& s, uint32_t kind, uint32_t count, const uint32_t* indices, const RTPrimitive* reportOnce) {
  const IndexedDraw draw = DrawOf(kind, count);
  if (!draw.mode) return false;
  if (draw.indices == 0) return true;
  const uint32_t elements = ReadableElements(s);
  const uint64_t outside = indices ? FirstOutside(indices, draw.indices, elements) : 0;
  if (!indices || outside < draw.indices) {
    if (!reportOnce || s.reported.insert(reportOnce).second) {
      const uint32_t serial = reportOnce ? reportOnce->serial : 0;
      if (!indices) {
        kivo::RaiseFormatted(kivo::kLevelError, u"RTRasterizer: primitive %u has no indices; not drawn", serial);
      } else {
        kivo::RaiseFormatted(kivo::kLevelError,
                             u"RTRasterizer: primitive %u uses vertex %u of an array of %u; not drawn", serial,
                             indices[outside], elements);
      }
    }
    return false;
  }
  BindArrays(s);
  glDrawElements(draw.mode, static_cast<GLsizei>(draw.indices), GL_UNSIGNED_INT, indices);
  UnbindArrays(s);
  return true;
}

bool DrawOne(State& s, const RTPrimitive* primitive) {
  if (!primitive || !s.primitives.count(primitive)) return false;
  if (DrawOf(primitive->kind, primitive->count).indices > primitive->capacity) {
    if (s.reported.insert(primitive).second)
      kivo::RaiseFormatted(kivo::kLevelError, u"RTRasterizer: primitive %u counts more indices than it holds; not drawn",
                           primitive->serial);
    return false;
  }
  return DrawIndexed(s, primitive->kind, primitive->count, primitive->indices, primitive);
}

}  // namespace

RTSuccess SetVertexArray(RTInstance self, const RTFVector3D* points, uint32_t count) {
  return Drawing(
      self, "SetVertexArray", [&](State& s) { return SetArray(s.vertices, points, count); },
      Array<RTFVector3D>{points, count});
}

RTSuccess SetTexCoordArray(RTInstance self, const RTFVector2D* pairs, uint32_t count) {
  return Drawing(
      self, "SetTexCoordArray", [&](State& s) { return SetArray(s.texCoordArrays[s.activeUnit], pairs, count); },
      Array<RTFVector2D>{pairs, count});
}

RTSuccess SetColorArray(RTInstance self, const RTFColorRGB* colours, uint32_t count) {
  return Drawing(
      self, "SetColorArray", [&](State& s) { return SetArray(s.colours, colours, count); },
      Array<RTFColorRGB>{colours, count});
}

RTSuccess SetNormalArray(RTInstance self, const RTFVector3D* normals, uint32_t count) {
  return Drawing(
      self, "SetNormalArray", [&](State& s) { return SetArray(s.normals, normals, count); },
      Array<RTFVector3D>{normals, count});
}

RTSuccess SetTangentArray(RTInstance self, const RTFVector3D* tangents, uint32_t count) {
  return Drawing(
      self, "SetTangentArray", [&](State& s) { return SetArray(s.tangents, tangents, count); },
      Array<RTFVector3D>{tangents, count});
}

RTSuccess EnableColorArray(RTInstance self, uint32_t flag) {
  return Drawing(
      self, "EnableColorArray",
      [&](State& s) {
        s.colourArrayOn = flag != 0;
        return true;
      },
      flag);
}

RTSuccess EnableTexCoordArray(RTInstance self, uint32_t flag) {
  return Drawing(
      self, "EnableTexCoordArray",
      [&](State& s) {
        s.texCoordArrayOn[s.activeUnit] = flag != 0;
        return true;
      },
      flag);
}

RTSuccess DrawStrips(RTInstance self, RTPrimitive* const* strips, uint32_t count) {
  return Drawing(
      self, "DrawStrips",
      [&](State& s) {
        if (!strips && count) return false;
        bool all = true;
        for (uint32_t i = 0; i < count; ++i) all = DrawOne(s, strips[i]) && all;
        return all;
      },
      PrimitiveRefs{StateOf(self), strips, count});
}

RTSuccess DrawPrimitive(RTInstance self, const RTPrimitive* primitive) {
  return Drawing(
      self, "DrawPrimitive", [&](State& s) { return DrawOne(s, primitive); }, PrimitiveRef{StateOf(self), primitive});
}

RTSuccess DrawIndexedQuad(RTInstance self, uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
  const uint32_t triangles[] = {a, b, c, a, c, d};
  return Drawing(
      self, "DrawIndexedQuad", [&](State& s) { return DrawIndexed(s, slot::kTriangleList, 2, triangles, nullptr); }, a,
      b, c, d);
}

RTSuccess DrawIndexedPrimitive(RTInstance self, uint32_t kind, uint32_t count, const uint32_t* indices) {
  const uint64_t read = DrawOf(kind, count).indices;
  return Drawing(
      self, "DrawIndexedPrimitive", [&](State& s) { return DrawIndexed(s, kind, count, indices, nullptr); },
      Hex{kind}, count, Array<uint32_t>{indices, static_cast<uint32_t>(read)});
}

RTSuccess DrawIndexedTriangles(RTInstance self, uint32_t count, const uint32_t* indices) {
  const uint64_t read = DrawOf(slot::kTriangleList, count).indices;
  return Drawing(
      self, "DrawIndexedTriangles",
      [&](State& s) { return DrawIndexed(s, slot::kTriangleList, count, indices, nullptr); }, count,
      Array<uint32_t>{indices, static_cast<uint32_t>(read)});
}

}  // namespace rasterizer
