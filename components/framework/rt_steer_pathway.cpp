// RTSteerPathway: the parent class of the paths actors steer along. A pathway's points, length
// and readers belong to its derived class (RTPathFollower); this level only places the class in
// the hierarchy, so it declares no methods and keeps no state. It is not streamed beyond the
// RTComponent block.
#include "kivo/navigation/navigation_calls.h"
#include "kivo/support/component_kit.h"

namespace {

using namespace kivo;

const RTComponentDef gDefinition = MakeComponentDef({
    .className = u"RTSteerPathway",
    .parentClassName = u"RTComponent",
    .description = u"The parent class of steering pathways",
    .objectSize = steer_pathway::kLevel + 8,
    .slotTableSize = 0,
    .firstSlotTableOffset = steer_pathway::kLevel,
    .secondSlotTableOffset = steer_pathway::kLevel + 4,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
