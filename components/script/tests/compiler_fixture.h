// A started core for compiler tests: a temporary folder for class files, a type table, readable
// access to what was reported, and a clean compiler state at the end (search paths, the
// parse-error stream and the scanner's buffers go before the core checks its memory).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/type_table.h"
#include "host/core_host.h"
#include "host/temp_dir.h"

namespace varno::testing {

std::string Utf8(std::u16string_view text);
std::u16string Wide(std::string_view text);
std::u16string WidePath(const std::filesystem::path& path);

class CompilerTest : public tesk::testing::StartedCore {
 protected:
  void TearDown() override;

  const std::filesystem::path& dir() const { return dir_.path(); }
  // Writes `contents` to dir()/relative and gives the full path.
  std::filesystem::path WriteSource(std::string_view relative, std::string_view contents);
  // A search path for a folder under dir() ("" for dir() itself), with its separator.
  void AddPath(std::string_view folder = "");

  // Compiles a file into table() (made on first use, freed at the end).
  bool Compile(const std::filesystem::path& file, uint32_t* index = nullptr);
  RTVarnoTypeTable* table();
  // Frees the table; the next use makes a new one.
  void ResetTable();
  RTVarnoType* Type(std::string_view name);

  // The one-line tree of an interactive program, or "<failed>".
  std::string ExpressionTree(std::string_view text);
  // The one-line tree of a method of a class of table().
  std::string MethodTree(std::string_view className, std::u16string_view methodKey);

  // Every message raised so far, in order, as the error log holds them (without times; a
  // message's own line breaks end it).
  std::vector<std::string> Messages();
  // Messages that contain `part`.
  std::vector<std::string> MessagesWith(std::string_view part);
  // Sets a memory stream as the parse-error stream; ParseErrors() reads what it received.
  void CaptureParseErrors();
  std::vector<std::string> ParseErrors();

 private:
  tesk::testing::TempDir dir_;
  RTVarnoTypeTable* table_ = nullptr;
  RTInstance errorStream_ = nullptr;
};

}  // namespace varno::testing
