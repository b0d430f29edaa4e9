// The game's sound effects: a bank of 32 voices playing buffers registered by name, flat or at
// world positions, with fades to silence, and the voices' section of the save file. Audio time is
// the core time in seconds, so it runs on while the game is paused.
#pragma once

#include <cstdint>
#include <string>

#include "game_record.h"

namespace tesk::game {

// Builds the voices, the buffer registry and loads the bank; 0 only when a voice cannot be made.
RTSuccess SFXStartup(RTInstance self);
// Ends every fade and stops every voice.
RTSuccess SFXStopAll(GamePrivateData& game);
// Registers `name` for the service's buffer of that name; 0 (after a message) when there is none
// or the path is null.
RTSuccess SFXAddBuffer(GamePrivateData& game, const char16_t* name, const char16_t* path, uint32_t mode);
// The newest registration of the name (case-sensitive), or null; no message.
const SfxBufferEntry* SFXNewestEntry(GamePrivateData& game, const char16_t* name);
// The instance path "Root:TeskAudio:" + name of a script's buffer; false (after a message) when it
// does not fit the 512-unit path buffer.
bool SFXScriptPath(const char16_t* name, std::u16string* path);
// Whether a script's sound name means no sound: missing, empty or "-1" (in any case).
bool IsNoSoundName(const char16_t* name);
// The buffer of the newest registration of the name (case-sensitive); 0 after a message.
RTSuccess SFXGetBufferByName(GamePrivateData& game, const char16_t* name, RTAudioBuffer** buffer);
RTSuccess FindFreeVoice(GamePrivateData& game, RTInstance* source, int32_t* index);
// Plays on a free voice, listener-relative; always 1, `index` (may be null) written when it played.
RTSuccess PlaySoundByName(GamePrivateData& game, const char16_t* name, float volume, uint32_t loop, int32_t* index);
RTSuccess PlaySoundAtPosition(GamePrivateData& game, const char16_t* name, float volume, const RTFVector3D& position,
                              uint32_t loop, int32_t* index);
// Fades the voice to silence over `duration` seconds; 0 (changing nothing) for an index outside
// 0 to 31, -1 among them.
RTSuccess StopSound(GamePrivateData& game, int32_t index, float duration);
// One fade step of every voice.
RTSuccess SFXUpdateFades(GamePrivateData& game);
// Releases the voices and the registry (the game's destroy).
void SFXShutdown(GamePrivateData& game);
// Audio time now: the core time in seconds.
float AudioTime();

// The voice section of the save file.
RTSuccess SFXStreamOut(GamePrivateData& game, RTInstance stream);
RTSuccess SFXStreamIn(GamePrivateData& game, RTInstance stream);
RTSuccess SFXStreamInUnversioned(GamePrivateData& game, RTInstance stream);

}  // namespace tesk::game
