// cursor_maker ART.cursor OUT.ani SCALE
// Makes an animated cursor file from a readable drawing: "hotspot X Y", "rate JIFFIES" (1/60 s a
// frame) and one or more "frame" blocks of equal rows, one character a pixel ('.' clear, '#'
// black, 'o' white, 'r' red, 'g' green, 'y' yellow). Each pixel becomes SCALE x SCALE pixels.
// Lines starting with '#' before the first frame are comments.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Art {
  int hotX = 0;
  int hotY = 0;
  uint32_t rate = 0;
  std::vector<std::vector<std::string>> frames;
};

bool Colour(char c, uint32_t* argb) {
  switch (c) {
    case '.': *argb = 0x00000000; return true;
    case '#': *argb = 0xFF000000; return true;
    case 'o': *argb = 0xFFFFFFFF; return true;
    case 'r': *argb = 0xFFE02020; return true;
    case 'g': *argb = 0xFF20C040; return true;
    case 'y': *argb = 0xFFF0C020; return true;
    default: return false;
  }
}

bool ReadArt(const char* file, Art* art, std::string* error) {
  std::ifstream in(file);
  if (!in) {
    *error = "cannot read the drawing";
    return false;
  }
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty()) continue;
    if (art->frames.empty() && line[0] == '#') continue;
    std::istringstream words(line);
    std::string word;
    words >> word;
    if (word == "hotspot") {
      words >> art->hotX >> art->hotY;
    } else if (word == "rate") {
      words >> art->rate;
    } else if (word == "frame") {
      art->frames.emplace_back();
    } else if (!art->frames.empty()) {
      for (char c : line) {
        uint32_t unused = 0;
        if (!Colour(c, &unused)) {
          *error = std::string("unknown pixel '") + c + "'";
          return false;
        }
      }
      art->frames.back().push_back(line);
    } else {
      *error = "unknown line: " + line;
      return false;
    }
  }
  if (art->frames.empty() || art->frames[0].empty()) {
    *error = "no frame";
    return false;
  }
  const size_t height = art->frames[0].size();
  const size_t width = art->frames[0][0].size();
  for (const auto& frame : art->frames) {
    if (frame.size() != height) {
      *error = "frames differ in height";
      return false;
    }
    for (const auto& row : frame)
      if (row.size() != width) {
        *error = "rows differ in width";
        return false;
      }
  }
  return true;
}

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
void PutTag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

// One cursor file (.cur): a directory of one image, a 32-bit bitmap and its AND mask.
std::vector<uint8_t> CursorFile(const std::vector<std::string>& rows, int scale, int hotX, int hotY) {
  const int width = static_cast<int>(rows[0].size()) * scale;
  const int height = static_cast<int>(rows.size()) * scale;
  const uint32_t maskStride = (width + 31) / 32 * 4;
  const uint32_t imageBytes = 40 + width * height * 4 + maskStride * height;
  std::vector<uint8_t> out;
  Put16(out, 0);
  Put16(out, 2);
  Put16(out, 1);
  out.push_back(static_cast<uint8_t>(width));
  out.push_back(static_cast<uint8_t>(height));
  out.push_back(0);
  out.push_back(0);
  Put16(out, hotX * scale);
  Put16(out, hotY * scale);
  Put32(out, imageBytes);
  Put32(out, 22);
  Put32(out, 40);
  Put32(out, width);
  Put32(out, height * 2);
  Put16(out, 1);
  Put16(out, 32);
  for (int i = 0; i < 6; ++i) Put32(out, i == 0 ? 0 : (i == 1 ? imageBytes - 40 : 0));
  auto pixel = [&](int x, int y) {
    uint32_t argb = 0;
    Colour(rows[y / scale][x / scale], &argb);
    return argb;
  };
  for (int y = height - 1; y >= 0; --y)
    for (int x = 0; x < width; ++x) Put32(out, pixel(x, y));
  for (int y = height - 1; y >= 0; --y) {
    std::vector<uint8_t> mask(maskStride, 0);
    for (int x = 0; x < width; ++x)
      if ((pixel(x, y) >> 24) == 0) mask[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    out.insert(out.end(), mask.begin(), mask.end());
  }
  return out;
}

std::vector<uint8_t> AnimatedCursorFile(const Art& art, int scale) {
  std::vector<uint8_t> frames;
  PutTag(frames, "fram");
  for (const auto& rows : art.frames) {
    const std::vector<uint8_t> cursor = CursorFile(rows, scale, art.hotX, art.hotY);
    PutTag(frames, "icon");
    Put32(frames, static_cast<uint32_t>(cursor.size()));
    frames.insert(frames.end(), cursor.begin(), cursor.end());
    if (cursor.size() & 1) frames.push_back(0);
  }
  std::vector<uint8_t> body;
  PutTag(body, "ACON");
  PutTag(body, "anih");
  Put32(body, 36);
  const uint32_t count = static_cast<uint32_t>(art.frames.size());
  for (uint32_t v : {36u, count, count, 0u, 0u, 0u, 0u, art.rate ? art.rate : 60u, 1u}) Put32(body, v);
  PutTag(body, "LIST");
  Put32(body, static_cast<uint32_t>(frames.size()));
  body.insert(body.end(), frames.begin(), frames.end());
  std::vector<uint8_t> file;
  PutTag(file, "RIFF");
  Put32(file, static_cast<uint32_t>(body.size()));
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: cursor_maker ART.cursor OUT.ani SCALE\n");
    return 2;
  }
  const int scale = std::atoi(argv[3]);
  Art art;
  std::string error;
  if (scale < 1 || scale > 8 || !ReadArt(argv[1], &art, &error)) {
    std::fprintf(stderr, "cursor_maker: %s: %s\n", argv[1], scale < 1 || scale > 8 ? "bad scale" : error.c_str());
    return 1;
  }
  const std::vector<uint8_t> file = AnimatedCursorFile(art, scale);
  std::ofstream out(argv[2], std::ios::binary);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  if (!out) {
    std::fprintf(stderr, "cursor_maker: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
