// TT800 (Matsumoto and Kurita's twisted GFSR with tempering), N = 25, M = 7.
#include "kivo/support/random.h"

namespace kivo {

namespace {

constexpr uint32_t kWords = 25;
constexpr uint32_t kShift = 7;
constexpr uint32_t kTwist[2] = {0x00000000u, 0x8EBFD028u};

constexpr RandomState kInitialState = {
    {0x95F24DABu, 0x0B685215u, 0xE76CCAE7u, 0xAF3EC239u, 0x715FAD23u, 0x24A590ADu, 0x69E4B5EFu,
     0xBF456141u, 0x96BC1B7Bu, 0xA7BDF825u, 0xC1DE75B7u, 0x8858A9C9u, 0x2DA87693u, 0xB657F9DDu,
     0xFFDC8A9Fu, 0x8121DA71u, 0x8B823ECBu, 0x885D05F5u, 0x4E20CD47u, 0x5A9AD5D9u, 0x512C0C03u,
     0xEA857CCDu, 0x4CC1D30Fu, 0x8891A8A1u, 0xA6B7AADBu},
    0};

// One per library: the support library is linked into each one with hidden symbols.
RandomState moduleState = kInitialState;

}  // namespace

RandomState RandomInitialState() { return kInitialState; }

void RandomRegenerate(RandomState* state) {
  uint32_t* x = state->words;
  uint32_t i = 0;
  for (; i < kWords - kShift; ++i) x[i] = x[i + kShift] ^ (x[i] >> 1) ^ kTwist[x[i] & 1u];
  for (; i < kWords; ++i) x[i] = x[i + kShift - kWords] ^ (x[i] >> 1) ^ kTwist[x[i] & 1u];
  state->index = 0;
}

double RandomReal() { return RandomReal(&moduleState); }

}  // namespace kivo
