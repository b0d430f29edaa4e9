// The fixed sub-steps of a frame, recorded: whole 0.03-second steps given the time at their start,
// then the remainder given the time at its end; and the split of a fast mover's step.
#include "sub_steps.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace tesk::actor;

struct Step {
  float time;
  float length;
};

std::vector<Step> Record(float last, float elapsed) {
  std::vector<Step> steps;
  RunSubSteps(last, elapsed, [&](float time, float length) { steps.push_back({time, length}); });
  return steps;
}

// The product with the widened double factor lies just below 1 for the single-precision 0.03 (an
// extended literal, or plain double, would give 1).
TEST(SubSteps, WholeStepsAreTakenInExtendedPrecision) {
  const struct {
    float elapsed;
    uint32_t whole;
  } cases[] = {{0.1f, 3}, {0.03f, 0}, {0.06f, 1}, {5.0f, 166}, {0.0f, 0}, {0.0299f, 0}};
  for (const auto& c : cases) EXPECT_EQ(WholeSubSteps(c.elapsed), c.whole) << c.elapsed;
}

TEST(SubSteps, ScheduleOfAFrame) {
  const float last = 10.0f;
  const struct {
    float elapsed;
    size_t steps;
    float remainder;
  } cases[] = {
      {0.1f, 4, 0.1f - 3 * 0.03f},
      {0.03f, 1, 0.03f},           // no whole step: all of it as the remainder
      {5.0f, 167, 0.0199999809f},  // 166 whole steps and about 0.02
      {0.0f, 1, 0.0f},             // the remainder step runs at 0 too
  };
  for (const auto& c : cases) {
    const std::vector<Step> steps = Record(last, c.elapsed);
    ASSERT_EQ(steps.size(), c.steps) << c.elapsed;
    float start = last;
    for (size_t i = 0; i + 1 < steps.size(); ++i) {
      EXPECT_EQ(steps[i].time, start) << "a whole step gets the time at its start";
      EXPECT_EQ(steps[i].length, 0.03f);
      start += 0.03f;
    }
    EXPECT_NEAR(steps.back().length, c.remainder, 1e-6f) << c.elapsed;
    // The whole steps add up in single precision: 166 of them drift by some 4e-5.
    EXPECT_NEAR(steps.back().time, last + c.elapsed, 1e-4f) << "the remainder gets the time at its end";
  }
  const std::vector<Step> tenth = Record(last, 0.1f);
  EXPECT_NEAR(tenth[1].time, last + 0.03f, 1e-6f);
  EXPECT_NEAR(tenth[2].time, last + 0.06f, 1e-6f);
  EXPECT_NEAR(tenth[3].length, 0.01f, 1e-6f);
}

TEST(SubSteps, AMoverFasterThanItsToleranceStepsInHalves) {
  RTTeskActorWrapper w{};
  w.ArrivalTolerance = 0.05f;
  const struct {
    float speed;
    float dt;
    uint32_t count;
    float length;
  } cases[] = {
      {2.0f, 0.03f, 2, 0.015f},  // 0.06 > 0.05
      {1.0f, 0.03f, 1, 0.03f},
      {2.5f, 0.02f, 1, 0.02f},  // exactly the tolerance: one step
  };
  for (const auto& c : cases) {
    w.Speed = c.speed;
    const MovingSteps steps = MovingStepsOf(w, c.dt);
    EXPECT_EQ(steps.count, c.count) << c.speed;
    EXPECT_FLOAT_EQ(steps.length, c.length);
  }
}

}  // namespace
