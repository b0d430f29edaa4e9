// Stands in for the talking head until the head's own definition is linked in: a weak definition
// that the real one replaces. It shows no head.
#include "talking_head.h"

namespace tesk::game {

[[gnu::weak]] bool StartTalkingHead(GamePrivateData&, const char16_t*) { return false; }

}  // namespace tesk::game
