// The script's side of the three problem portals: their problems, numbers and wedges. The portal
// drawing animates toward what is set here.
#include <cstdlib>

#include "game_context.h"
#include "game_methods.h"
#include "hud_state.h"

namespace tesk::game {

namespace {

constexpr int32_t kEmptyRing = 300;
constexpr int32_t kPositionsPerLevel = 30;
constexpr float kLevelZeroShortening = 0.2f;

// The problem portal of the script's index, or null outside 0-2.
PortalRecord* ProblemPortal(GamePrivateData& game, int32_t index) {
  return index >= 0 && static_cast<uint32_t>(index) < kProblemPortalCount ? &game.portals[index] : nullptr;
}

uint32_t RingPosition(int32_t level) { return static_cast<uint32_t>(kEmptyRing - kPositionsPerLevel * level); }

float Clock(const GamePrivateData& game) { return static_cast<float>(game.gameClock); }

// The wedge moves from where it is to the level's position over the duration; with nothing to
// move it stands there at once.
void ChangeWedgeOf(GamePrivateData& game, PortalRecord& portal, int32_t level, float duration) {
  portal.wedgeTarget = RingPosition(level);
  portal.wedgeLastPos = portal.wedgePos;
  portal.wedgeStepTime = Clock(game);
  if (&portal == &game.portals[0]) portal.wedgeEndTime = Clock(game) + duration;
  const int32_t distance = std::abs(static_cast<int32_t>(portal.wedgeTarget) - static_cast<int32_t>(portal.wedgePos));
  if (distance == 0) {
    portal.wedgeStepSeconds = 0.0f;
    return;
  }
  portal.wedgeStepSeconds = duration / static_cast<float>(distance);
}

}  // namespace

void ChangeWedgeC(GamePrivateData& game, int32_t level, float duration) {
  ChangeWedgeOf(game, game.portals[0], level, duration);
}

namespace method {

TESK_GAME_SCRIPT_METHOD(SetPortalNumber) {
  GamePrivateData* game = RecordOf(self);
  PortalRecord* portal = game ? ProblemPortal(*game, NumberArgument(count, arguments, 0)) : nullptr;
  if (!portal) return kRTSuccess;
  portal->portalNumber = NumberArgument(count, arguments, 1);
  portal->numberTime = Clock(*game);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(ChangeWedge) {
  GamePrivateData* game = RecordOf(self);
  PortalRecord* portal = game ? ProblemPortal(*game, NumberArgument(count, arguments, 0)) : nullptr;
  if (!portal) return kRTSuccess;
  const int32_t level = NumberArgument(count, arguments, 1);
  float duration = RealArgument(count, arguments, 2);
  if (level == 0) duration -= kLevelZeroShortening;
  ChangeWedgeOf(*game, *portal, level, duration);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(SetWedge) {
  GamePrivateData* game = RecordOf(self);
  PortalRecord* portal = game ? ProblemPortal(*game, NumberArgument(count, arguments, 0)) : nullptr;
  if (!portal) return kRTSuccess;
  portal->wedgeStepTime = Clock(*game);
  portal->wedgePos = portal->wedgeLastPos = portal->wedgeTarget = RingPosition(NumberArgument(count, arguments, 1));
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(SetProblem) {
  GamePrivateData* game = RecordOf(self);
  PortalRecord* portal = game ? ProblemPortal(*game, NumberArgument(count, arguments, 0)) : nullptr;
  if (!portal) return kRTSuccess;
  portal->problem = static_cast<uint32_t>(NumberArgument(count, arguments, 1) + 1);
  portal->problemAnim = 1;
  portal->problemAnimTime = Clock(*game);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(SetNumProblems) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTSuccess;
  game->problemCount = static_cast<uint32_t>(NumberArgument(count, arguments, 0));
  if (game->problemCount == 0)
    for (uint32_t i = 0; i < kProblemPortalCount; ++i) game->portals[i].shownProblem = 0;
  return kRTSuccess;
}

}  // namespace method

}  // namespace tesk::game
