#include "wrapper_factory.h"

#include <string>
#include <string_view>

#include "effects/hand_particle.h"
#include "effects/highlight_hooks.h"
#include "game_link.h"
#include "hand_bones.h"
#include "kivo/articulated/articulated_calls.h"
#include "kivo/particles/particle_system_calls.h"
#include "kivo/scene/bone_model_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/matrix.h"
#include "kivo/support/raise.h"
#include "kivo/support/wide_string.h"
#include "tesk/scene/scene_tree_calls.h"
#include "wrapper_teardown.h"

namespace tesk::actor {

namespace {

using namespace kivo;
namespace node = kivo::tesk_scene_node;

constexpr char16_t kSkinFolder[] = u"Root:Characters:Assets:Meshes:Skins:";
constexpr char16_t kHeadRenderFolder[] = u"Root:HeadRenders:";
constexpr uint32_t kRootFlags = 0x79;
constexpr uint32_t kNodeFlags = 0x59;
constexpr float kTween = 0.1f;

bool gHandEffectPending = true;

CoreTable& Core() { return *ModuleCore(); }

bool NewInstance(const char16_t* className, bool uniqueName, RTInstance* out) {
  return Core().CreateInstanceByString(nullptr, className, out, 0, uniqueName ? 1 : 0) != 0;
}

bool NewNode(RTInstance* out, uint32_t flags) {
  return NewInstance(node::kClassName, false, out) && node::SetStateWord(*out, flags);
}

bool NewChildNode(RTInstance parent, RTInstance* out, uint32_t flags) {
  return NewNode(out, flags) && scene_node::AddChild(parent, *out);
}

// The skin's chain of that name, made when it has none: every actor of a skin shares its chains.
int32_t ArmChain(RTInstance skin, const char16_t* root, const char16_t* hand, const char16_t* name) {
  int32_t count = 0;
  bone_model::GetIKChainsCount(skin, &count);
  for (int32_t chain = 0; chain < count; ++chain) {
    const char16_t *chainRoot = nullptr, *effector = nullptr, *chainName = nullptr;
    RTBool active = 0;
    if (bone_model::GetIKChain(skin, &chainRoot, &effector, &chainName, &active, chain) && chainName &&
        std::u16string_view(chainName) == name)
      return chain;
  }
  int32_t made = kivo::actor::kNoChain;
  return bone_model::CreateIKChain(skin, root, hand, name, &made) ? made : kivo::actor::kNoChain;
}

// The construction steps on one wrapper; each that can fail answers false.
class Builder {
 public:
  Builder(RTInstance self, ActorControllerData& actor, RTTeskActorWrapper& wrapper)
      : self_(self), actor_(actor), w_(wrapper) {}

  bool Build(const char16_t* skinName, void* object) {
    return Lists() && Nodes() && Skin(skinName) && Player() && Hands() && Motions() && Named(skinName) &&
           Defaults(object) && Register() && Finish() && Hooks();
  }
  // Undoes what only the library or the scene tree keep of a construction that failed.
  void Undo() {
    if (registered_) LeaveQuadTree(actor_, &w_);
    if (tookHandEffect_) gHandEffectPending = true;
  }

 private:
  bool Lists() {
    return ListCreate(&w_.NeighbourList) && ListCreate(&w_.FreeNeighbourList) && ListCreate(&w_.SpareNeighbourLinks);
  }

  bool Nodes() {
    return NewNode(&w_.RootNode, kRootFlags) && NewChildNode(w_.RootNode, &w_.BodyNode, kNodeFlags) &&
           NewChildNode(w_.RootNode, &w_.MountNode, kNodeFlags) &&
           NewChildNode(w_.MountNode, &w_.CarryNode, kNodeFlags);
  }

  bool Skin(const char16_t* name) {
    const std::u16string path = std::u16string(kSkinFolder) + name;
    InstanceRef skin;
    if (!Core().GetInstanceByName(nullptr, path.c_str(), skin.out(), 0) ||
        !Core().IsKindOfByName(nullptr, skin.get(), bone_model::kClassName))
      return false;
    w_.Skin = skin.Take();
    const std::u16string head = std::u16string(kHeadRenderFolder) + name + u".tga";
    if (!Core().GetInstanceByName(nullptr, head.c_str(), &w_.HeadRender, 0))
      RaiseFormatted(kLevelError, u"Create(). Can't retrieve the head render!");
    if (!bone_model::GetNode(w_.Skin, u"Bip01 Spine", &w_.SpineBone)) w_.SpineBone = nullptr;
    w_.LeftArmChain = ArmChain(w_.Skin, u"Bip01 L UpperArm", u"Bip01 L Hand", u"Left Arm Chain");
    w_.RightArmChain = ArmChain(w_.Skin, u"Bip01 R UpperArm", u"Bip01 R Hand", u"Right Arm Chain");
    return true;
  }

  bool Player() {
    return NewInstance(articulated::kClassName, true, &w_.Animator) && scene_node::SetEntity(w_.BodyNode, w_.Skin);
  }

  // The first wrapper after the library loads (or ResetStates) carries the hand effect, and its
  // hand nodes are not bound; the others' follow the hand bones when the skin has them.
  bool Hands() {
    HandBones hands;
    const bool bones = FindHandBones(w_.Skin, &hands);
    if (gHandEffectPending) {
      if (!bones || !NewInstance(particle_system::kClassName, true, &w_.HandParticleSystem) ||
          !NewNode(&w_.HandEmitterNode, kNodeFlags) ||
          !scene_node::SetEntity(w_.HandEmitterNode, w_.HandParticleSystem))
        return false;
      particle_system::SetParticleInitializer(w_.HandParticleSystem, InitHandParticle);
      particle_system::Start(w_.HandParticleSystem);
      if (!scene_node::AddChild(w_.BodyNode, w_.HandEmitterNode) || !HandNodes()) return false;
      gHandEffectPending = false;
      tookHandEffect_ = true;
      return true;
    }
    if (!HandNodes()) return false;
    if (bones) AttachHands(w_.Animator, hands, w_.LeftHandNode, w_.RightHandNode);
    return true;
  }

  bool HandNodes() {
    return NewChildNode(w_.BodyNode, &w_.LeftHandNode, kNodeFlags) &&
           NewChildNode(w_.BodyNode, &w_.RightHandNode, kNodeFlags);
  }

  // Every built-in motion in table order, so that a motion index is the same for every actor.
  bool Motions() {
    if (!node::SetAnimator(w_.BodyNode, w_.Animator) || Shared().motionCount != kMotionCount) return false;
    for (RTInstance motion : Shared().motions) {
      uint32_t index = 0;
      if (!rigid::AppendMotion(w_.Animator, motion, &index)) return false;
    }
    w_.MotionWalk = 0;
    w_.MotionIdle = 1;
    w_.MotionDie = 2;
    w_.MotionWheelchair = 64;
    w_.MotionWheelchairB = 65;
    w_.MotionSignal = 66;
    w_.MotionCarry = 77;
    w_.MotionWalk2 = 83;
    return rigid::SetMotion(w_.Animator, 0) && rigid::SetLooping(w_.Animator, 1) && rigid::SetPlaying(w_.Animator, 1);
  }

  bool Named(const char16_t* name) {
    w_.AssembledBody = 0;
    return WideStrDup(name, &w_.SkinName);
  }

  bool Defaults(void* object) {
    rigid::SetTween(w_.Animator, kTween);
    w_.ScriptObject = object;
    w_.AvoidPriority = -1;
    w_.BrakeAtGoal = 0;
    w_.Vehicle = nullptr;
    w_.Mass = 1.0f;
    w_.InverseMass = 1.0f / w_.Mass;
    w_.Velocity = RTFVector3D{};
    w_.MaxSpeed = 1.1f;
    w_.Acceleration = RTFVector3D{};
    w_.Speed = 0.0f;
    w_.Steering = RTFVector3D{};
    w_.MaxSteering = 20.0f;
    w_.SteeringConstraint = 120.0f;
    w_.SlowingDistance = w_.MaxSpeed * 1.0f;
    w_.ArrivalTolerance = 0.05f;
    w_.PredictionDistance = 1.0f;
    w_.LastSubStep = 1.0f;
    w_.ViewDirectionSet = 0;
    Mat4Identity(&w_.Frame);
    Mat4Identity(&w_.SpeechFrame);
    w_.SignalFlags[0] = w_.SignalFlags[1] = 0;
    w_.NeighbourhoodRadius = 3.0f;
    w_.TargetActorIndex = w_.CarriedActorIndex = -1;
    return true;
  }

  bool Register() {
    const InstanceRef tree = SceneTreeOf(actor_);
    if (!tree.get()) {
      RaiseFormatted(kLevelError, u"RTTeskActor::RTTeskActorWrapperFactory(): Failed to get scene tree reference!");
      return true;
    }
    registered_ = scene_tree::QTAddNode(tree.get(), w_.RootNode) != 0;
    return true;
  }

  bool Finish() {
    w_.LookAtEnabled = 1;
    w_.CanMove = 1;
    w_.Radius = 0.3f;
    w_.PaddedRadius = 0.35f;
    NewInstance(node::kClassName, true, &w_.ExtendedBVNode);
    w_.ExtendedBV = 0;
    w_.Serial = actor_.nextWrapperSerial++;
    w_.VehicleMode = kivo::actor::kOnFoot;
    w_.Visible = 1;
    return ListCreate(&w_.SpeechList);
  }

  // Last, so that a construction that fails leaves no hooks on the skin: they stay with it as long as
  // the controller lives.
  bool Hooks() {
    InstallHighlightHooks(self_, actor_, w_.Skin);
    return true;
  }

  RTInstance self_;
  ActorControllerData& actor_;
  RTTeskActorWrapper& w_;
  bool registered_ = false;
  bool tookHandEffect_ = false;
};

RTSuccess Failed(const char16_t* skinName) {
  RaiseFormatted(kLevelError, u"TeskActor.Initialize (%s) -- FAILED", skinName);
  return kRTFailure;
}

}  // namespace

void SetHandEffectPending() { gHandEffectPending = true; }

RTSuccess ActorWrapperFactory(RTInstance self, RTTeskActorWrapper** out, const char16_t* skinName, RTInstance body,
                              void* object) {
  ActorControllerData* actor = StateOf(self);
  if (!actor || !out) return kRTFailure;
  *out = nullptr;
  if (!EnsureGame(*actor)) return kRTFailure;
  const char16_t* name = skinName ? skinName : u"";
  if (body || !skinName) {
    RaiseFormatted(kLevelError, u"RTTeskActor::ActorWrapperFactory(): assembled bodies are not made yet");
    return Failed(name);
  }
  void* block = nullptr;
  if (!Core().MemAlloc(nullptr, sizeof(RTTeskActorWrapper), &block, 1)) return Failed(name);
  auto* wrapper = static_cast<RTTeskActorWrapper*>(block);
  Builder builder(self, *actor, *wrapper);
  if (!builder.Build(name, object)) {
    builder.Undo();
    FreeWrapper(self, wrapper);
    return Failed(name);
  }
  *out = wrapper;
  return kRTSuccess;
}

}  // namespace tesk::actor
