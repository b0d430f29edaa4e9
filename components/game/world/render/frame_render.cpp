// RenderC: one frame of the running game. The camera moves, the world is drawn from it through
// the scene tree with the characters' overlays, then the screen fade, the screens' forms, the HUD
// stage and the title text go on top in screen space, and the frame is presented. Before an
// environment there is no camera node or scene tree: the frame then draws everything but the
// world. The particle effects join the frame with their code.
#include "camera_frame.h"
#include "effects.h"
#include "form_drawing.h"
#include "game_context.h"
#include "game_methods.h"
#include "hud_stage.h"
#include "kivo/actor/actor_calls.h"
#include "kivo/font/font_calls.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/numeric.h"
#include "screen_drawing.h"
#include "tesk/scene/scene_tree_calls.h"

namespace tesk::game::method {

namespace {

namespace r = kivo::rasterizer;
namespace tree = tesk::scene_tree;

constexpr float kFadeShownAlpha = 0.001f;
constexpr uint32_t kAllFadeValues = 0b1111;

void StartFrameState(GamePrivateData& game) {
  RTInstance rasterizer = game.rasterizer;
  if (game.resizePending) {
    r::ResizeViewport(rasterizer, game.screenWidth, game.screenHeight);
    game.resizePending = 0;
  }
  r::EnableFog(rasterizer, 1);
  r::SetFogColor(rasterizer, game.fogColor[0], game.fogColor[1], game.fogColor[2], game.fogColor[3]);
  r::SetClearStencil(rasterizer, 0);
  r::SetClearMask(rasterizer, r::kClearColour | r::kClearDepth | r::kClearStencil);
  r::EnableDepthTest(rasterizer, 1);
  r::EnableDepthWrite(rasterizer, 1);
}

// The listener follows the player; with no actor it stays where it is.
void FollowPlayerWithListener(const GamePrivateData& game) {
  const kivo::List* actors = game.lists.actorList;
  const RTTeskActorWrapper* player =
      actors && actors->first ? static_cast<const RTTeskActorWrapper*>(actors->first->data) : nullptr;
  if (player && player->RootNode) tree::SetListenerNode(game.sceneTree, player->RootNode);
}

// Every character's shadows, circles and plates before any of their names.
void DrawActorOverlays(const GamePrivateData& game) {
  if (!game.actorComponent) return;
  for (RTTeskActorWrapper* wrapper : kivo::ListItems<RTTeskActorWrapper>(game.lists.actorList))
    kivo::actor::ActorDrawing(game.actorComponent, game.environment.cameraNode, wrapper);
  for (RTTeskActorWrapper* wrapper : kivo::ListItems<RTTeskActorWrapper>(game.lists.actorList))
    kivo::actor::ActorTextDrawing(game.actorComponent, game.environment.cameraNode, wrapper);
}

void DrawWorld(GamePrivateData& game) {
  const bool world = game.sceneTree && game.environment.cameraNode;
  UpdateEffects(game, static_cast<float>(game.gameClock));
  if (world) {
    tree::UpdateTransforms(game.sceneTree, kivo::FloatToInt<uint32_t>(game.gameClock * 1000.0));
    tree::SetRenderCameraNode(game.sceneTree, game.environment.cameraNode);
    FollowPlayerWithListener(game);
  }
  r::BeginScene(game.rasterizer);
  r::EnableCulling(game.rasterizer, 1);
  if (!world) return;
  tree::Render(game.sceneTree);
  DrawActorOverlays(game);
}

void DrawFade(RTInstance self, GamePrivateData& game) {
  LerpStep(game.gameClock, game.fadeEndTime, &game.fadeLastTime, game.fadeRate, game.fadeTarget, game.fadeColor, 4,
           kAllFadeValues);
  if (!(game.fadeColor[3] > kFadeShownAlpha)) return;
  RTInstance rasterizer = game.rasterizer;
  gui::SavedProjection saved{};
  gui::BeginScreenDrawing(self, &saved);
  r::EnableBlending(rasterizer, 1);
  r::SetBlendFunc(rasterizer, r::kSourceAlpha, r::kOneMinusSourceAlpha);
  r::EnableDepthTest(rasterizer, 0);
  r::EnableLighting(rasterizer, 0);
  r::EnableTexturing(rasterizer, 0);
  r::BeginPrimitive(rasterizer, r::kBatchQuads);
  r::SetColorRGBA(rasterizer, game.fadeColor[0], game.fadeColor[1], game.fadeColor[2], game.fadeColor[3]);
  const float width = static_cast<float>(game.screenWidth);
  const float height = static_cast<float>(game.screenHeight);
  r::Vertex3(rasterizer, 0.0f, 0.0f, 0.0f);
  r::Vertex3(rasterizer, 0.0f, height, 0.0f);
  r::Vertex3(rasterizer, width, height, 0.0f);
  r::Vertex3(rasterizer, width, 0.0f, 0.0f);
  r::EndPrimitive(rasterizer);
  r::EnableBlending(rasterizer, 0);
  r::EnableDepthTest(rasterizer, 1);
  gui::EndScreenDrawing(self, saved);
}

void DrawScreens(RTInstance self, GamePrivateData& game) {
  const ScreenFormRow* chosen[kMaxChosenForms];
  const size_t count =
      SelectScreenForms(FormStage::kScreens, game.ScreenMode, game.previousScreenMode, game.antidoteOpen, chosen);
  for (size_t i = 0; i < count; ++i) {
    if (chosen[i]->pauses) PauseC(self);
    if (!(game.forms.*chosen[i]->form)) continue;
    gui::SavedProjection saved{};
    gui::BeginScreenDrawing(self, &saved);
    DrawChosenForm(game, *chosen[i]);
    gui::EndScreenDrawing(self, saved);
  }
}

bool HasScoreAttributes(GamePrivateData& game) {
  varno::RTVarnoConstantValue value{};
  return ReadAttribute(game, game.gameObject, u"numHeals", varno::kTypeNumber, &value) &&
         ReadAttribute(game, game.gameObject, u"numDeaths", varno::kTypeNumber, &value);
}

void DrawTitle(const GamePrivateData& game) {
  if (!game.titleActive || !game.titleFont) return;
  kivo::font::SetBounds(game.titleFont, static_cast<int32_t>(game.titleCharWidth),
                        static_cast<int32_t>(game.titleCharHeight));
  int32_t width = 0;
  kivo::font::MeasureWidth(game.titleFont, game.titleText, &width);
  kivo::font::DrawText(game.titleFont, game.titleText, static_cast<int32_t>(game.screenWidth / 2) - width / 2,
                       static_cast<int32_t>(game.screenHeight / 2) - 16, game.titleColor);
}

// Perk targeting that lost its target gives up: the game resumes and the script hears of it.
void CancelPerkTargeting(RTInstance self, GamePrivateData& game) {
  if (!game.perkTargeting.active || game.perkTargeting.pending) return;
  UnPauseC(self);
  game.perkTargeting.active = 0;
  game.perkTargeting.pending = 0;
  RaiseGameEvent(game, u"PerkUsageFailed");
}

}  // namespace

RTSuccess RenderC(RTInstance self) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  if (!game->rasterizer) return kRTSuccess;
  RTInstance rasterizer = game->rasterizer;
  const uint32_t frameStart = Now();
  UpdateCameraFrame(*game, frameStart);
  if (!r::BeginFrame(rasterizer, game->windowHandle)) return kRTFailure;
  StartFrameState(*game);
  DrawWorld(*game);
  DrawFade(self, *game);
  DrawScreens(self, *game);
  r::SetColor(rasterizer, 1.0f, 1.0f, 1.0f);
  if (!HasScoreAttributes(*game)) {
    r::EndScene(rasterizer);
    return kRTFailure;
  }
  gui::SavedProjection saved{};
  gui::BeginScreenDrawing(self, &saved);
  DrawHudStage(self, *game, saved);
  DrawTitle(*game);
  CancelPerkTargeting(self, *game);
  if (game->titleFont) kivo::font::SetBounds(game->titleFont, 100, 100);
  gui::EndScreenDrawing(self, saved);
  r::EndScene(rasterizer);
  r::PresentFrame(rasterizer);
  game->lastFrameDuration = Now() - frameStart;
  return kRTSuccess;
}

}  // namespace tesk::game::method
