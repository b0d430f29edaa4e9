// The head-render cache: for each staff character, under its upper-case surname, the textures of
// its head image and of its alternate head (some characters have a male and a female one). The
// actor library keeps one for all its controllers.
#pragma once

#include "kivo/support/hash_table.h"
#include "kivo/types.h"

namespace tesk::actor {

class HeadRenderCache {
 public:
  // False when there is no memory for it.
  bool Create();
  // Frees every entry (the textures stay the rasterizer's).
  void Destroy();
  bool Exists() const { return table_ != nullptr; }

  // Loads "Root:HeadRenders:<name>.tga" of the primary and, when given, the alternate into a new
  // entry under the key, through the rasterizer's texture-from-image operation. A missing image is
  // reported ("Can't retrieve a head render!") and leaves its texture 0; when the primary is
  // missing the alternate is not tried. The entry is stored all the same.
  void Add(RTInstance rasterizer, const char16_t* key, const char16_t* primary, const char16_t* alternate);
  // The texture under the key, upper-cased first (at most 127 units): the alternate when asked for
  // and there is one, else the primary. 0 with *texture 0 when there is no entry or the key is too
  // long or missing.
  RTSuccess Retrieve(const char16_t* key, RTBool alternate, uint32_t* texture) const;

 private:
  kivo::StrHashTable* table_ = nullptr;
};

}  // namespace tesk::actor
