// Class file tests: the compiler's class folder with a standard Thing, files as bytes, classes
// written to and read from class files, and a readable listing of a class to compare classes of
// different tables by.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "compiler/type_table.h"
#include "tests/codegen_fixture.h"

namespace varno::testing {

std::vector<uint8_t> ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::vector<uint8_t>& bytes);
// A little-endian u32 over the four bytes at `at`.
void PutWord(std::vector<uint8_t>& bytes, size_t at, uint32_t value);

// Everything a class file carries of a class, one item a line, types by name: header, own and
// inherited attributes, methods in list order (kind, key and display names, code bytes,
// declarations, parameters, return type, line table, binding), constants with their values.
std::string DescribeClass(RTVarnoTypeTable* table, const RTVarnoType* type);

class ClassFileTest : public CodegenTest {
 protected:
  // StreamOutClass of the class of table() to the file.
  bool Save(RTVarnoType* type, const std::filesystem::path& file);
  // The class read from the file into table() by the compile driver, or null.
  RTVarnoType* Load(const std::filesystem::path& file);
  // Messages raised since the last call, without the driver's note of the class file it reads.
  std::vector<std::string> NewMessages();
  static constexpr std::string_view kReadingNote = "[VARNO] Reading the class file ";

 private:
  size_t seen_ = 0;
};

}  // namespace varno::testing
