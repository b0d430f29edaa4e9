// A class of light derived from RTLight (or from RTPointLight, for the spot light) that changes
// only how it shades: built once per class, with the class, its parent and its shading chosen by
// the macros the build defines (LIGHT_CLASS, LIGHT_PARENT, LIGHT_SHADE, LIGHT_LEVEL).
#include "kivo/support/component_kit.h"
#include "light_state.h"

namespace {

using namespace kivo;

constexpr uint32_t kLevel = LIGHT_LEVEL;
constexpr bool kOverrides = true;

RTMethodRecord gMethods[] = {
    Method(u"LightVertices", light::LightVerticesWith<light::LIGHT_SHADE>, OverrideAt(light::kLightVertices, 0x0), u"RTSuccess",
           u"RTFMatrix4x4 in apLightToObject, uint anVertices, RTFVector3D[] apVertices, RTFVector3D[] apNormals, "
           u"RTFColorRGB[] apColors",
           kOverrides),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = LIGHT_CLASS,
    .parentClassName = LIGHT_PARENT,
    .description = u"A light of RTLight's state that shades in its own way",
    .objectSize = kLevel + 8,
    .slotTableSize = 4,
    .firstSlotTableOffset = kLevel,
    .secondSlotTableOffset = kLevel + 4,
    .methods = gMethods,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
