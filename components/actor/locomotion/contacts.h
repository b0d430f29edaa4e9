// The contact pass of every integration step of a moving actor: one swept-sphere probe against the
// scene and a test against each nearby actor fill the wrapper's contact list (at most 16 entries,
// refilled from empty; a contact found when it is full is dropped), then each contact is answered.
// Only an actor on foot is pushed or bounced; one in another mode only asks standing actors to make
// way. An actor whose script attribute "bIsAtBed" is true is never pushed, bounced or asked.
#pragma once

#include "actor_state.h"
#include "kivo/actor/actor_calls.h"

namespace tesk::actor {

// The segment that an actor not on foot takes up, from its position along its heading: 2.4 behind
// a gurney driver, 0.7 ahead of a wheelchair pusher, none (a sphere) in the other modes.
float VehicleSegmentLength(uint32_t mode);

// Gathers and answers the step's contacts; 1 when there was one, else 0.
RTSuccess ResolveContacts(RTInstance self, const ActorControllerData& actor, RTTeskActorWrapper& w, float dt);
// Records the first scene obstacle that the actor's sphere (its radius, 0.2 above that) touches
// moving from its position by velocity x dt, holding the hit node's reference. 1 when recorded.
RTSuccess ProbeSceneContact(const ActorControllerData& actor, RTTeskActorWrapper& w, float dt);
// Records the visible nearby actors the actor touches in this step. None in a room flagged 0x80.
RTSuccess CheckActorContacts(RTTeskActorWrapper& w, float dt);

}  // namespace tesk::actor
