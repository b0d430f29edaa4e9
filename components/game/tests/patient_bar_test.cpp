// The patient bar's drawing through the HUD stage's hook: layout, animations, looks and failures.
#include <gtest/gtest.h>

#include "patient_fixture.h"
#include "tesk/game_slots.h"

namespace gametest {
namespace {

namespace game = tesk::game;

class PatientBar : public PatientBarTest {};

}  // namespace
}  // namespace gametest
