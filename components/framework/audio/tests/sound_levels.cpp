#include "sound_levels.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tesk::testing {

std::vector<int16_t> Tone(double hertz, double seconds, uint32_t rate, uint32_t channels, double amplitude) {
  const auto frames = static_cast<size_t>(seconds * rate + 0.5);
  std::vector<int16_t> samples;
  samples.reserve(frames * channels);
  for (size_t i = 0; i < frames; ++i) {
    const double value = amplitude * std::sin(2.0 * std::numbers::pi * hertz * static_cast<double>(i) / rate);
    for (uint32_t c = 0; c < channels; ++c) samples.push_back(static_cast<int16_t>(std::lround(value * 32767.0)));
  }
  return samples;
}

double Rms(const std::vector<float>& mix, int channel) {
  double sum = 0.0;
  size_t count = 0;
  for (size_t i = 0; i < mix.size(); ++i) {
    if (channel >= 0 && static_cast<int>(i % 2) != channel) continue;
    sum += double{mix[i]} * mix[i];
    ++count;
  }
  return count ? std::sqrt(sum / static_cast<double>(count)) : 0.0;
}

double ToneLevel(const std::vector<float>& mix, double hertz, uint32_t rate) {
  const size_t frames = mix.size() / 2;
  if (frames == 0) return 0.0;
  const double coefficient = 2.0 * std::cos(2.0 * std::numbers::pi * hertz / rate);
  double previous = 0.0;
  double before = 0.0;
  for (size_t i = 0; i < frames; ++i) {
    const double next = mix[2 * i] + coefficient * previous - before;
    before = previous;
    previous = next;
  }
  const double power = previous * previous + before * before - coefficient * previous * before;
  return 2.0 * std::sqrt(std::max(power, 0.0)) / static_cast<double>(frames);
}

double Frequency(const std::vector<float>& mix, uint32_t rate) {
  size_t crossings = 0;
  for (size_t i = 2; i < mix.size(); i += 2)
    if (mix[i - 2] < 0.0f && mix[i] >= 0.0f) ++crossings;
  return static_cast<double>(crossings) * rate / static_cast<double>(mix.size() / 2);
}

}  // namespace tesk::testing
