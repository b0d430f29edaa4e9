// sound_maker SOUNDS.json OUT-FOLDER [SPEECH-FOLDER]
// Makes the sample's sounds from a readable description, and the bank description over them
// (OUT-FOLDER/bank.json, for `kivopack bank`). The description:
//
//   {"rate": 22050,
//    "sounds": [{"name": "INTERFACE_OK", "file": "interface_ok.wav", "dbfs": -12,
//                "wave": "sine", "attackMs": 5, "releaseMs": 40, "notes": [[880, 60], [1320, 90]]},
//               {"name": "env_secoff", "file": "env_secoff.wav", "dbfs": -18, "noiseMs": 300},
//               {"name": "PROP_MONITOR_LOOP", "file": "prop_monitor_loop.ogg", "dbfs": -14,
//                "notes": [[1000, 120], [0, 380]], "repeat": 2},
//               {"name": "MUSIC_WARD_B", "file": "music_ward_b.ogg", "channels": 2,
//                "parts": [{"dbfs": -14, "pan": -0.5, "notes": [[110, 500]], "repeat": 8}, ...]},
//               {"name": "D_WELCOME", "file": "d_welcome.ogg", "speech": "D_WELCOME.wav"}]}
//
// A sound is a note list (each note [hertz, milliseconds], hertz 0 a rest; "wave" sine, square or
// triangle) or a noise burst ("noiseMs"); every note and burst has a linear attack and release
// ("attackMs", "releaseMs"), so a sound made of whole notes loops without a click. "repeat" plays
// the list that many times (a loop's pattern). "dbfs" is the peak level. "lowpassHz" passes the
// sound through a one-pole low-pass filter; "tremoloHz" swings its level between 0.2 and 1 (a
// murmur). A sound of "parts" mixes several such sounds, each placed by its "pan" (-1 left to 1
// right), and lasts as long as its longest part. "channels" 2 makes a stereo file (default 1).
// A "speech" sound is the named WAV file of SPEECH-FOLDER, mixed to mono. A ".wav" file is 16-bit
// PCM, an ".ogg" file Ogg Vorbis.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <numbers>
#include <string>
#include <vector>

#include "sound_decoder.h"
#include "sound_encoder.h"

namespace {

using nlohmann::json;

struct Shape {
  std::string wave = "sine";
  double peak = 0.5;
  double attack = 0.005;
  double release = 0.02;
};

double Wave(const std::string& wave, double phase) {
  const double cycle = phase - std::floor(phase);
  if (wave == "square") return cycle < 0.5 ? 1.0 : -1.0;
  if (wave == "triangle") return 1.0 - 4.0 * std::abs(cycle - 0.5);
  return std::sin(2.0 * std::numbers::pi * cycle);
}

// Linear attack and release over a piece of `frames` frames.
double Envelope(const Shape& shape, size_t at, size_t frames, uint32_t rate) {
  const double t = static_cast<double>(at) / rate;
  const double left = static_cast<double>(frames - at) / rate;
  return std::min({1.0, shape.attack > 0 ? t / shape.attack : 1.0, shape.release > 0 ? left / shape.release : 1.0});
}

// Appends one note or noise burst, as levels of full scale.
void AddPiece(std::vector<double>& out, const Shape& shape, double hertz, double ms, bool noise, uint32_t rate,
              uint32_t& seed) {
  const auto frames = static_cast<size_t>(ms * rate / 1000.0 + 0.5);
  for (size_t i = 0; i < frames; ++i) {
    double value = 0.0;
    if (noise) {
      seed = seed * 1664525u + 1013904223u;
      value = static_cast<double>(seed >> 8) / 8388608.0 - 1.0;
    } else if (hertz > 0) {
      value = Wave(shape.wave, hertz * static_cast<double>(i) / rate);
    }
    out.push_back(value * shape.peak * Envelope(shape, i, frames, rate));
  }
}

void LowPass(std::vector<double>& samples, double hertz, uint32_t rate) {
  const double a = 1.0 - std::exp(-2.0 * std::numbers::pi * hertz / rate);
  double y = 0.0;
  for (double& x : samples) x = y += a * (x - y);
}

void Tremolo(std::vector<double>& samples, double hertz, uint32_t rate) {
  for (size_t i = 0; i < samples.size(); ++i)
    samples[i] *= 0.6 + 0.4 * std::sin(2.0 * std::numbers::pi * hertz * static_cast<double>(i) / rate);
}

int16_t ToSample(double level) { return static_cast<int16_t>(std::lround(std::clamp(level, -1.0, 1.0) * 32767.0)); }

bool Fail(const std::string& message) {
  std::fprintf(stderr, "sound_maker: %s\n", message.c_str());
  return false;
}

// The levels of one sound of notes or noise (a whole sound or one of its parts).
std::vector<double> RenderPart(const json& sound, uint32_t rate) {
  Shape shape;
  shape.wave = sound.value("wave", "sine");
  shape.peak = std::pow(10.0, sound.value("dbfs", -12.0) / 20.0);
  shape.attack = sound.value("attackMs", 5.0) / 1000.0;
  shape.release = sound.value("releaseMs", 20.0) / 1000.0;
  std::vector<double> levels;
  uint32_t seed = 12345;
  const int repeat = sound.value("repeat", 1);
  for (int r = 0; r < repeat; ++r) {
    if (sound.contains("noiseMs")) AddPiece(levels, shape, 0, sound["noiseMs"].get<double>(), true, rate, seed);
    for (const json& note : sound.value("notes", json::array()))
      AddPiece(levels, shape, note.at(0).get<double>(), note.at(1).get<double>(), false, rate, seed);
  }
  if (sound.contains("lowpassHz")) LowPass(levels, sound["lowpassHz"].get<double>(), rate);
  if (sound.contains("tremoloHz")) Tremolo(levels, sound["tremoloHz"].get<double>(), rate);
  return levels;
}

// The interleaved samples of a sound of notes, noise or parts.
std::vector<int16_t> Synthesize(const json& sound, uint32_t rate, uint32_t channels) {
  std::vector<std::pair<std::vector<double>, double>> parts;  // levels and pan
  if (sound.contains("parts")) {
    for (const json& part : sound["parts"]) parts.emplace_back(RenderPart(part, rate), part.value("pan", 0.0));
  } else {
    parts.emplace_back(RenderPart(sound, rate), 0.0);
  }
  size_t frames = 0;
  for (const auto& part : parts) frames = std::max(frames, part.first.size());
  std::vector<double> mix(frames * channels, 0.0);
  for (const auto& [levels, pan] : parts) {
    for (size_t i = 0; i < levels.size(); ++i) {
      if (channels == 1) {
        mix[i] += levels[i];
      } else {
        mix[2 * i] += levels[i] * std::min(1.0, 1.0 - pan);
        mix[2 * i + 1] += levels[i] * std::min(1.0, 1.0 + pan);
      }
    }
  }
  std::vector<int16_t> samples(mix.size());
  std::transform(mix.begin(), mix.end(), samples.begin(), ToSample);
  return samples;
}

bool MakeSound(const json& sound, uint32_t rate, const std::string& folder, const std::string& speechFolder,
               uint32_t* channels) {
  const std::string name = sound.value("name", "");
  const std::string file = sound.value("file", "");
  if (name.empty() || file.empty()) return Fail("every sound needs a \"name\" and a \"file\"");
  std::vector<int16_t> samples;
  *channels = sound.value("channels", 1u);
  if (*channels != 1 && *channels != 2) return Fail(name + ": \"channels\" is 1 or 2");
  if (sound.contains("speech")) {
    kivo::audio::DecodedSound speech;
    std::string error;
    const std::string from = speechFolder + "/" + sound["speech"].get<std::string>();
    if (!kivo::audio::DecodeSound(from, 1, &speech, &error)) return Fail(from + ": " + error);
    samples = std::move(speech.samples);
    rate = speech.rate;
    *channels = 1;
  } else {
    samples = Synthesize(sound, rate, *channels);
  }
  if (samples.empty()) return Fail(name + ": no notes, no noise and no speech");
  const std::string path = folder + "/" + file;
  if (file.ends_with(".ogg")) {
    std::string error;
    if (!kivo::audio::WriteOggVorbis(path, samples, *channels, rate, &error)) return Fail(path + ": " + error);
    return true;
  }
  const std::vector<uint8_t> wav = kivo::audio::WavImage(samples, *channels, rate);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(wav.data()), static_cast<std::streamsize>(wav.size()));
  return out.good() || Fail("cannot write " + path);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: sound_maker SOUNDS.json OUT-FOLDER [SPEECH-FOLDER]\n");
    return 2;
  }
  std::ifstream in(argv[1]);
  const json description = json::parse(in, nullptr, false);
  if (description.is_discarded() || !description.contains("sounds")) {
    Fail(std::string(argv[1]) + " is not a sound description");
    return 1;
  }
  const uint32_t rate = description.value("rate", 22050u);
  json bank = {{"sounds", json::array()}};
  try {
    for (const json& sound : description["sounds"]) {
      uint32_t channels = 1;
      if (!MakeSound(sound, rate, argv[2], argc == 4 ? argv[3] : ".", &channels)) return 1;
      bank["sounds"].push_back({{"name", sound["name"]}, {"file", sound["file"]}, {"channels", channels}});
    }
  } catch (const json::exception& error) {
    Fail(std::string(argv[1]) + ": " + error.what());
    return 1;
  }
  std::ofstream(std::string(argv[2]) + "/bank.json") << bank.dump(2) << "\n";
  return 0;
}
