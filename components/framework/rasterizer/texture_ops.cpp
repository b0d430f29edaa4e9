// Textures from image streams and from pixels, image sizes, and the texture units.
#include <cstring>
#include <string>

#include "gl_state.h"
#include "image_decode.h"
#include "kivo/support/raise.h"
#include "op_runner.h"
#include "ops.h"

namespace rasterizer {

namespace {

namespace slot = kivo::rasterizer;

constexpr uint32_t kNameUnits = 256;

struct Sampling {
  uint32_t wrapS;
  uint32_t wrapT;
  uint32_t magnify;
  uint32_t minify;
  uint32_t mipmaps;
};

bool ValidWrap(uint32_t wrap) {
  return wrap == GL_CLAMP || wrap == GL_REPEAT || wrap == GL_CLAMP_TO_EDGE || wrap == GL_CLAMP_TO_BORDER ||
         wrap == GL_MIRRORED_REPEAT;
}

bool MipmapFilter(uint32_t filter) { return filter >= GL_NEAREST_MIPMAP_NEAREST && filter <= GL_LINEAR_MIPMAP_LINEAR; }

bool ValidSampling(const Sampling& s) {
  return ValidWrap(s.wrapS) && ValidWrap(s.wrapT) && (s.magnify == GL_NEAREST || s.magnify == GL_LINEAR) &&
         (s.minify == GL_NEAREST || s.minify == GL_LINEAR || MipmapFilter(s.minify));
}

// Without mipmaps a mipmap filter would leave the texture unusable: its base filter is taken.
GLint Minify(const Sampling& s) {
  if (s.mipmaps || !MipmapFilter(s.minify)) return static_cast<GLint>(s.minify);
  return s.minify == GL_NEAREST_MIPMAP_NEAREST || s.minify == GL_NEAREST_MIPMAP_LINEAR ? GL_NEAREST : GL_LINEAR;
}

template <class... Args>
bool Refuse(const char16_t* operation, std::u16string_view format, const Args&... args) {
  kivo::RaiseFormatted(kivo::kLevelError, std::u16string(u"RTRasterizer::") + operation + u"()... " +
                                              std::u16string(format), args...);
  return false;
}

// " NAME" for an image stream: its instance name ("???" for one never named).
std::u16string NamePart(RTInstance image) {
  char16_t name[kNameUnits] = {};
  if (image) kivo::ModuleCore()->GetInstanceName(nullptr, image, name, kNameUnits);
  name[kNameUnits - 1] = 0;
  return u" " + std::u16string(name);
}

// The pixels (RGBA rows from the bottom up) as a new texture; the binding of the active unit is
// put back.
bool MakeTexture(const Image& image, const Sampling& sampling, Texture* out) {
  GLint maxSide = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
  if (image.width > static_cast<uint32_t>(maxSide) || image.height > static_cast<uint32_t>(maxSide)) return false;
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, static_cast<GLint>(sampling.wrapS));
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, static_cast<GLint>(sampling.wrapT));
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, static_cast<GLint>(sampling.magnify));
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, Minify(sampling));
  glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, sampling.mipmaps ? GL_TRUE : GL_FALSE);
  while (glGetError() != GL_NO_ERROR) {
  }
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, static_cast<GLsizei>(image.width), static_cast<GLsizei>(image.height), 0,
               GL_RGBA, GL_UNSIGNED_BYTE, image.rgba.data());
  const bool made = glGetError() == GL_NO_ERROR;
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
  if (!made) {
    glDeleteTextures(1, &texture);
    return false;
  }
  *out = texture;
  return true;
}

bool FromImage(RTInstance image, Texture* out, const Sampling& sampling) {
  if (!out) return false;
  *out = 0;
  if (!ValidSampling(sampling)) return Refuse(u"CreateTextureFromImage", u"unknown wrap or filter values");
  Image decoded;
  std::string why;
  if (!DecodeImageStream(image, &decoded, &why))
    return Refuse(u"CreateTextureFromImage", u"the image%s %s", NamePart(image), why.c_str());
  if (!MakeTexture(decoded, sampling, out)) return Refuse(u"CreateTextureFromImage", u"GL refused the texture");
  return true;
}

bool KnownLayout(uint32_t layout) { return layout == slot::kPixelsRgb || layout == slot::kPixelsRgba; }

// Rows from the top, three or four bytes a pixel, turned into RGBA rows from the bottom.
bool FromPixels(const uint8_t* pixels, uint32_t layout, uint32_t width, uint32_t height, Texture* out,
                const Sampling& sampling) {
  if (!out) return false;
  *out = 0;
  if (!pixels || !KnownLayout(layout) || !ImageSizeAllowed(width, height))
    return Refuse(u"CreateTextureFromPixels", u"no pixels of layout 0x%X and size %u x %u to take", layout, width,
                  height);
  if (!ValidSampling(sampling)) return Refuse(u"CreateTextureFromPixels", u"unknown wrap or filter values");
  Image image{width, height, std::vector<uint8_t>(size_t{width} * height * 4)};
  const size_t bytesPerPixel = layout == slot::kPixelsRgba ? 4 : 3;
  for (uint32_t row = 0; row < height; ++row) {
    const uint8_t* from = pixels + size_t{row} * width * bytesPerPixel;
    uint8_t* to = image.rgba.data() + size_t{height - 1 - row} * width * 4;
    for (uint32_t x = 0; x < width; ++x) {
      std::memcpy(to + x * 4, from + x * bytesPerPixel, bytesPerPixel);
      if (bytesPerPixel == 3) to[x * 4 + 3] = 0xFF;
    }
  }
  if (!MakeTexture(image, sampling, out)) return Refuse(u"CreateTextureFromPixels", u"GL refused the texture");
  return true;
}

}  // namespace

RTSuccess CreateTextureFromImage(RTInstance self, RTInstance image, Texture* out, uint32_t wrapS, uint32_t wrapT,
                                 uint32_t magnify, uint32_t minify, uint32_t mipmaps) {
  const Sampling sampling{wrapS, wrapT, magnify, minify, mipmaps};
  return Drawing(
      self, "CreateTextureFromImage", [&](State&) { return FromImage(image, out, sampling); },
      Named{image ? "stream" : "null"}, Out<uint32_t>{out}, Hex{wrapS}, Hex{wrapT}, Hex{magnify}, Hex{minify},
      mipmaps);
}

RTSuccess CreateTextureFromPixels(RTInstance self, const uint8_t* pixels, uint32_t layout, uint32_t width,
                                  uint32_t height, Texture* out, uint32_t wrapS, uint32_t wrapT, uint32_t magnify,
                                  uint32_t minify, uint32_t mipmaps) {
  const Sampling sampling{wrapS, wrapT, magnify, minify, mipmaps};
  const bool sized = pixels && KnownLayout(layout) && ImageSizeAllowed(width, height);
  return Drawing(
      self, "CreateTextureFromPixels",
      [&](State&) { return FromPixels(pixels, layout, width, height, out, sampling); },
      Bytes{pixels, sized ? size_t{width} * height * (layout == slot::kPixelsRgba ? 4 : 3) : 0}, Hex{layout}, width,
      height, Out<uint32_t>{out}, Hex{wrapS}, Hex{wrapT}, Hex{magnify}, Hex{minify}, mipmaps);
}

RTSuccess DestroyTexture(RTInstance self, Texture texture) {
  return Drawing(
      self, "DestroyTexture",
      [&](State&) {
        if (!texture || !glIsTexture(texture)) return false;
        glDeleteTextures(1, &texture);
        return true;
      },
      texture);
}

RTSuccess GetImageSize(RTInstance self, RTInstance image, uint32_t* width, uint32_t* height) {
  return Anytime(
      self, "GetImageSize",
      [&](State&) {
        std::string why;
        if (!width || !height) return false;
        if (ReadImageSize(image, width, height, &why)) return true;
        return Refuse(u"GetImageSize", u"the image%s %s", NamePart(image), why.c_str());
      },
      Named{image ? "stream" : "null"}, Out<uint32_t>{width}, Out<uint32_t>{height});
}

RTSuccess SelectTextureUnit(RTInstance self, uint32_t unit) {
  return Drawing(
      self, "SelectTextureUnit",
      [&](State& s) {
        if (unit >= kTextureUnits) return false;
        s.activeUnit = unit;
        glActiveTexture(GL_TEXTURE0 + unit);
        glClientActiveTexture(GL_TEXTURE0 + unit);
        return true;
      },
      unit);
}

RTSuccess BindTexture(RTInstance self, Texture texture) {
  return Drawing(
      self, "BindTexture",
      [&](State&) {
        glBindTexture(GL_TEXTURE_2D, texture);
        return true;
      },
      texture);
}

RTSuccess EnableTexturing(RTInstance self, uint32_t flag) {
  return Drawing(
      self, "EnableTexturing",
      [&](State&) {
        SetCapability(GL_TEXTURE_2D, flag != 0);
        return true;
      },
      flag);
}

}  // namespace rasterizer
