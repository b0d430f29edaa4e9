#include "image_decode.h"

#include <stb_image.h>

#include <algorithm>
#include <cstring>

#include "image_file_checks.h"
#include "kivo/support/stream_calls.h"

namespace rasterizer {

namespace {

// No image of the game comes near this; a longer stream is not read.
constexpr uint32_t kMaxImageFileBytes = 64u << 20;

// stb_image reads through these; asking for bytes past the end marks the image as cut off.
struct MemoryReader {
  const uint8_t* data;
  size_t size;
  size_t at = 0;
  bool pastEnd = false;
};

int ReadMemory(void* user, char* out, int size) {
  auto* reader = static_cast<MemoryReader*>(user);
  const size_t left = reader->size - reader->at;
  if (left == 0 && size > 0) reader->pastEnd = true;
  const size_t count = std::min(left, static_cast<size_t>(size));
  std::memcpy(out, reader->data + reader->at, count);
  reader->at += count;
  return static_cast<int>(count);
}

void SkipMemory(void* user, int count) {
  auto* reader = static_cast<MemoryReader*>(user);
  if (count < 0) {
    reader->at -= std::min(reader->at, static_cast<size_t>(-static_cast<int64_t>(count)));
  } else if (reader->size - reader->at < static_cast<size_t>(count)) {
    reader->pastEnd = true;
    reader->at = reader->size;
  } else {
    reader->at += static_cast<size_t>(count);
  }
}

int AtMemoryEnd(void* user) {
  const auto* reader = static_cast<const MemoryReader*>(user);
  return reader->at >= reader->size;
}

constexpr stbi_io_callbacks kMemoryCallbacks{ReadMemory, SkipMemory, AtMemoryEnd};

// The same over a stream, for reading a header in place.
int ReadStream(void* user, char* out, int size) {
  uint32_t read = 0;
  if (size <= 0 || !kivo::stream::Read(static_cast<RTInstance>(user), out, static_cast<uint32_t>(size), &read)) return 0;
  return static_cast<int>(read);
}

void SkipStream(void* user, int count) {
  auto stream = static_cast<RTInstance>(user);
  uint32_t position = 0;
  uint32_t size = 0;
  if (!kivo::stream::GetPosition(stream, &position) || !kivo::stream::GetSize(stream, &size)) return;
  const int64_t target = std::clamp<int64_t>(int64_t{position} + count, 0, size);
  kivo::stream::Seek(stream, static_cast<uint32_t>(target));
}

int AtStreamEnd(void* user) {
  uint32_t remaining = 0;
  return !kivo::stream::Remaining(static_cast<RTInstance>(user), &remaining) || remaining == 0;
}

constexpr stbi_io_callbacks kStreamCallbacks{ReadStream, SkipStream, AtStreamEnd};

std::string SizeRefusal(int width, int height) {
  return "is " + std::to_string(width) + " x " + std::to_string(height) + " pixels, more than a texture may have";
}

}  // namespace

bool ImageSizeAllowed(uint32_t width, uint32_t height) {
  return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
         uint64_t{width} * height <= kMaxImagePixels;
}

bool DecodeImageStream(RTInstance stream, Image* image, std::string* why) {
  uint32_t start = 0;
  uint32_t bytes = 0;
  if (!stream || !kivo::stream::GetPosition(stream, &start) || !kivo::stream::Remaining(stream, &bytes)) {
    *why = "no image stream to read";
    return false;
  }
  if (bytes > kMaxImageFileBytes) {
    *why = "the image stream holds " + std::to_string(bytes) + " bytes, more than an image may";
    return false;
  }
  std::vector<uint8_t> file(bytes);
  uint32_t read = 0;
  const bool whole = !bytes || (kivo::stream::Read(stream, file.data(), bytes, &read) && read == bytes);
  kivo::stream::Seek(stream, start);
  if (!whole) {
    *why = "the image stream cannot be read";
    return false;
  }
  if (!ImageFileSizesFit(file, why)) return false;
  int width = 0;
  int height = 0;
  int channels = 0;
  if (!stbi_info_from_memory(file.data(), static_cast<int>(file.size()), &width, &height, &channels)) {
    *why = "cannot be read (" + std::string(stbi_failure_reason() ? stbi_failure_reason() : "") + ")";
    return false;
  }
  if (!ImageSizeAllowed(static_cast<uint32_t>(width), static_cast<uint32_t>(height))) {
    *why = SizeRefusal(width, height);
    return false;
  }
  MemoryReader reader{file.data(), file.size()};
  stbi_uc* pixels = stbi_load_from_callbacks(&kMemoryCallbacks, &reader, &width, &height, &channels, 4);
  if (!pixels || reader.pastEnd) {
    *why = pixels ? "is cut off before its last pixels"
                  : "cannot be decoded (" + std::string(stbi_failure_reason() ? stbi_failure_reason() : "") + ")";
    stbi_image_free(pixels);
    return false;
  }
  const size_t stride = static_cast<size_t>(width) * 4;
  image->width = static_cast<uint32_t>(width);
  image->height = static_cast<uint32_t>(height);
  image->rgba.resize(stride * height);
  for (int row = 0; row < height; ++row)
    std::memcpy(image->rgba.data() + stride * (height - 1 - row), pixels + stride * row, stride);
  stbi_image_free(pixels);
  return true;
}

bool ReadImageSize(RTInstance stream, uint32_t* width, uint32_t* height, std::string* why) {
  uint32_t start = 0;
  if (!stream || !kivo::stream::GetPosition(stream, &start)) {
    *why = "no image stream to read";
    return false;
  }
  int w = 0;
  int h = 0;
  int channels = 0;
  const bool known = stbi_info_from_callbacks(&kStreamCallbacks, stream, &w, &h, &channels) != 0;
  kivo::stream::Seek(stream, start);
  if (!known) {
    *why = "cannot be read (" + std::string(stbi_failure_reason() ? stbi_failure_reason() : "") + ")";
    return false;
  }
  *width = static_cast<uint32_t>(w);
  *height = static_cast<uint32_t>(h);
  return true;
}

}  // namespace rasterizer
