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

// The next output y of the generator as y / (2^32 - 1): a real in [0, 1], both ends included.
double RandomReal(RandomState* state);
// The same from this library's own generator.
double RandomReal();

}  // namespace kivo
