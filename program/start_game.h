// Starting the game: the instance store, rasterizer, scripting and game instances, the game's
// host callbacks, the game script compiled and its "Switchboard" context run. The run returns
// only when the game ends; a fault inside it takes the crash path.
#pragma once

#include <cstdint>

#include "host_record.h"

namespace tesk {

inline constexpr char16_t kGameScript[] = u"classes/tesk/teskgame.varno";
inline constexpr char16_t kDevelopmentGameScript[] = u"c:/usr/brellin/varno/classes/tesk/teskgame.varno";
inline constexpr char16_t kInstanceStorePack[] = u"c:/usr/kivo/store/root.kivopack";

// Windows exception codes the crash filter tells apart.
inline constexpr uint32_t kAccessViolation = 0xC0000005u;
inline constexpr uint32_t kIntegerDivideByZero = 0xC0000094u;

// The result of the script run; 0 when a start step failed (after its report, with the arrow
// cursor), -1 after a caught access violation. The two integers after the size are not used.
int32_t StartGame(void* window, uint32_t width, uint32_t height, int32_t, int32_t, MessagePump pump);

// The crash filter: reports the fault and, for an access violation, has the scripting component
// dump the VM's running state. True when the fault is handled (the start then returns -1).
bool ReconstructAccident(RTInstance scripting, scripting::VM vm, uint32_t exceptionCode);
// The Windows exception code of a signal that ended the run.
uint32_t ExceptionCodeOfSignal(int signal);

}  // namespace tesk
