// A class file as read, before anything of it enters a type table: the names of its types as
// written, each method's code already in a memory stream under "Root:VNMethods" and its line table
// built. Dropping an image gives back everything it holds.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "compiler/line_table.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/math_types.h"

namespace varno {

struct AttributeImage {
  std::u16string type;
  std::u16string name;
  uint8_t flags = 0;
};

struct ParameterImage {
  std::u16string name;
  std::u16string type;
};

struct LineTableRelease {
  void operator()(LineTable* table) const { LineTableDestroy(table); }
};

struct MethodImage {
  uint8_t kind = 0;
  std::u16string key;
  kivo::InstanceRef code;  // at position 0
  bool hasDeclarations = false;
  std::vector<AttributeImage> declarations;
  std::vector<ParameterImage> parameters;
  std::u16string returnType;
  std::unique_ptr<LineTable, LineTableRelease> lines;
  std::u16string bindClass;  // implemented methods
  std::u16string bindMethod;
};

struct ConstantImage {
  std::u16string name;
  uint32_t tag = 0;
  uint32_t word = 0;  // number, bool
  float real = 0;
  std::u16string text;
  RTFVector3D vector{};
};

struct ClassImage {
  uint32_t version = 0;
  std::u16string name;
  std::u16string file;
  uint32_t flags = 0;
  uint32_t classWord = 0;
  uint32_t ownAttributeCount = 0;
  bool singleton = false;
  bool hasParent = false;
  std::u16string parent;
  std::vector<AttributeImage> attributes;
  std::vector<MethodImage> methods;
  uint32_t ownConstantCount = 0;
  std::vector<ConstantImage> constants;
};

}  // namespace varno
