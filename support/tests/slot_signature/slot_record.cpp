// A method record of a slot declared with `const RTFVector3D*`. Built as is, the function has the
// slot's signature and the record compiles; with SLOT_MISMATCH the function takes `RTFVector3D*`,
// as a definition that drifted from its calling header would, and the record must not compile.
#include "kivo/support/component_kit.h"
#include "kivo/support/math_types.h"

namespace {

constexpr kivo::MethodSlot<const RTFVector3D*, uint32_t> kSetPoints{0x04};

#ifdef SLOT_MISMATCH
RTSuccess SetPoints(RTInstance, RTFVector3D*, uint32_t) { return kRTSuccess; }
#else
RTSuccess SetPoints(RTInstance, const RTFVector3D*, uint32_t) { return kRTSuccess; }
#endif

}  // namespace

RTMethodRecord gSlotRecords[] = {
    kivo::Method(u"SetPoints", SetPoints, kSetPoints, u"RTSuccess", u"RTFVector3D[] apPoints, uint anPoints"),
    kivo::kEndOfMethods,
};
