#include "aoi_rings.h"

#include "game_methods.h"
#include "kivo/actor/actor_calls.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/matrix.h"

namespace tesk::game {

namespace {

namespace r = kivo::rasterizer;

constexpr float kSpinRate = 0.2f;
constexpr float kInnerScale = 0.75f;
constexpr float kSpriteShare = 0.22265625f;  // 57 / 256 of the powers image
constexpr float kOuterHeight = 0.002f;
constexpr float kInnerHeight = 0.0028f;
constexpr float kSpriteHeight = 0.0031f;
// Where each slot's sprite sits, in radii on the floor (x, z).
constexpr float kSlotPlaces[3][2] = {{0.0f, -0.71875f}, {-0.6328125f, 0.3515625f}, {0.625f, 0.3515625f}};

// A flat textured square of half-size `half` at the height, centred under the pushed world matrix.
void DrawRing(RTInstance rasterizer, float half, float height) {
  const RTFVector3D corners[4] = {
      {-half, height, -half, 0.0f}, {-half, height, half, 0.0f}, {half, height, half, 0.0f}, {half, height, -half, 0.0f}};
  const RTFVector2D coordinates[4] = {{0.0f, 0.0f}, {0.0f, 1.0f}, {1.0f, 1.0f}, {1.0f, 0.0f}};
  r::SetVertexArray(rasterizer, corners, 4);
  r::SetTexCoordArray(rasterizer, coordinates, 4);
  r::DrawIndexedQuad(rasterizer, 0, 1, 2, 3);
}

}  // namespace

AoiSpin& RingSpin() {
  static AoiSpin spin{};
  return spin;
}

RTSuccess DrawAOIQuad(GamePrivateData& game, RTInstance rasterizer, float radius, int32_t sprite, uint32_t slot) {
  if (sprite < 0 || static_cast<size_t>(sprite) >= kAoiCellCount || slot >= 3) return kRTSuccess;
  const float cx = kSlotPlaces[slot][0] * radius;
  const float cz = kSlotPlaces[slot][1] * radius;
  const float h = radius * kSpriteShare;
  const AoiCell cell = game.library->aoiCells[sprite];
  const float d = kSpriteShare;
  r::BindTexture(rasterizer, game.textures.aoiPowers);
  r::SetBlendFunc(rasterizer, r::kSourceAlpha, r::kOneMinusSourceAlpha);
  r::BeginPrimitive(rasterizer, r::kBatchQuads);
  r::TexCoord(rasterizer, 0, cell.u, cell.v);
  r::Vertex3(rasterizer, cx - h, kSpriteHeight, cz - h);
  r::TexCoord(rasterizer, 0, cell.u, cell.v + d);
  r::Vertex3(rasterizer, cx - h, kSpriteHeight, cz + h);
  r::TexCoord(rasterizer, 0, cell.u + d, cell.v + d);
  r::Vertex3(rasterizer, cx + h, kSpriteHeight, cz + h);
  r::TexCoord(rasterizer, 0, cell.u + d, cell.v);
  r::Vertex3(rasterizer, cx + h, kSpriteHeight, cz - h);
  r::EndPrimitive(rasterizer);
  return kRTSuccess;
}

namespace method {

RTSuccess RenderAOI(RTInstance self, RTInstance rasterizer) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  if (game->securityViewActive) return kRTSuccess;
  const kivo::List* actors = game->lists.actorList;
  const RTTeskActorWrapper* player =
      actors && actors->first ? static_cast<const RTTeskActorWrapper*>(actors->first->data) : nullptr;
  const RTFMatrix4x4* body = nullptr;
  const RTFMatrix4x4* camera = nullptr;
  if (!player || !player->BodyNode || !kivo::scene_node::GetWorldMatrix(player->BodyNode, &body) || !body) return kRTFailure;
  if (!game->environment.cameraNode || !kivo::scene_node::GetWorldMatrix(game->environment.cameraNode, &camera) || !camera)
    return kRTFailure;
  r::SetColor(rasterizer, 1.0f, 1.0f, 1.0f);
  // The rings keep the player's place but not its heading, and turn with the game clock.
  RTFMatrix4x4 placed = *body;
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 3; ++column) placed.m[row][column] = row == column ? 1.0f : 0.0f;
  AoiSpin& spin = RingSpin();
  const float clock = static_cast<float>(game->gameClock);
  spin.angle += (clock - spin.lastTime) * kSpinRate;
  spin.lastTime = clock;
  RTFMatrix4x4 turn{};
  kivo::Mat4RotationY(&turn, spin.angle);
  RTFMatrix4x4 world{};
  kivo::Mat4Multiply(turn, placed, &world);
  r::PushViewMatrix(rasterizer, camera);
  r::PushWorldMatrix(rasterizer, &world);
  r::EnableBlending(rasterizer, 1);
  if (game->tuning.aoiAdditive)
    r::SetBlendFunc(rasterizer, r::kOne, r::kOne);
  else
    r::SetBlendFunc(rasterizer, r::kOneMinusSourceAlpha, r::kSourceAlpha);
  r::EnableDepthTest(rasterizer, 1);
  r::EnableDepthWrite(rasterizer, 0);
  r::SelectTextureUnit(rasterizer, 0);
  r::EnableTexturing(rasterizer, 1);
  r::BindTexture(rasterizer, game->textures.aoiOuter);
  const float radius = game->tuning.aoiRadius;
  DrawRing(rasterizer, radius, kOuterHeight);
  const float inner = radius * 0.5f * kInnerScale;
  r::EnableDepthTest(rasterizer, 1);
  r::BindTexture(rasterizer, game->textures.aoiInner);
  DrawRing(rasterizer, inner, kInnerHeight);
  for (uint32_t slot = 0; slot < 3; ++slot) DrawAOIQuad(*game, rasterizer, inner, game->superPowerSlots[slot].sprite, slot);
  r::PopWorldMatrix(rasterizer);
  r::PopViewMatrix(rasterizer);
  r::EnableDepthTest(rasterizer, 1);
  r::EnableTexturing(rasterizer, 0);
  r::EnableBlending(rasterizer, 0);
  r::SetDepthFunc(rasterizer, r::kLess);
  r::EnableDepthWrite(rasterizer, 1);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(GetAOIRadius) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !result) return kRTFailure;
  result->type = varno::kTypeReal;
  result->value.real = game->tuning.aoiRadius;
  return kRTSuccess;
}

}  // namespace method

}  // namespace tesk::game
