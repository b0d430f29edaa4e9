// Sounds to play and levels to read back, for the tests that listen to the mix.
#pragma once

#include <cstdint>
#include <vector>

namespace tesk::testing {

// A sine tone of interleaved 16-bit samples, every channel alike.
std::vector<int16_t> Tone(double hertz, double seconds, uint32_t rate, uint32_t channels = 1, double amplitude = 0.5);

// RMS of one channel (0 left, 1 right) of a stereo float mix, or of both with -1.
double Rms(const std::vector<float>& mix, int channel = -1);

// The amplitude of the `hertz` component of the left channel of a stereo mix (a Goertzel filter
// over the whole mix): a sine of amplitude A at that frequency reads about A.
double ToneLevel(const std::vector<float>& mix, double hertz, uint32_t rate);

// The frequency of a tone in the left channel of a stereo mix, from its rising zero crossings.
double Frequency(const std::vector<float>& mix, uint32_t rate);

}  // namespace tesk::testing
