// The music's three looping layers, faded in, out and across together, and the ambience: a loop per
// place on two channels, so that a new ambience cross-fades over the old one. Both take their
// buffers from the sound-effect registry and are advanced by the audio update (music first).
#pragma once

#include "game_record.h"

namespace tesk::game {

// The layers' sources (looping, listener-relative, silent), the music gain 1 and the pause tune
// "titlescreen_mix2" on a source of its own that the game never starts. Always 1.
RTSuccess MusicStartup(GamePrivateData& game);
// One step of the music fade: starts the music when a layer fades in, stops it once every layer is
// silent. Always 1.
RTSuccess MusicUpdate(GamePrivateData& game);
// Silences the layers (their sources go on) and marks the music stopped.
RTSuccess MusicReset(GamePrivateData& game);
RTSuccess MusicStartAll(GamePrivateData& game);
RTSuccess MusicStopAll(GamePrivateData& game);
// The music's section of the save file; 0 at the first failed write or read. Reading changes the
// layers only once the whole section is read.
RTSuccess MusicStreamOut(GamePrivateData& game, RTInstance stream);
RTSuccess MusicStreamIn(GamePrivateData& game, RTInstance stream);

// The two ambience channels' sources (looping, silent), no ambience. Always 1.
RTSuccess AmbientStartup(GamePrivateData& game);
// One step of the cross-fade. Always 1.
RTSuccess AmbientUpdate(GamePrivateData& game);
// Stops both ambience sources; nothing else changes.
RTSuccess AmbientStop(GamePrivateData& game);
// Cross-fades to the named buffer at `volume` over `duration` seconds; the ambience that already
// plays goes on undisturbed; an unknown name fades the current one to silence. Always 1.
RTSuccess AmbientTransitionToBuffer(GamePrivateData& game, const char16_t* name, float volume, float duration);
RTSuccess AmbientCrossFade(GamePrivateData& game, RTAudioBuffer* buffer, float volume, float duration);

// A new RTAudioSource into the field, giving up the one it held; null when none can be made
// (calls on a null source do nothing).
void MakeAudioSource(RTInstance& field);
// Gives up the music's and the ambience's sources (the game's destroy).
void MusicShutdown(GamePrivateData& game);

}  // namespace tesk::game
