// RTVarnoGame: the parent class of the game component (see varno_game_calls.h). Every method of its
// level takes the arguments its slot declares and succeeds without effect; what matters is its slot
// table, where the core writes the overrides of the game.
#include <iterator>

#include "kivo/support/component_kit.h"
#include "kivo/varno_game/varno_game_calls.h"

namespace {

using namespace kivo;
namespace slot = kivo::varno_game;

template <class... Params>
RTSuccess Succeed(RTInstance, Params...) {
  return kRTSuccess;
}

// The parameter texts of the game's methods of the same names.
constexpr const char16_t* kParameters[] = {
    u"",
    u"",
    u"",
    u"void* apWindowHandle, uint aWidth, uint aHeight",
    u"uint aWidth, uint aHeight",
    u"RTBool abLeftButton, RTBool abRightButton, uint aX, uint aY",
    u"",
    u"uint aX, uint aY",
    u"RTBool abLeftButton, RTBool abRightButton, uint aX, uint aY",
    u"uint aX, uint aY",
    u"",
    u"",
    u"",
    u"",
    u"uint aKey, uint aShiftState",
};
static_assert(std::size(kParameters) == slot::kMethodCount);

template <class... Params>
RTMethodRecord Succeeding(const char16_t* name, MethodSlot<Params...> slot) {
  return Method(name, Succeed<Params...>, slot, u"RTSuccess", kParameters[WordIndex(slot.offset)]);
}

RTMethodRecord gMethods[] = {
#define KIVO_VARNO_GAME_RECORD(name, offset, ...) Succeeding(u"" #name, slot::k##name),
    KIVO_VARNO_GAME_METHODS(KIVO_VARNO_GAME_RECORD)
#undef KIVO_VARNO_GAME_RECORD
    kEndOfMethods,
};
static_assert(std::size(gMethods) == slot::kMethodCount + 1);

const RTComponentDef gDefinition = MakeComponentDef({
    .className = slot::kClassName,
    .parentClassName = u"RTComponent",
    .description = u"The parent of games: the methods a game overrides",
    .objectSize = slot::kObjectSize,
    .slotTableSize = slot::kSlotTableSize,
    .firstSlotTableOffset = slot::kLevel,
    .secondSlotTableOffset = slot::kOwnTable,
    .methods = gMethods,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
