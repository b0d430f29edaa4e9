// The wire form of every value through real memory streams: golden bytes for each writer, readers
// of those bytes, and the reads that must fail cleanly on short or lying input.
#include "kivo/support/stream_values.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "host/core_host.h"
#include "kivo/support/matrix.h"
#include "kivo/support/module_core.h"
#include "kivo/support/stream_calls.h"

namespace {

using namespace kivo;
using Bytes = std::vector<uint8_t>;

Bytes Le32(uint32_t value) {
  return {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value >> 16),
          static_cast<uint8_t>(value >> 24)};
}

Bytes Floats(std::initializer_list<float> values) {
  Bytes bytes;
  for (float value : values) {
    uint32_t word = 0;
    std::memcpy(&word, &value, 4);
    const Bytes le = Le32(word);
    bytes.insert(bytes.end(), le.begin(), le.end());
  }
  return bytes;
}

Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes bytes;
  for (const Bytes& part : parts) bytes.insert(bytes.end(), part.begin(), part.end());
  return bytes;
}

// The length word, then the units and their terminator.
Bytes WideBytes(const std::u16string& text) {
  Bytes bytes = Le32(static_cast<uint32_t>(text.size()));
  for (char16_t unit : text + u'\0') {
    bytes.push_back(static_cast<uint8_t>(unit));
    bytes.push_back(static_cast<uint8_t>(unit >> 8));
  }
  return bytes;
}

// Every entry distinct, so a transposed index shows.
RTFMatrix4x4 Numbered() {
  RTFMatrix4x4 m;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) m.m[i][j] = static_cast<float>(i * 4 + j + 1);
  return m;
}

class StreamValues : public tesk::testing::StartedCore {
 protected:
  void TearDown() override {
    for (RTInstance s : streams_) core().ReleaseInstance(nullptr, s);
    StartedCore::TearDown();
  }

  // A fresh memory stream holding `contents`, positioned at 0.
  RTInstance NewStream(const Bytes& contents = {}) {
    RTInstance s = nullptr;
    EXPECT_EQ(memory_stream::Create(&s), kRTSuccess);
    if (!s) return nullptr;
    streams_.push_back(s);
    uint32_t written = 0;
    EXPECT_EQ(stream::Write(s, contents.data(), static_cast<uint32_t>(contents.size()), &written), kRTSuccess);
    EXPECT_EQ(stream::Seek(s, 0), kRTSuccess);
    return s;
  }

  Bytes Contents(RTInstance s) {
    uint32_t size = 0;
    const uint8_t* data = nullptr;
    if (!stream::GetSize(s, &size) || !memory_stream::GetBuffer(s, &data)) return {0xBA, 0xD0};
    return size ? Bytes(data, data + size) : Bytes{};
  }

  uint32_t Position(RTInstance s) {
    uint32_t position = 0;
    stream::GetPosition(s, &position);
    return position;
  }

  std::vector<RTInstance> streams_;
};

TEST_F(StreamValues, EveryWriterProducesItsWireForm) {
  const struct {
    const char* name;
    RTSuccess (*write)(RTInstance);
    Bytes bytes;
  } cases[] = {
      {"uint", [](RTInstance s) { return StreamWriteUInt(s, 0x12345678u); }, {0x78, 0x56, 0x34, 0x12}},
      {"byte keeps the low byte", [](RTInstance s) { return StreamWriteByte(s, 0x1FFu); }, {0xFF}},
      {"uint8 keeps the low byte", [](RTInstance s) { return StreamWriteUInt8(s, 0x1ABu); }, {0xAB}},
      {"float", [](RTInstance s) { return StreamWriteFloat(s, 1.0f); }, {0x00, 0x00, 0x80, 0x3F}},
      {"vector without its fourth float", [](RTInstance s) { return StreamWriteVector(s, {1, 2, 3, 99}); },
       Floats({1, 2, 3})},
      {"colour", [](RTInstance s) { return StreamWriteColor(s, {0.5f, 0.25f, -1, 99}); }, Floats({0.5f, 0.25f, -1})},
      {"vector2", [](RTInstance s) { return StreamWriteVector2D(s, {2, -2}); }, Floats({2, -2})},
      {"matrix column by column", [](RTInstance s) { return StreamWriteMatrix4(s, Numbered()); },
       Floats({1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15, 4, 8, 12, 16})},
      {"translation lands in floats 4, 8 and 12",
       [](RTInstance s) {
         RTFMatrix4x4 m;
         Mat4Identity(&m);
         Mat4SetTranslation(&m, {5, 6, 7, 0});
         return StreamWriteMatrix4(s, m);
       },
       Floats({1, 0, 0, 5, 0, 1, 0, 6, 0, 0, 1, 7, 0, 0, 0, 1})},
      {"wide string with its terminator", [](RTInstance s) { return StreamWriteWString(s, u"abc"); },
       {0x03, 0x00, 0x00, 0x00, 0x61, 0x00, 0x62, 0x00, 0x63, 0x00, 0x00, 0x00}},
      {"wide string beyond Latin-1", [](RTInstance s) { return StreamWriteWString(s, u"\u20AC"); },
       {0x01, 0x00, 0x00, 0x00, 0xAC, 0x20, 0x00, 0x00}},
      {"null wide string", [](RTInstance s) { return StreamWriteWString(s, nullptr); }, {0, 0, 0, 0}},
      {"empty wide string", [](RTInstance s) { return StreamWriteWString(s, u""); }, {0, 0, 0, 0}},
      {"null instance", [](RTInstance s) { return StreamWriteInstanceRef(s, nullptr); }, {0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    RTInstance s = NewStream();
    EXPECT_EQ(c.write(s), kRTSuccess) << c.name;
    EXPECT_EQ(Contents(s), c.bytes) << c.name;
  }
}

TEST_F(StreamValues, ReadersTakeTheWireForms) {
  const Bytes matrixColumns = Floats({1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15, 4, 8, 12, 16});
  RTInstance s = NewStream(Cat({Le32(0x12345678u), {0xFF, 0xAB}, Floats({1.5f, 1, 2, 3, 0.5f, 0.25f, -1, 2, -2}),
                                matrixColumns}));
  uint32_t word = 0;
  EXPECT_EQ(StreamReadUInt(s, &word), kRTSuccess);
  EXPECT_EQ(word, 0x12345678u);
  uint32_t byte = 0xDEADBEEFu;
  EXPECT_EQ(StreamReadByte(s, &byte), kRTSuccess);
  EXPECT_EQ(byte, 255u) << "zero-extended over the whole word";
  uint8_t raw = 0;
  EXPECT_EQ(StreamReadUInt8(s, &raw), kRTSuccess);
  EXPECT_EQ(raw, 0xAB);
  float real = 0;
  EXPECT_EQ(StreamReadFloat(s, &real), kRTSuccess);
  EXPECT_EQ(real, 1.5f);

  RTFVector3D vector = {0, 0, 0, -77};
  EXPECT_EQ(StreamReadVector(s, &vector), kRTSuccess);
  EXPECT_EQ(vector.x, 1);
  EXPECT_EQ(vector.y, 2);
  EXPECT_EQ(vector.z, 3);
  EXPECT_EQ(vector.w, -77) << "the fourth float is not touched";
  RTFColorRGB colour = {0, 0, 0, -77};
  EXPECT_EQ(StreamReadColor(s, &colour), kRTSuccess);
  EXPECT_EQ(colour.r, 0.5f);
  EXPECT_EQ(colour.g, 0.25f);
  EXPECT_EQ(colour.b, -1);
  EXPECT_EQ(colour.a, -77);
  RTFVector2D flat = {};
  EXPECT_EQ(StreamReadVector2D(s, &flat), kRTSuccess);
  EXPECT_EQ(flat.x, 2);
  EXPECT_EQ(flat.y, -2);

  RTFMatrix4x4 matrix = {};
  EXPECT_EQ(StreamReadMatrix4(s, &matrix), kRTSuccess);
  const RTFMatrix4x4 expected = Numbered();
  EXPECT_EQ(std::memcmp(&matrix, &expected, sizeof matrix), 0) << "read back in row-major memory form";
  uint32_t size = 0;
  stream::GetSize(s, &size);
  EXPECT_EQ(Position(s), size);
}

TEST_F(StreamValues, ShortWordAndByteReads) {
  uint32_t word = 0xDEADBEEFu;
  EXPECT_EQ(StreamReadUInt(NewStream({1, 2}), &word), kRTFailure);
  EXPECT_EQ(StreamReadUIntUnchecked(NewStream({1, 2}), &word), kRTSuccess);
  EXPECT_EQ(word, 0u) << "a failed unchecked read hands out 0";
  EXPECT_EQ(StreamReadUIntUnchecked(NewStream(Le32(7)), &word), kRTSuccess);
  EXPECT_EQ(word, 7u);

  uint32_t byte = 0xDEADBEEFu;
  uint8_t raw = 0x5A;
  RTInstance empty = NewStream();
  EXPECT_EQ(StreamReadByte(empty, &byte), kRTFailure);
  EXPECT_EQ(byte, 0xDEADBEEFu) << "untouched on failure";
  EXPECT_EQ(StreamReadUInt8(empty, &raw), kRTFailure);
  float real = 0.0f;
  EXPECT_EQ(StreamReadFloat(NewStream({1, 2, 3}), &real), kRTFailure) << "three of four bytes";
  RTFVector3D vector{};
  EXPECT_EQ(StreamReadVector(NewStream(Bytes(11, 0)), &vector), kRTFailure) << "the last float is short";
  EXPECT_EQ(StreamWriteByte(nullptr, 1), kRTFailure);
  EXPECT_EQ(StreamWriteUInt(nullptr, 1), kRTFailure);
}

TEST_F(StreamValues, ByteRecordsMoveWholeOrFail) {
  const Bytes record{1, 2, 3, 4, 5, 6};
  RTInstance s = NewStream();
  EXPECT_EQ(StreamWriteBytes(s, record.data(), 6), kRTSuccess);
  EXPECT_EQ(Contents(s), record);
  EXPECT_EQ(StreamWriteBytes(nullptr, record.data(), 6), kRTFailure);

  uint8_t read[6] = {};
  EXPECT_EQ(StreamReadBytes(NewStream(record), read, 6), kRTSuccess);
  EXPECT_EQ(Bytes(read, read + 6), record);
  RTInstance shorter = NewStream({9, 9, 9});
  EXPECT_EQ(StreamReadBytes(shorter, read, 4), kRTFailure) << "three of four bytes";
}

TEST_F(StreamValues, StringsReadBackWithNullForEmpty) {
  char16_t* wide = nullptr;
  EXPECT_EQ(StreamReadWString(NewStream(WideBytes(u"abc")), &wide), kRTSuccess);
  ASSERT_NE(wide, nullptr);
  EXPECT_EQ(std::u16string(wide), u"abc");
  ModuleCore()->ArrayFree(nullptr, wide);

  // A stored terminator that is not 0 does not run the text on.
  EXPECT_EQ(StreamReadWString(NewStream(Cat({Le32(2), {'h', 0, 'i', 0, 'X', 0}})), &wide), kRTSuccess);
  ASSERT_NE(wide, nullptr);
  EXPECT_EQ(std::u16string(wide), u"hi");
  ModuleCore()->ArrayFree(nullptr, wide);

  char16_t placeholder[1] = {};
  wide = placeholder;
  EXPECT_EQ(StreamReadWString(NewStream(Le32(0)), &wide), kRTSuccess);
  EXPECT_EQ(wide, nullptr);

  char* narrow = nullptr;
  EXPECT_EQ(StreamReadNarrowString(NewStream(Cat({Le32(3), {'a', 'b', 'c', 0}})), &narrow), kRTSuccess);
  ASSERT_NE(narrow, nullptr);
  EXPECT_EQ(std::string(narrow), "abc");
  ModuleCore()->ArrayFree(nullptr, narrow);
  char narrowPlaceholder[1] = {};
  narrow = narrowPlaceholder;
  EXPECT_EQ(StreamReadNarrowString(NewStream(Le32(0)), &narrow), kRTSuccess);
  EXPECT_EQ(narrow, nullptr);

  // The bounded read refuses a longer text.
  EXPECT_EQ(StreamReadWStringBounded(NewStream(WideBytes(u"ab")), 2, &wide), kRTSuccess);
  ASSERT_NE(wide, nullptr);
  ModuleCore()->ArrayFree(nullptr, wide);
  EXPECT_EQ(StreamReadWStringBounded(NewStream(WideBytes(u"abc")), 2, &wide), kRTFailure);
  EXPECT_EQ(wide, nullptr);
}

TEST_F(StreamValues, ShortOrOversizedStringsFailWithNullAndNoBlockLeft) {
  // The stored count, then the units actually present (in the reader's unit size).
  const struct {
    const char* name;
    uint32_t count;
    uint32_t units;
  } cases[] = {
      {"stream ends after the count", 3, 0},
      {"half the units", 3, 2},
      {"terminator missing", 3, 3},
      {"count + 1 would wrap", 0xFFFFFFFFu, 4},
      {"byte count passes 32 bits", 0x80000000u, 4},
      {"count beyond the remaining stream", 1000, 8},
  };
  for (const auto& c : cases) {
    RTInstance wideStream = NewStream(Cat({Le32(c.count), Bytes(c.units * 2, 'a')}));
    RTInstance narrowStream = NewStream(Cat({Le32(c.count), Bytes(c.units, 'a')}));
    const auto before = MemoryStats();
    char16_t placeholder[1] = {};
    char16_t* wide = placeholder;
    EXPECT_EQ(StreamReadWString(wideStream, &wide), kRTFailure) << c.name;
    EXPECT_EQ(wide, nullptr) << c.name;
    char narrowPlaceholder[1] = {};
    char* narrow = narrowPlaceholder;
    EXPECT_EQ(StreamReadNarrowString(narrowStream, &narrow), kRTFailure) << c.name;
    EXPECT_EQ(narrow, nullptr) << c.name;
    EXPECT_EQ(MemoryStats(), before) << c.name;
  }

  // No count at all leaves the out text as it was.
  char16_t placeholder[1] = {};
  char16_t* wide = placeholder;
  EXPECT_EQ(StreamReadWString(NewStream({3, 0}), &wide), kRTFailure);
  EXPECT_EQ(wide, placeholder);
}

TEST_F(StreamValues, NewerVersionsAreRefused) {
  uint32_t version = 0;
  EXPECT_EQ(StreamReadVersion(NewStream(Le32(3)), 2, &version), kRTFailure);
  EXPECT_EQ(version, 0u);
  EXPECT_EQ(StreamReadVersion(NewStream(Le32(2)), 2, &version), kRTSuccess);
  EXPECT_EQ(version, 2u);
  EXPECT_EQ(StreamReadVersion(NewStream(Le32(1)), 2, &version), kRTSuccess);
  EXPECT_EQ(version, 1u) << "an older version is read as stored";
  EXPECT_EQ(StreamReadVersion(NewStream({1}), 2, &version), kRTFailure);
}

TEST_F(StreamValues, InstanceReferencesTravelAsPaths) {
  RTInstance component = nullptr;
  ASSERT_EQ(core().CreateInstanceByString(nullptr, u"RTComponent", &component, 0, 1), kRTSuccess);
  char16_t path[1024] = {};
  ASSERT_EQ(core().GetInstancePath(nullptr, component, path, 1024), kRTSuccess);

  RTInstance s = NewStream();
  EXPECT_EQ(StreamWriteInstanceRef(s, component), kRTSuccess);
  EXPECT_EQ(StreamWriteInstanceRef(s, nullptr), kRTSuccess);
  EXPECT_EQ(Contents(s), Cat({WideBytes(path), Le32(0)}));

  stream::Seek(s, 0);
  uint32_t references = 0;
  core().GetRefCount(nullptr, component, &references);
  RTInstance found = nullptr;
  EXPECT_EQ(StreamReadInstanceRef(s, &found), kRTSuccess);
  EXPECT_EQ(found, component);
  uint32_t after = 0;
  core().GetRefCount(nullptr, component, &after);
  EXPECT_EQ(after, references + 1) << "the reader hands out a reference";
  if (found) core().ReleaseInstance(nullptr, found);
  found = component;
  EXPECT_EQ(StreamReadInstanceRef(s, &found), kRTSuccess);
  EXPECT_EQ(found, nullptr);
  core().ReleaseInstance(nullptr, component);

  RTInstance missing = NewStream(WideBytes(u"Root:NoSuchInstance"));
  RTInstance tooLong = NewStream(WideBytes(std::u16string(1024, u'x')));
  const auto before = MemoryStats();
  EXPECT_EQ(StreamReadInstanceRef(missing, &found), kRTFailure);
  EXPECT_EQ(StreamReadInstanceRef(tooLong, &found), kRTFailure) << "longer than any path";
  EXPECT_EQ(MemoryStats(), before) << "the read path is freed";
}

TEST_F(StreamValues, StreamCopyWritesTheWholeSourceAndKeepsItsPosition) {
  Bytes data;
  for (uint8_t i = 0; i < 10; ++i) data.push_back(0xA0 + i);
  RTInstance source = NewStream(data);
  ASSERT_EQ(stream::Seek(source, 4), kRTSuccess);
  RTInstance destination = NewStream();
  EXPECT_EQ(StreamWriteStreamCopy(destination, source), kRTSuccess);
  EXPECT_EQ(Contents(destination), Cat({Le32(10), data}));
  EXPECT_EQ(Position(source), 4u);

  EXPECT_EQ(StreamWriteStreamCopy(nullptr, source), kRTFailure);
  EXPECT_EQ(StreamWriteStreamCopy(destination, nullptr), kRTFailure);
}

}  // namespace
