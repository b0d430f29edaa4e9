#include "platform/ani_cursor.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using platform::AnimatedCursor;
using platform::CursorImage;

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
void Tag(std::vector<uint8_t>& out, const char* tag) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

// A 2 x 2 cursor file: 32-bit pixels (alpha 0 everywhere when `noAlpha`) or 1-bit with a
// black-and-white palette, and its AND mask with the top-left pixel transparent.
std::vector<uint8_t> CursorFile(uint16_t bits, uint32_t colour, uint16_t hotX, uint16_t hotY) {
  std::vector<uint8_t> dib;
  Put32(dib, 40);
  Put32(dib, 2);
  Put32(dib, 4);
  Put16(dib, 1);
  Put16(dib, bits);
  for (int i = 0; i < 6; ++i) Put32(dib, 0);
  if (bits == 1) {
    Put32(dib, 0x000000);
    Put32(dib, 0xFFFFFF);
    Put32(dib, 0x00000040);  // bottom row: index 0 then 1
    Put32(dib, 0x00000080);  // top row: index 1 then 0
  } else {
    for (int i = 0; i < 4; ++i) Put32(dib, colour);
  }
  Put32(dib, 0x00000000);  // mask, bottom row: both opaque
  Put32(dib, 0x00000080);  // top row: the left pixel transparent
  std::vector<uint8_t> file;
  Put16(file, 0);
  Put16(file, 2);
  Put16(file, 1);
  file.insert(file.end(), {2, 2, 0, 0});
  Put16(file, hotX);
  Put16(file, hotY);
  Put32(file, static_cast<uint32_t>(dib.size()));
  Put32(file, 22);
  file.insert(file.end(), dib.begin(), dib.end());
  return file;
}

std::vector<uint8_t> AniFile(const std::vector<std::vector<uint8_t>>& frames, uint32_t rate,
                             const std::vector<uint32_t>& sequence = {}, const std::vector<uint32_t>& rates = {}) {
  std::vector<uint8_t> body;
  Tag(body, "ACON");
  Tag(body, "anih");
  Put32(body, 36);
  const uint32_t steps = sequence.empty() ? static_cast<uint32_t>(frames.size()) : static_cast<uint32_t>(sequence.size());
  for (uint32_t v : {36u, static_cast<uint32_t>(frames.size()), steps, 0u, 0u, 0u, 0u, rate,
                     sequence.empty() ? 1u : 3u})
    Put32(body, v);
  if (!rates.empty()) {
    Tag(body, "rate");
    Put32(body, static_cast<uint32_t>(rates.size() * 4));
    for (uint32_t r : rates) Put32(body, r);
  }
  if (!sequence.empty()) {
    Tag(body, "seq ");
    Put32(body, static_cast<uint32_t>(sequence.size() * 4));
    for (uint32_t s : sequence) Put32(body, s);
  }
  std::vector<uint8_t> list;
  Tag(list, "fram");
  for (const auto& frame : frames) {
    Tag(list, "icon");
    Put32(list, static_cast<uint32_t>(frame.size()));
    list.insert(list.end(), frame.begin(), frame.end());
    if (frame.size() & 1) list.push_back(0);
  }
  Tag(body, "LIST");
  Put32(body, static_cast<uint32_t>(list.size()));
  body.insert(body.end(), list.begin(), list.end());
  std::vector<uint8_t> file;
  Tag(file, "RIFF");
  Put32(file, static_cast<uint32_t>(body.size()));
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

TEST(AniCursor, DecodesFramesStepsAndTransparency) {
  const auto file = AniFile({CursorFile(32, 0x80112233, 1, 0), CursorFile(1, 0, 0, 1)}, 10, {1, 0, 1}, {5, 6, 7});
  AnimatedCursor cursor;
  std::string error;
  ASSERT_TRUE(platform::ParseAnimatedCursor(file, &cursor, &error)) << error;
  ASSERT_EQ(cursor.frames.size(), 2u);
  const CursorImage& first = cursor.frames[0];
  EXPECT_EQ(first.width, 2);
  EXPECT_EQ(first.height, 2);
  EXPECT_EQ(first.hotX, 1);
  // 32-bit pixels with alpha keep it; the mask is not used.
  EXPECT_EQ(first.pixels, (std::vector<uint32_t>{0x80112233, 0x80112233, 0x80112233, 0x80112233}));
  // Palette pixels take their transparency from the mask; rows are stored bottom-up.
  EXPECT_EQ(cursor.frames[1].pixels, (std::vector<uint32_t>{0x00000000, 0xFF000000, 0xFF000000, 0xFFFFFFFF}));
  EXPECT_EQ(cursor.frames[1].hotY, 1);
  ASSERT_EQ(cursor.steps.size(), 3u);
  EXPECT_EQ(cursor.steps[0].frame, 1u);
  EXPECT_EQ(cursor.steps[0].jiffies, 5u);
  EXPECT_EQ(cursor.steps[2].jiffies, 7u);
}

TEST(AniCursor, BitmapsWithoutAlphaUseTheMask) {
  const auto file = AniFile({CursorFile(32, 0x00445566, 0, 0)}, 0);
  AnimatedCursor cursor;
  std::string error;
  ASSERT_TRUE(platform::ParseAnimatedCursor(file, &cursor, &error)) << error;
  EXPECT_EQ(cursor.frames[0].pixels, (std::vector<uint32_t>{0x00000000, 0xFF445566, 0xFF445566, 0xFF445566}));
  ASSERT_EQ(cursor.steps.size(), 1u);
}

TEST(AniCursor, TruncatedFilesFailCleanly) {
  const auto file = AniFile({CursorFile(32, 0x80112233, 0, 0), CursorFile(1, 0, 0, 0)}, 10, {1, 0});
  for (size_t size = 0; size < file.size(); ++size) {
    AnimatedCursor cursor;
    std::string error;
    EXPECT_FALSE(platform::ParseAnimatedCursor(std::span<const uint8_t>(file.data(), size), &cursor, &error)) << size;
    EXPECT_FALSE(error.empty()) << size;
    EXPECT_TRUE(cursor.frames.empty()) << size;
  }
}

TEST(AniCursor, CorruptFieldsAreRefused) {
  struct Row {
    const char* why;
    std::vector<uint8_t> file;
  };
  auto withByte = [](std::vector<uint8_t> file, size_t at, uint8_t value) {
    file[at] = value;
    return file;
  };
  const auto good = AniFile({CursorFile(32, 0x80112233, 0, 0)}, 10);
  const size_t bitsAt = good.size() - 64 + 14;  // the bitmap (64 bytes) ends the file
  const Row rows[] = {
      {"not RIFF", withByte(good, 0, 'X')},
      {"sequence past the frames", AniFile({CursorFile(32, 1, 0, 0)}, 10, {3})},
      {"unsupported depth", withByte(good, bitsAt, 7)},
      {"fewer frames than the header", withByte(good, 12 + 8 + 4, 5)},
  };
  for (const Row& row : rows) {
    AnimatedCursor cursor;
    std::string error;
    EXPECT_FALSE(platform::ParseAnimatedCursor(row.file, &cursor, &error)) << row.why;
  }
}

}  // namespace
