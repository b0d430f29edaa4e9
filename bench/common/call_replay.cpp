#include "common/call_replay.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace tesk::bench {

namespace r = kivo::rasterizer;

// What a call's arguments are made into before the replay.
enum class Shape { kPlain, kPoints, kPairs, kColours, kMatrix };

using Run = void (*)(RTInstance, const ReplayCall&);

struct ReplayCall {
  Run run = nullptr;
  void* handle = nullptr;   // a "window" or "context" argument
  std::vector<float> f;     // the numbers as floats
  std::vector<uint32_t> u;  // the numbers as words
  std::vector<RTFVector3D> points;
  std::vector<RTFVector2D> pairs;
  std::vector<RTFColorRGB> colours;
  RTFMatrix4x4 matrix{};
  bool nullMatrix = false;
  const RTFMatrix4x4* Matrix() const { return nullMatrix ? nullptr : &matrix; }
  std::vector<RTPrimitive*> primitives;
};

namespace {

// Out arguments are given places of their own: their values are the rasterizer's to write.
struct Outs {
  float f[6];
  uint32_t u[r::kWindowRectWords];
  void* p;
};
Outs gOuts;

constexpr struct {
  const char* name;
  Shape shape;
  Run run;
} kReplays[] = {
    {"BeginFrame", Shape::kPlain, [](RTInstance x, const ReplayCall& c) { r::BeginFrame(x, c.handle); }},
    {"BeginScene", Shape::kPlain, [](RTInstance x, const ReplayCall&) { r::BeginScene(x); }},
    {"EndScene", Shape::kPlain, [](RTInstance x, const ReplayCall&) { r::EndScene(x); }},
    {"PresentFrame", Shape::kPlain, [](RTInstance x, const ReplayCall&) { r::PresentFrame(x); }},
    {"SetClearStencil", Shape::kPlain, [](RTInstance x, const ReplayCall& c) { r::SetClearStencil(x, c.u[0]); }},
    {"SetClearMask", Shape::kPlain, [](RTInstance x, const ReplayCall& c) { r::SetClearMask(x, c.u[0]); }},
    {"GetProjectionMode", Shape::kPlain, [](RTInstance x, const ReplayCall&) { r::GetProjectionMode(x, gOuts.u); }},
    {"GetCurrentWindow", Shape::kPlain, [](RTInstance x, const ReplayCall&) { r::GetCurrentWindow(x, &gOuts.p); }},
    {"GetWindowRect", Shape::kPlain, [](RTInstance x, const ReplayCall& c) { r::GetWindowRect(x, c.handle, gOuts.u); }},
    {"GetProjection", Shape::kPlain,
     [](RTInstance x, const ReplayCall&) {
       r::GetProjection(x, &gOuts.f[0], &gOuts.f[1], &gOuts.f[2], &gOuts.f[3], &gOuts.f[4], &gOuts.f[5]);
     }},
    {"SetProjection", Shape::kPlain,
     [](RTInstance x, const ReplayCall& c) { r::SetProjection(x, c.f[0], c.f[1], c.f[2], c.f[3], c.f[4], c.f[5]); }},
    {"SetProjectionMode", Shape::kPlain, [](RTInstance x, const ReplayCall& c) { r::SetProjectionMode(x, c.u[0]); }},
    {"RestoreProjectionMode", Shape::kPlain, [](RTInstance x, const ReplayCall&) { r::RestoreProjectionMode(x); }},
    {"PushViewMatrix", Shape::kMatrix, [](RTInstance x, const ReplayCall& c) { r::PushViewMatrix(x, c.Matrix()); }},
    {"PopViewMatrix", Shape::kPlain, [](RTInstance x, const ReplayCall&) { r::PopViewMatrix(x); }},
    {"PushWorldMatrix", Shape::kMatrix, [](RTInstance x, const ReplayCall& c) { r::PushWorldMatrix(x, c.Matrix()); }},
    {"PopWorldMatrix", Shape::kPlain, [](RTInstance x, const ReplayCall&) { r::PopWorldMatrix(x); }},
    {"SetVertexArray", Shape::kPoints,
     [](RTInstance x, const ReplayCall& c) {
       r::SetVertexArray(x, c.points.data(), static_cast<uint32_t>(c.points.size()));
     }},
    {"SetTexCoordArray", Shape::kPairs,
     [](RTInstance x, const ReplayCall& c) {
       r::SetTexCoordArray(x, c.pairs.data(), static_cast<uint32_t>(c.pairs.size()));
     }},
    {"SetColorArray", Shape::kColours,
     [](RTInstance x, const ReplayCall& c) {
       r::SetColorArray(x, c.colours.data(), static_cast<uint32_t>(c.colours.size()));
     }},
    {"EnableColorArray", Shape::kPlain, [](RTInstance x, const ReplayCall& c) { r::EnableColorArray(x, c.u[0]); }},
    {"EnableTexCoordArray", Shape::kPlain,
     [](RTInstance x, const ReplayCall& c) { r::EnableTexCoordArray(x, c.u[0]); }},
    {"DrawPrimitive", Shape::kPlain, [](RTInstance x, const ReplayCall& c) { r::DrawPrimitive(x, c.primitives[0]); }},
    {"DrawStrips", Shape::kPlain,
     [](RTInstance x, const ReplayCall& c) {
       r::DrawStrips(x, c.primitives.data(), static_cast<uint32_t>(c.primitives.size()));
     }},
    // (count, [3 count: indices]): the indices follow the count among the words.
    {"DrawIndexedTriangles", Shape::kPlain,
     [](RTInstance x, const ReplayCall& c) { r::DrawIndexedTriangles(x, c.u[0], c.u.data() + 1); }},
    {"BeginPrimitive", Shape::kPlain, [](RTInstance x, const ReplayCall& c) { r::BeginPrimitive(x, c.u[0]); }},
    {"EndPrimitive", Shape::kPlain, [](RTInstance x, const ReplayCall&) { r::EndPrimitive(x); }},
    {"TexCoord", Shape::kPlain, [](RTInstance x, const ReplayCall& c) { r::TexCoord(x, c.u[0], c.f[1], c.f[2]); }},
    {"Vertex3", Shape::kPlain, [](RTInstance x, const ReplayCall& c) { r::Vertex3(x, c.f[0], c.f[1], c.f[2]); }},
    {"SetColor", Shape::kPlain, [](RTInstance x, const ReplayCall& c) { r::SetColor(x, c.f[0], c.f[1], c.f[2]); }},
    {"SetColorRGBA", Shape::kPlain,
     [](RTInstance x, const ReplayCall& c) { r::SetColorRGBA(x, c.f[0], c.f[1], c.f[2], c.f[3]); }},
    {"SetColorFromArray", Shape::kPlain,
     [](RTInstance x, const ReplayCall& c) { r::SetColorFromArray(x, c.f.data()); }},
    {"SetColorRGBAArray", Shape::kPlain,
     [](RTInstance x, const ReplayCall& c) { r::SetColorRGBAArray(x, c.f.data()); }},
    {"SelectTextureUnit", Shape::kPlain, [](RTInstance x, const ReplayCall& c) { r::SelectTextureUnit(x, c.u[0]); }},
    {"BindTexture", Shape::kPlain, [](RTInstance x, const ReplayCall& c) { r::BindTexture(x, c.u[0]); }},
    {"EnableTexturing", Shape::kPlain, [](RTInstance x, const ReplayCall& c) { r::EnableTexturing(x, c.u[0]); }},
    {"EnableCulling", Shape::kPlain, [](RTInstance x, const ReplayCall& c) { r::EnableCulling(x, c.u[0]); }},
    {"EnableDepthTest", Shape::kPlain, [](RTInstance x, const ReplayCall& c) { r::EnableDepthTest(x, c.u[0]); }},
    {"EnableDepthWrite", Shape::kPlain, [](RTInstance x, const ReplayCall& c) { r::EnableDepthWrite(x, c.u[0]); }},
    {"EnableBlending", Shape::kPlain, [](RTInstance x, const ReplayCall& c) { r::EnableBlending(x, c.u[0]); }},
    {"SetBlendFunc", Shape::kPlain, [](RTInstance x, const ReplayCall& c) { r::SetBlendFunc(x, c.u[0], c.u[1]); }},
    {"EnableStencilTest", Shape::kPlain, [](RTInstance x, const ReplayCall& c) { r::EnableStencilTest(x, c.u[0]); }},
    {"SetStencilFunc", Shape::kPlain,
     [](RTInstance x, const ReplayCall& c) { r::SetStencilFunc(x, c.u[0], c.u[1], c.u[2]); }},
    {"SetStencilOp", Shape::kPlain,
     [](RTInstance x, const ReplayCall& c) { r::SetStencilOp(x, c.u[0], c.u[1], c.u[2]); }},
    {"EnableFog", Shape::kPlain, [](RTInstance x, const ReplayCall& c) { r::EnableFog(x, c.u[0]); }},
    {"SetFogColor", Shape::kPlain,
     [](RTInstance x, const ReplayCall& c) { r::SetFogColor(x, c.f[0], c.f[1], c.f[2], c.f[3]); }},
    {"SetOverlayMode", Shape::kPlain, [](RTInstance x, const ReplayCall& c) { r::SetOverlayMode(x, c.u[0]); }},
};

[[noreturn]] void NoReplay(const std::string& line) {
  std::fprintf(stderr, "call_replay: no replay for \"%s\"\n", line.c_str());
  std::abort();
}

bool IsNumber(const std::string& word) {
  return !word.empty() && (std::isdigit(static_cast<unsigned char>(word[0])) || word[0] == '-' || word[0] == '.');
}

double NumberOf(const std::string& word) {
  if (word.rfind("0x", 0) == 0) return static_cast<double>(std::strtoul(word.c_str(), nullptr, 16));
  return std::strtod(word.c_str(), nullptr);
}

// Fixed-size groups of the numbers, one element each.
template <class T, size_t N>
std::vector<T> Groups(const std::vector<float>& numbers) {
  std::vector<T> groups(numbers.size() / N);
  for (size_t i = 0; i < groups.size(); ++i) {
    float* out = reinterpret_cast<float*>(&groups[i]);
    for (size_t k = 0; k < N; ++k) out[k] = numbers[i * N + k];
  }
  return groups;
}

}  // namespace

CallReplay::CallReplay(RTInstance rasterizer, const std::filesystem::path& log, const std::function<void()>& draw,
                       ReplayHandles handles)
    : rasterizer_(rasterizer), handles_(handles) {
  std::filesystem::remove(log);
  r::Record(rasterizer, log.u16string().c_str());
  draw();
  r::Record(rasterizer, nullptr);
  std::ifstream text(log);
  for (std::string line; std::getline(text, line);) calls_.push_back(Parse(line));
}

CallReplay::~CallReplay() {
  for (const auto& [serial, primitive] : primitives_) r::DestroyPrimitive(rasterizer_, primitive);
}

size_t CallReplay::size() const { return calls_.size(); }

void CallReplay::Run() const {
  for (const ReplayCall& call : calls_) call.run(rasterizer_, call);
}

// "Name(1, 0x302, [3: 0.5, 1, 1], primitive 7 {kind 0x102, material 0, count 4, indices [4: ...]})
// -> 1" as a call.
ReplayCall CallReplay::Parse(const std::string& line) {
  const size_t open = line.find('(');
  const size_t close = line.rfind(") -> ");
  if (open == std::string::npos || close == std::string::npos) NoReplay(line);
  const std::string name = line.substr(0, open);
  ReplayCall call;
  Shape shape = Shape::kPlain;
  for (const auto& replay : kReplays)
    if (name == replay.name) {
      call.run = replay.run;
      shape = replay.shape;
    }
  if (!call.run) NoReplay(line);
  std::string args = line.substr(open + 1, close - open - 1);
  for (char& c : args)
    if (c == '[' || c == ']' || c == ',' || c == '(' || c == ')' || c == '{' || c == '}') c = ' ';
  std::istringstream in(args);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word == "window") call.handle = handles_.window;
    if (word == "context") call.handle = handles_.context;
    if (word == "null") call.nullMatrix = true;
    if (word == "primitive" && i + 8 < words.size()) {
      // primitive <serial> kind <k> material <m> count <n> indices <length:> <indices...>
      const uint32_t serial = static_cast<uint32_t>(NumberOf(words[i + 1]));
      const uint32_t kind = static_cast<uint32_t>(NumberOf(words[i + 3]));
      const uint32_t material = static_cast<uint32_t>(NumberOf(words[i + 5]));
      const uint32_t count = static_cast<uint32_t>(NumberOf(words[i + 7]));
      i += 10;  // past "indices" and the array's length
      std::vector<uint32_t> indices;
      for (; i < words.size() && IsNumber(words[i]) && words[i].back() != ':'; ++i)
        indices.push_back(static_cast<uint32_t>(NumberOf(words[i])));
      --i;
      call.primitives.push_back(PrimitiveOf(serial, kind, material, count, indices));
      continue;
    }
    if (!IsNumber(word) || word.back() == ':') continue;  // a name, or an array's length
    const double number = NumberOf(word);
    call.f.push_back(static_cast<float>(number));
    call.u.push_back(static_cast<uint32_t>(static_cast<int64_t>(number)));
  }
  switch (shape) {
    case Shape::kPlain:
      break;
    case Shape::kPoints:
      call.points = Groups<RTFVector3D, 3>(call.f);
      break;
    case Shape::kPairs:
      call.pairs = Groups<RTFVector2D, 2>(call.f);
      break;
    case Shape::kColours:
      call.colours = Groups<RTFColorRGB, 4>(call.f);
      break;
    case Shape::kMatrix:
      if (call.f.size() >= 16)
        for (int k = 0; k < 16; ++k) call.matrix.m[k / 4][k % 4] = call.f[k];
      break;
  }
  // Room for the fixed arguments a call reads, whatever the line held.
  call.f.resize(std::max<size_t>(call.f.size(), 6));
  call.u.resize(std::max<size_t>(call.u.size(), 4));
  return call;
}

RTPrimitive* CallReplay::PrimitiveOf(uint32_t serial, uint32_t kind, uint32_t material, uint32_t count,
                                     const std::vector<uint32_t>& indices) {
  RTPrimitive*& made = primitives_[serial];
  if (made) return made;
  if (indices.size() != (kind == r::kTriangleList ? count * 3 : count)) {
    std::fprintf(stderr, "call_replay: primitive %u holds %zu indices for a count of %u\n", serial, indices.size(),
                 count);
    std::abort();
  }
  if (!r::CreatePrimitive(rasterizer_, kind, &made) || !r::ResizePrimitiveList(rasterizer_, made, count)) {
    std::fprintf(stderr, "call_replay: cannot make primitive %u\n", serial);
    std::abort();
  }
  made->materialIndex = material;
  made->count = count;
  std::copy(indices.begin(), indices.end(), made->indices);
  return made;
}

}  // namespace tesk::bench
