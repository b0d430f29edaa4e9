// Images: a texture's encoded image (PNG, TGA or BMP) through the rasterizer's decoder, as a
// texture is made from an image of the instance store: the size its header gives, then the whole
// image, its sizes checked against the file before it is decoded.
#include <string>

#include "fuzz_host.h"
#include "host/stream_bytes.h"
#include "image_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tesk::fuzz::StartCore({});
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  tesk::fuzz::RunInput([&] {
    kivo::InstanceRef stream = tesk::testing::MemoryStreamWith(bytes);
    uint32_t width = 0;
    uint32_t height = 0;
    std::string why;
    rasterizer::ReadImageSize(stream.get(), &width, &height, &why);
    rasterizer::Image image;
    rasterizer::DecodeImageStream(stream.get(), &image, &why);
  });
  return 0;
}
