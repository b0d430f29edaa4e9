// The elementary steering behaviours of an actor (seek, arrive, brake, follow path), the limit on
// the steering direction and the steering cone, over the wrapper's frame (position and forward
// rows), velocity, speeds and path. Each writes x, y and z of its output vector; the fourth float is
// left as it was. The maximum steering is kept per 0.03-second step, so it scales every behaviour.
#pragma once

#include "actor_state.h"
#include "kivo/actor/actor_calls.h"

namespace tesk::actor {

// position + velocity x t.
void ComputeFuturePosition(const RTTeskActorWrapper& w, float t, RTFVector3D* out);
// Toward the target at full speed: (unit direction x maximum speed - velocity) x weight x maximum
// steering; the direction stays zero at the target.
void SteerForSeek(const RTTeskActorWrapper& w, const RTFVector3D& target, float weight, RTFVector3D* out);
// Toward the target, slowing within the slowing distance: offset x speed x maximum steering -
// velocity (the offset not normalised). A slowing distance not above 0 leaves no slowing.
void SteerForArrive(const RTTeskActorWrapper& w, const RTFVector3D& target, float slowingDistance, RTFVector3D* out);
// Toward the last node at the end of a path, in the ground plane: the part of the offset across the
// heading scaled by the lateral gain and slowing, plus the braking gain times the seek.
void SteerForBrake(const RTTeskActorWrapper& w, const ActorProperties& properties, const RTFVector3D& target,
                   float slowingDistance, RTFVector3D* out);
// Back onto the path when the position predicted t seconds ahead lies outside its radius: a seek
// toward the path point the current speed reaches in t. Nothing written while the prediction stays
// within the path, or without a path.
void SteerForFollowPath(const RTTeskActorWrapper& w, float t, RTFVector3D* out);
// Turns the steering into the cone of `degrees` about the heading, keeping its length. False, with
// the steering untouched, when it is too short to have a direction.
bool ApplySteeringConstraint(const RTTeskActorWrapper& w, float degrees, RTFVector3D* steering);
// Whether the point lies within the cone of `degrees` about the heading, or at the actor.
bool IsWithinSteeringCone(const RTTeskActorWrapper& w, float degrees, const RTFVector3D& point);

}  // namespace tesk::actor
