// The disassembler's line forms, its behaviour on damaged code, and line tables in streams.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "codegen/disassembler.h"
#include "codegen/line_table_stream.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/stream_values.h"
#include "host/core_host.h"
#include "tests/compiler_fixture.h"

namespace {

using namespace varno;
using varno::testing::Utf8;

// Bytecode written by hand, little-endian.
class Code {
 public:
  Code& Op(Opcode op) { return Byte(static_cast<uint8_t>(op)); }
  Code& Byte(uint8_t value) {
    bytes_.push_back(value);
    return *this;
  }
  Code& U32(uint32_t value) {
    for (int i = 0; i < 4; ++i) Byte(static_cast<uint8_t>(value >> (8 * i)));
    return *this;
  }
  Code& Float(float value) {
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return U32(bits);
  }
  Code& Text(std::u16string_view text) {
    U32(static_cast<uint32_t>(text.size()));
    if (text.empty()) return *this;
    for (char16_t unit : text) Byte(static_cast<uint8_t>(unit)).Byte(static_cast<uint8_t>(unit >> 8));
    return Byte(0).Byte(0);
  }
  Code& Block(const Code& nested) {
    U32(static_cast<uint32_t>(nested.bytes_.size()));
    bytes_.insert(bytes_.end(), nested.bytes_.begin(), nested.bytes_.end());
    return *this;
  }
  const std::vector<uint8_t>& bytes() const { return bytes_; }
  std::string List(size_t size) const { return Utf8(Disassemble(bytes_.data(), size)); }
  std::string List() const { return List(bytes_.size()); }

 private:
  std::vector<uint8_t> bytes_;
};

Code EveryOperandKind() {
  Code nested;
  nested.Op(Opcode::kPushvn).U32(7).Op(Opcode::kJmp).U32(0);
  Code code;
  code.Op(Opcode::kNop)
      .Op(Opcode::kPushs).Text(u"OBJ.POS")
      .Op(Opcode::kPushvn).U32(0xFFFFFFFF)
      .Op(Opcode::kPushvr).Float(-1.25f)
      .Op(Opcode::kPushvs).Text(u"Say \"hi\"")
      .Op(Opcode::kPushvs).Text(u"")
      .Op(Opcode::kPushvv3).Float(1).Float(0.5f).Float(-2)
      .Op(Opcode::kPushvc).Block(nested).Byte(1).U32(1).U32(0).U32(5).U32(9).U32(0xFFFFFFFF)
      .Op(Opcode::kJmpne).U32(0x1234)
      .Op(Opcode::kReturn);
  return code;
}

TEST(DisassemblerTest, ListsEachOperandKindInTheListersForm) {
  const Code code = EveryOperandKind();
  EXPECT_EQ(code.List(),
            "0x0000 | nop\n"
            "0x0001 | pushs OBJ.POS\n"
            "0x0016 | pushvn 0xFFFFFFFF\n"
            "0x001B | pushvr -1.250000\n"
            "0x0020 | pushvs \"Say \"hi\"\"\n"
            "0x0037 | pushvs \"\"\n"
            "0x003C | pushvv3 <1.000000, 0.500000, -2.000000>\n"
            "0x0049 | pushvc\n"
            "    0x0000 | pushvn 0x00000007\n"
            "    0x0005 | jmp 0x00000000\n"
            "0x006D | jmpne 0x00001234\n"
            "0x0072 | return\n");
  // With line tables, a literal's table follows its code.
  const std::string withLines = Utf8(Disassemble(code.bytes().data(), code.bytes().size(), {true}));
  EXPECT_NE(withLines.find("    0x0005 | jmp 0x00000000\n    line 9: 0x0000-0x0005\n0x006D"), std::string::npos)
      << withLines;
}

TEST(DisassemblerTest, DamagedCodeEndsTheListingWithTheReason) {
  const Code code = EveryOperandKind();
  const std::vector<uint8_t>& bytes = code.bytes();
  // Cut at every length: the listing stops at the damaged instruction, never reading past the end.
  for (size_t size = 0; size <= bytes.size(); ++size) {
    const std::string listing = code.List(size);
    const bool boundary = size == 0 || size == 0x01 || size == 0x16 || size == 0x1B || size == 0x20 || size == 0x37 ||
                          size == 0x3C || size == 0x49 || size == 0x6D || size == 0x72 || size == bytes.size();
    EXPECT_EQ(listing.find("operand cut short") == std::string::npos, boundary) << size << "\n" << listing;
  }

  const struct {
    Code code;
    std::string listing;
  } cases[] = {
      {Code().Op(Opcode::kNop).Byte(99), "0x0000 | nop\n0x0001 | <invalid opcode 99>\n"},
      {Code().Byte(255), "0x0000 | <invalid opcode 255>\n"},
      // A name operand holds at most 255 units.
      {Code().Op(Opcode::kPushs).Text(std::u16string(256, u'A')), "0x0000 | <pushs: operand cut short>\n"},
      {Code().Op(Opcode::kPushvc).U32(0xFFFFFFFF).Op(Opcode::kNop), "0x0000 | <pushvc: operand cut short>\n"},
      {Code().Op(Opcode::kPushvc).U32(1).Op(Opcode::kNop).Byte(1).U32(0x10000000).U32(0),
       "0x0000 | <pushvc: operand cut short>\n"},
      // Damage inside a literal shows in the literal's listing.
      {Code().Op(Opcode::kPushvc).U32(2).Op(Opcode::kNop).Byte(120).Byte(0).Op(Opcode::kReturn),
       "0x0000 | pushvc\n    0x0000 | nop\n    0x0001 | <invalid opcode 120>\n0x0008 | return\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.code.List(), c.listing);
}

class LineTableStreamTest : public tesk::testing::StartedCore {};

TEST_F(LineTableStreamTest, WritesReadsAndLooksUp) {
  LineTable* table = LineTableCreate();
  ASSERT_NE(table, nullptr);
  ASSERT_NE(LineTableAppend(table, 0x00, 0x0E, 4), nullptr);
  ASSERT_NE(LineTableAppend(table, 0x0F, 0x14, 7), nullptr);
  ASSERT_NE(LineTableAppend(table, 0x19, 0x19, 4), nullptr);
  table->word = 0x19;

  RTInstance stream = nullptr;
  ASSERT_EQ(kivo::memory_stream::Create(&stream), kRTSuccess);
  ASSERT_EQ(LineTableWrite(stream, table), kRTSuccess);
  uint32_t size = 0;
  ASSERT_EQ(kivo::stream::GetSize(stream, &size), kRTSuccess);
  EXPECT_EQ(size, 4u + 3 * 12 + 4);

  ASSERT_EQ(kivo::stream::Seek(stream, 0), kRTSuccess);
  LineTable* read = nullptr;
  ASSERT_EQ(LineTableRead(stream, &read), kRTSuccess);
  EXPECT_EQ(Utf8(ListLineTable(read)), "line 4: 0x0000-0x000E\nline 7: 0x000F-0x0014\nline 4: 0x0019-0x0019\n");
  EXPECT_EQ(read->word, 0x19u);

  uint32_t line = 0;
  uint32_t first = 0;
  uint32_t last = 0;
  uint32_t word = 0;
  EXPECT_EQ(LineTableLineOfOffset(read, 0x0E, &line), kRTSuccess);
  EXPECT_EQ(line, 4u);
  EXPECT_EQ(LineTableLineOfOffset(read, 0x10, &line), kRTSuccess);
  EXPECT_EQ(line, 7u);
  EXPECT_EQ(LineTableLineOfOffset(read, 0x15, &line), kRTFailure);
  EXPECT_EQ(LineTableRangeOfOffset(read, 0x19, &first, &last), kRTSuccess);
  EXPECT_EQ(first, 0x19u);
  EXPECT_EQ(last, 0x19u);
  // The first entry of a line gives its range.
  EXPECT_EQ(LineTableRangeOfLine(read, 4, &first, &last, &word), kRTSuccess);
  EXPECT_EQ(first, 0x00u);
  EXPECT_EQ(last, 0x0Eu);
  EXPECT_EQ(word, 0x19u);
  EXPECT_EQ(LineTableRangeOfLine(read, 5, &first, &last, &word), kRTFailure);
  LineTableDestroy(read);

  // A table cut short anywhere is refused and leaves nothing behind.
  const uint8_t* bytes = nullptr;
  ASSERT_EQ(kivo::memory_stream::GetBuffer(stream, &bytes), kRTSuccess);
  const std::vector<uint8_t> whole(bytes, bytes + size);
  for (uint32_t cut = 0; cut < size; ++cut) {
    RTInstance part = nullptr;
    ASSERT_EQ(kivo::memory_stream::Create(&part), kRTSuccess);
    uint32_t written = 0;
    kivo::stream::Write(part, whole.data(), cut, &written);
    kivo::stream::Seek(part, 0);
    LineTable* partial = reinterpret_cast<LineTable*>(1);
    EXPECT_EQ(LineTableRead(part, &partial), kRTFailure) << cut;
    EXPECT_EQ(partial, nullptr);
    core().ReleaseInstance(nullptr, part);
  }
  core().ReleaseInstance(nullptr, stream);
  LineTableDestroy(table);
}

}  // namespace
