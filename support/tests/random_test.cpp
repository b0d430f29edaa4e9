#include "kivo/support/random.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace kivo;

// The generator's output word behind a real.
uint32_t Word(double real) { return static_cast<uint32_t>(std::llround(real * 4294967295.0)); }

TEST(Random, FollowsTheTT800SequenceFromThePublishedState) {
  RandomState state = RandomInitialState();
  EXPECT_EQ(state.index, 0u);
  EXPECT_EQ(state.words[0], 0x95F24DABu);
  EXPECT_EQ(Word(RandomReal(&state)), 0xBCF1F45Au) << "first draw tempers the first initial word";
  for (int i = 2; i < 25; ++i) RandomReal(&state);
  EXPECT_EQ(Word(RandomReal(&state)), 0xEE6F61B4u) << "25th draw tempers the last initial word";
  EXPECT_EQ(state.words[0], 0x95F24DABu) << "no regeneration before the 26th draw";
  EXPECT_EQ(Word(RandomReal(&state)), 0x33C2A07Eu) << "26th draw comes from the first regenerated word";

  // Reference value of the 10000th output of TT800 from its published state.
  state = RandomInitialState();
  double real = 0;
  for (int i = 0; i < 10000; ++i) {
    real = RandomReal(&state);
    ASSERT_GE(real, 0.0);
    ASSERT_LE(real, 1.0);
  }
  EXPECT_EQ(Word(real), 2856609219u);
}

TEST(Random, BothEndsOfTheUnitIntervalOccur) {
  RandomState state = RandomInitialState();
  state.words[0] = 0;
  state.words[1] = 0x54FF0000u;  // tempers to 0xFFFFFFFF
  EXPECT_EQ(RandomReal(&state), 0.0);
  EXPECT_EQ(RandomReal(&state), 1.0);
}

TEST(Random, AnIndexPastTheEndRegeneratesFirst) {
  RandomState expected = RandomInitialState(), damaged = RandomInitialState();
  expected.index = 25;
  damaged.index = 4000;
  EXPECT_EQ(RandomReal(&damaged), RandomReal(&expected));
  EXPECT_EQ(damaged.index, 1u);
}

TEST(Random, LibraryGeneratorAdvances) {
  const double first = RandomReal(), second = RandomReal();
  EXPECT_NE(first, second);
  for (double real : {first, second}) {
    EXPECT_GE(real, 0.0);
    EXPECT_LE(real, 1.0);
  }
}

}  // namespace
