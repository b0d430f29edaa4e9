// The talking head through the calls PlaySpeech and the HUD stage make: the rows its speech ids
// choose, what a start holds and a stop gives back, the failures, its window and the draw's calls.
#include "talking_head.h"

#include "talking_head_fixture.h"

namespace {

using namespace gametest;

}  // namespace
