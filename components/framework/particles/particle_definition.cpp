#include "particle_definition.h"

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string_view>
#include <vector>

#include "kivo/support/format.h"

namespace kivo::particles {

namespace {

enum class Group { kEmitter, kLook };

struct Word {
  std::string_view name;
  uint32_t numbers;
  Group group;
};

constexpr Word kWords[] = {
    {"burst", 1, Group::kEmitter},  {"rate", 1, Group::kEmitter},     {"emit", 1, Group::kEmitter},
    {"life", 2, Group::kEmitter},   {"speed", 2, Group::kEmitter},    {"direction", 3, Group::kEmitter},
    {"spread", 1, Group::kEmitter}, {"gravity", 3, Group::kEmitter},  {"drag", 1, Group::kEmitter},
    {"box", 3, Group::kEmitter},    {"max", 1, Group::kEmitter},      {"size", 2, Group::kLook},
    {"colour", 4, Group::kLook},    {"fade", 4, Group::kLook},
};

bool Number(const std::string& token, float* value) {
  char* end = nullptr;
  *value = std::strtof(token.c_str(), &end);
  return end && *end == '\0' && !token.empty() && std::isfinite(*value);
}

RTFVector3D Vector(const float* v) { return RTFVector3D{v[0], v[1], v[2], 0.0f}; }
RTFColorRGB Colour(const float* v) { return RTFColorRGB{v[0], v[1], v[2], v[3]}; }

// Applies one line's word; the reason when its numbers are out of range.
const char16_t* Apply(std::string_view word, const float* v, ParticleDefinition& d) {
  if (word == "burst" || word == "rate" || word == "emit" || word == "drag") {
    if (v[0] < 0.0f) return u"takes a number not below 0";
    (word == "burst" ? d.burst : word == "rate" ? d.rate : word == "emit" ? d.emitSeconds : d.drag) = v[0];
  } else if (word == "size") {
    if (v[0] < 0.0f || v[1] < 0.0f) return u"takes two sizes not below 0";
    d.sizeStart = v[0];
    d.sizeEnd = v[1];
  } else if (word == "life" || word == "speed") {
    if (v[0] < 0.0f || v[1] < v[0]) return u"takes two numbers not below 0, A up to B";
    float* pair = word == "life" ? &d.lifeMin : &d.speedMin;
    pair[0] = v[0];
    pair[1] = v[1];
  } else if (word == "direction") {
    if (v[0] == 0.0f && v[1] == 0.0f && v[2] == 0.0f) return u"takes a direction other than 0 0 0";
    d.direction = Vector(v);
  } else if (word == "spread") {
    if (v[0] < 0.0f || v[0] > 180.0f) return u"takes degrees from 0 to 180";
    d.spreadDegrees = v[0];
  } else if (word == "gravity") {
    d.gravity = Vector(v);
  } else if (word == "box") {
    if (v[0] < 0.0f || v[1] < 0.0f || v[2] < 0.0f) return u"takes sizes not below 0";
    d.box = Vector(v);
  } else if (word == "max") {
    if (v[0] < 1.0f || v[0] > static_cast<float>(kMaxPool) || v[0] != std::floor(v[0]))
      return u"takes a whole number from 1 to 1024";
    d.pool = static_cast<uint32_t>(v[0]);
  } else {
    for (int i = 0; i < 4; ++i)
      if (v[i] < 0.0f || v[i] > 1.0f) return u"takes channels from 0 to 1";
    (word == "colour" ? d.colour : d.fade) = Colour(v);
    if (word == "fade") d.fadeGiven = true;
  }
  return nullptr;
}

}  // namespace

bool ParseDefinition(const char* text, ParticleDefinition* out, std::u16string* why) {
  ParticleDefinition d;
  std::istringstream lines(text ? text : "");
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    std::istringstream tokens(line);
    std::vector<std::string> parts;
    for (std::string token; tokens >> token;) parts.push_back(token);
    if (parts.empty()) continue;
    const Word* word = nullptr;
    for (const Word& each : kWords)
      if (each.name == parts[0]) word = &each;
    const auto refuse = [&](const std::u16string& reason) {
      *why = Format(u"RTParticleSystem::ParseText(): line %d: %s", number, reason);
      return false;
    };
    if (!word) return refuse(Format(u"unknown word \"%s\"", parts[0].c_str()));
    float values[4] = {};
    bool numeric = parts.size() == word->numbers + 1;
    for (uint32_t i = 0; numeric && i < word->numbers; ++i) numeric = Number(parts[i + 1], &values[i]);
    if (!numeric) return refuse(Format(u"\"%s\" takes %u numbers", parts[0].c_str(), word->numbers));
    if (const char16_t* reason = Apply(word->name, values, d))
      return refuse(Format(u"\"%s\" %s", parts[0].c_str(), reason));
    (word->group == Group::kEmitter ? d.hasEmitterWords : d.hasLookWords) = true;
  }
  if (!d.fadeGiven) d.fade = d.colour;
  *out = d;
  return true;
}

}  // namespace kivo::particles
