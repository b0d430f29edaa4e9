// Uniform random reals from the TT800 generator. Each library that links the support library has
// its own generator, started from the published TT800 state and never reseeded.
#pragma once

#include <bit>
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

// word x (1 / (2^32 - 1)) as extended precision computes it, then rounded to double: the
// reciprocal rounds to the 64-bit significand 2^63 + 2^31 + 1 (times 2^-95), so the product is
// y 2^-32 + y 2^-64 + y 2^-95 rounded to 64 significant bits. The first two terms and that
// rounding of the third to a multiple of the 64-bit unit (one significant bit of it, to nearest:
// a tie only occurs where the even result is the upper one) add up exactly in double, and the one
// rounding of that sum to double is the extended result's. Checked for every word.
inline double RandomWordToReal(uint32_t word) {
  const double y = word;
  const uint64_t third = std::bit_cast<uint64_t>(y * 0x1p-95);
  const double thirdRounded = std::bit_cast<double>((third + 0x0008000000000000u) & 0xFFF0000000000000u);
  return y * 0x1p-32 + (y * 0x1p-64 + thirdRounded);
}

// The next output y of the generator as y / (2^32 - 1): a real in [0, 1], both ends included.
inline double RandomReal(RandomState* state) {
  if (state->index >= 25) RandomRegenerate(state);
  uint32_t y = state->words[state->index++];
  y ^= (y << 7) & 0x2B5B2500u;
  y ^= (y << 15) & 0xDB8B0000u;
  y ^= y >> 16;
  return RandomWordToReal(y);
}

// The same from this library's own generator.
double RandomReal();

}  // namespace kivo
