// sound_maker SOUNDS.json OUT-FOLDER
// Makes the sample's sounds from a readable description, and the bank description over them
// (OUT-FOLDER/bank.json, for `kivopack bank`). The description:
//
//   {"rate": 22050,
//    "sounds": [{"name": "INTERFACE_OK", "file": "interface_ok.wav", "dbfs": -12,
//                "wave": "sine", "attackMs": 5, "releaseMs": 40, "notes": [[880, 60], [1320, 90]]},
//               {"name": "env_secoff", "file": "env_secoff.wav", "dbfs": -18, "noiseMs": 300},
//               {"name": "PROP_MONITOR_LOOP", "file": "prop_monitor_loop.ogg", "dbfs": -14,
//                "notes": [[1000, 120], [0, 380]], "repeat": 2}]}
//
// A sound is a note list (each note [hertz, milliseconds], hertz 0 a rest; "wave" sine, square or
// triangle) or a noise burst ("noiseMs"); every note and burst has a linear attack and release
// ("attackMs", "releaseMs"), so a sound made of whole notes loops without a click. "repeat" plays
// the list that many times (a loop's pattern). "dbfs" is the peak level. A ".wav" file is 16-bit
// PCM, an ".ogg" file Ogg Vorbis. Every sound is mono.
#include <cmath>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <numbers>
#include <string>
#include <vector>

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

void AddPiece(std::vector<int16_t>& out, const Shape& shape, double hertz, double ms, bool noise, uint32_t rate,
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
    out.push_back(static_cast<int16_t>(std::lround(value * shape.peak * Envelope(shape, i, frames, rate) * 32767.0)));
  }
}

bool Fail(const std::string& message) {
  std::fprintf(stderr, "sound_maker: %s\n", message.c_str());
  return false;
}

bool MakeSound(const json& sound, uint32_t rate, const std::string& folder) {
  const std::string name = sound.value("name", "");
  const std::string file = sound.value("file", "");
  if (name.empty() || file.empty()) return Fail("every sound needs a \"name\" and a \"file\"");
  Shape shape;
  shape.wave = sound.value("wave", "sine");
  shape.peak = std::pow(10.0, sound.value("dbfs", -12.0) / 20.0);
  shape.attack = sound.value("attackMs", 5.0) / 1000.0;
  shape.release = sound.value("releaseMs", 20.0) / 1000.0;
  std::vector<int16_t> samples;
  uint32_t seed = 12345;
  const int repeat = sound.value("repeat", 1);
  for (int r = 0; r < repeat; ++r) {
    if (sound.contains("noiseMs")) AddPiece(samples, shape, 0, sound["noiseMs"].get<double>(), true, rate, seed);
    for (const json& note : sound.value("notes", json::array()))
      AddPiece(samples, shape, note.at(0).get<double>(), note.at(1).get<double>(), false, rate, seed);
  }
  if (samples.empty()) return Fail(name + ": no notes and no noise");
  const std::string path = folder + "/" + file;
  if (file.ends_with(".ogg")) {
    std::string error;
    if (!kivo::audio::WriteOggVorbis(path, samples, 1, rate, &error)) return Fail(path + ": " + error);
    return true;
  }
  const std::vector<uint8_t> wav = kivo::audio::WavImage(samples, 1, rate);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(wav.data()), static_cast<std::streamsize>(wav.size()));
  return out.good() || Fail("cannot write " + path);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: sound_maker SOUNDS.json OUT-FOLDER\n");
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
      if (!MakeSound(sound, rate, argv[2])) return 1;
      bank["sounds"].push_back({{"name", sound["name"]}, {"file", sound["file"]}, {"channels", 1}});
    }
  } catch (const json::exception& error) {
    Fail(std::string(argv[1]) + ": " + error.what());
    return 1;
  }
  std::ofstream(std::string(argv[2]) + "/bank.json") << bank.dump(2) << "\n";
  return 0;
}
