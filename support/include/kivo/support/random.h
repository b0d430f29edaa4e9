// Uniform random reals from the TT800 generator. Each library that links the support library has
// its own generator, started from the published TT800 state and never reseeded.
#pragma once

#include <cstdint>

namespace kivo {

struct RandomState {
  uint32_t words[25];
  uint32_t index;  // next word to temper; 25 means the words are due for regeneration
};

// The published initial state, index 0: the first 25 draws temper these words directly.
RandomState RandomInitialState();

// Regenerates all 25 words (TT800's twist, N = 25, M = 7) and sets the index to 0.
void RandomRegenerate(RandomState* state);

// The next output y of the generator as y / (2^32 - 1): a real in [0, 1], both ends included,
// computed in extended precision (y times the rounded reciprocal) and rounded to double. Inline:
// the generator's step is a few integer operations, and the x87 unit takes the word as it is.
inline double RandomReal(RandomState* state) {
  if (state->index >= 25) RandomRegenerate(state);
  uint32_t y = state->words[state->index++];
  y ^= (y << 7) & 0x2B5B2500u;
  y ^= (y << 15) & 0xDB8B0000u;
  y ^= y >> 16;
  return static_cast<double>(static_cast<long double>(y) * (1.0L / 4294967295.0L));
}

// The same from this library's own generator.
double RandomReal();

}  // namespace kivo
