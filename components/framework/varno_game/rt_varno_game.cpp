// RTVarnoGame: the parent class of the game component (see varno_game_calls.h). Every method of its
// level succeeds without effect, whatever arguments it is given; what matters is its slot table,
// where the core writes the overrides of the game.
#include <array>
#include <iterator>

#include "kivo/support/component_kit.h"
#include "kivo/varno_game/varno_game_calls.h"

namespace {

using namespace kivo;
namespace slot = kivo::varno_game;

RTSuccess Succeed() { return kRTSuccess; }

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

struct Declared {
  const char16_t* name;
  uint32_t offset;
};
constexpr Declared kDeclared[] = {
#define KIVO_VARNO_GAME_DECLARED(name, offset) {u"" #name, offset},
    KIVO_VARNO_GAME_METHODS(KIVO_VARNO_GAME_DECLARED)
#undef KIVO_VARNO_GAME_DECLARED
};

std::array<RTMethodRecord, slot::kMethodCount + 1> MakeRecords() {
  std::array<RTMethodRecord, slot::kMethodCount + 1> records{};
  for (size_t i = 0; i < slot::kMethodCount; ++i)
    records[i] = Method(kDeclared[i].name, Succeed, kDeclared[i].offset, u"RTSuccess", kParameters[i]);
  records[slot::kMethodCount] = kEndOfMethods;
  return records;
}
std::array<RTMethodRecord, slot::kMethodCount + 1> gMethods = MakeRecords();

const RTComponentDef gDefinition = MakeComponentDef({
    .className = slot::kClassName,
    .parentClassName = u"RTComponent",
    .description = u"The parent of games: the methods a game overrides",
    .objectSize = slot::kObjectSize,
    .slotTableSize = slot::kSlotTableSize,
    .firstSlotTableOffset = slot::kLevel,
    .secondSlotTableOffset = slot::kOwnTable,
    .methods = gMethods.data(),
});

}  // namespace

KIVO_COMPONENT(gDefinition)
