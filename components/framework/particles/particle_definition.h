// The definition language of particle systems: one "word values" line each, words and numbers
// separated by blanks, empty lines ignored.
//
// Emitter words (a system's primary text): burst N (particles at the start), rate N (per second),
// emit S (seconds of emission at that rate; 0: until stopped), life A B and speed A B (seconds and
// units per second, each particle's drawn between A and B), direction X Y Z, spread DEG (the cone
// around the direction), gravity X Y Z, drag K (the share of the speed lost per second), box X Y Z
// (the size of the box particles are born in, centred on the source), max N (the pool, 1 to 1024).
// Look words (its secondary text): size A B (from birth to death), colour R G B A, fade R G B A
// (the colour at death; the birth colour when left out).
#pragma once

#include <cstdint>
#include <string>

#include "kivo/support/math_types.h"

namespace kivo::particles {

inline constexpr uint32_t kMaxPool = 1024;

struct ParticleDefinition {
  bool hasEmitterWords = false;
  bool hasLookWords = false;
  // Emitter.
  float burst = 0.0f;
  float rate = 0.0f;
  float emitSeconds = 0.0f;
  float lifeMin = 1.0f, lifeMax = 1.0f;
  float speedMin = 0.0f, speedMax = 0.0f;
  RTFVector3D direction{0.0f, 1.0f, 0.0f, 0.0f};
  float spreadDegrees = 0.0f;
  RTFVector3D gravity{};
  float drag = 0.0f;
  RTFVector3D box{};
  uint32_t pool = 64;
  // Look.
  float sizeStart = 0.1f, sizeEnd = 0.1f;
  RTFColorRGB colour{1.0f, 1.0f, 1.0f, 1.0f};
  RTFColorRGB fade{1.0f, 1.0f, 1.0f, 1.0f};
  bool fadeGiven = false;
};

// Parses the text (null: an empty definition) into `out`; false with the reason, naming the line,
// and `out` untouched.
bool ParseDefinition(const char* text, ParticleDefinition* out, std::u16string* why);

}  // namespace kivo::particles
