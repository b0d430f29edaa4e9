#include "compiler/compile_driver.h"

#include <filesystem>
#include <string>

#include "classfile/class_file_reader.h"
#include "compiler/core_records.h"
#include "compiler/parse_context.h"
#include "compiler/parse_errors.h"
#include "compiler/report.h"
#include "compiler/scanner.h"
#include "compiler/search_paths.h"
#include "compiler/syntax_node.h"
#include "compiler/type_codes.h"
#include "compiler/type_table.h"
#include "kivo/support/wide_string.h"
#include "platform/paths.h"
#include "varno_grammar.hpp"

namespace varno {

namespace {

bool gReplaceTypes = true;
bool gUseClassFiles = true;

constexpr std::u16string_view kSourceExtension = u".varno";
constexpr std::u16string_view kCompiledExtension = u"varnoc";

// After a failed parse: when the scanner is still on the failed input's buffer (its end was not
// reached), that buffer's text is dropped. The caller that pushed a buffer for a nested
// compilation pops it.
void DropFailedInput(Scanner& scanner, size_t savedAtEntry) {
  if (scanner.saved_buffer_count() == savedAtEntry) scanner.ResetScanner();
}

// Runs the parser on a context made current for the run; the previous context is current again
// afterwards. A nested run (an outer compilation waits) keeps the outer parser's error flag out
// of its own result and gives it back afterwards.
bool RunParser(ParseContext* context) {
  Scanner& scanner = ProcessScanner();
  ParseContext* outer = CurrentParseContext();
  const bool outerFlag = ParserErrorFlag();
  SetParserErrorFlag(false);
  const size_t savedAtEntry = scanner.saved_buffer_count();

  SetCurrentParseContext(context);
  const int result = varno_parse(scanner);
  const bool failed = result != 0 || ParserErrorFlag();
  if (failed) DropFailedInput(scanner, savedAtEntry);
  SetParserErrorFlag(outer ? outerFlag : false);
  SetCurrentParseContext(outer);
  return !failed;
}

// Reads a compiled class file in place of the source. A caller that compiles a class on the spot
// has pushed a scanner buffer for the class's text, which the parse gives back at the text's end;
// a class file never reaches the scanner, so that buffer is given back here.
RTSuccess LoadCompiledClass(const char16_t* compiled, uint32_t* outType, RTVarnoTypeTable** outTable,
                            RTVarnoTypeTable* table) {
  Scanner& scanner = ProcessScanner();
  const bool bufferPushed = scanner.saved_buffer_count() > 0;
  RTVarnoTypeTable* own = nullptr;
  RTVarnoType* type = nullptr;
  const bool read = (table || TypeTableFactory(&own)) && ReadClassFile(compiled, table ? table : own, &type);
  if (bufferPushed) scanner.PopIncludeFile();
  if (!read) {
    TypeTableDestructor(own);
    return kRTFailure;
  }
  if (outType) *outType = type->index;
  if (outTable) {
    *outTable = table ? table : own;
  } else {
    TypeTableDestructor(own);  // nobody could reach it
  }
  return kRTSuccess;
}

enum class ClassFileChoice { kCompiled, kSource, kNone };

// A class file is used when it exists and its source does not, or is no newer; a class file older
// than its source is a stale result of an earlier compile (noted), and the source is compiled.
ClassFileChoice ChooseClassFile(const char16_t* compiled, const char16_t* source) {
  const bool hasSource = SourceFileExists(source);
  if (!SourceFileExists(compiled)) return hasSource ? ClassFileChoice::kSource : ClassFileChoice::kNone;
  if (!hasSource) return ClassFileChoice::kCompiled;
  if (!gUseClassFiles) return ClassFileChoice::kSource;
  std::error_code error;
  const auto compiledTime = std::filesystem::last_write_time(platform::NativePath(compiled), error);
  const auto sourceTime = std::filesystem::last_write_time(platform::NativePath(source), error);
  if (!error && compiledTime >= sourceTime) return ClassFileChoice::kCompiled;
  Note(u"[VARNO] The class file %s is older than its source: the source is compiled", compiled);
  return ClassFileChoice::kSource;
}

}  // namespace

RTSuccess VarnoUseClassFiles(RTBool use) {
  gUseClassFiles = use != 0;
  return kRTSuccess;
}

RTSuccess VarnoEnableReplaceTypes(RTBool enable) {
  gReplaceTypes = enable != 0;
  return kRTSuccess;
}

bool ReplaceTypesEnabled() { return gReplaceTypes; }

RTSuccess VarnoParseBrellinAnsiFile(const char16_t* fileName, uint32_t* outType, RTVarnoTypeTable** outTable,
                                    RTVarnoTypeTable* table) {
  if (outType) *outType = kNoType;
  if (outTable) *outTable = table;
  if (!fileName) return kRTFailure;

  // The stem is the name up to its (last) ".varno"; the compiled file is the stem with ".varnoc".
  const std::u16string file(fileName);
  const size_t extension = file.rfind(kSourceExtension);
  if (extension == std::u16string::npos) {
    Raise(u"[VARNO] Not a Varno class file name: %s", fileName);
    return kRTFailure;
  }
  char16_t compiled[kMessageUnits];
  if (!kivo::FormatTo(compiled, kMessageUnits, u"%s.%s", file.substr(0, extension), kCompiledExtension)) {
    Raise(u"[VARNO] Class file name too long: %s", fileName);
    return kRTFailure;
  }

  // The compiled file of the same stem is read in place of its source when it is at least as new;
  // a failed read fails the call.
  // (The name given may be the class file itself; its source is then the stem's ".varno".)
  const std::u16string source =
      file == compiled ? file.substr(0, extension) + std::u16string(kSourceExtension) : file;
  switch (ChooseClassFile(compiled, source.c_str())) {
    case ClassFileChoice::kCompiled:
      Note(u"[VARNO] Reading the class file %s", compiled);
      return LoadCompiledClass(compiled, outType, outTable, table);
    case ClassFileChoice::kSource:
      break;
    case ClassFileChoice::kNone:
      return kRTFailure;
  }

  Scanner& scanner = ProcessScanner();
  if (!CurrentParseContext() && ParserErrorFlag()) {
    scanner.ResetScanner();
    SetParserErrorFlag(false);
    return kRTFailure;
  }
  scanner.set_line(1);

  ParseContext* context = ParseContextCreate();
  if (!context) return kRTFailure;
  RTVarnoTypeTable* own = nullptr;
  if (!table && !TypeTableFactory(&own)) {
    ParseContextFree(context);
    return kRTFailure;
  }
  context->table = table ? table : own;
  context->fileName = CopyText(source.c_str());
  if (!context->fileName || !OpenSourceFile(&context->input, source.c_str())) {
    if (context->fileName) Raise(u"[VARNO] Compiler couldn't open brellin ANSI file specified");
    ParseContextFree(context);
    TypeTableDestructor(own);
    return kRTFailure;
  }

  const bool parsed = RunParser(context);
  CloseSourceFile(&context->input);
  uint32_t index = kNoType;
  RTVarnoType* type = nullptr;
  const bool registered = parsed && context->currentClass &&
                          TypeTableRetrieveTypeIdxByName(context->table, context->currentClass->name, &index) &&
                          TypeTableRetrieveTypeByIdx(context->table, index, &type);
  if (registered) {
    FreeText(type->compiledFileName);
    type->compiledFileName = CopyText(compiled);
  }
  ParseContextFree(context);
  if (!registered) {
    TypeTableDestructor(own);
    return kRTFailure;
  }
  if (outType) *outType = index;
  if (outTable) {
    *outTable = table ? table : own;
  } else {
    TypeTableDestructor(own);  // nobody could reach it
  }
  return kRTSuccess;
}

RTSuccess FindOrCompileType(RTVarnoTypeTable* table, const char16_t* name, RTVarnoType** out) {
  if (!out) return kRTFailure;
  *out = nullptr;
  if (!table || !name) return kRTFailure;
  if (TypeTableRetrieveTypeByName(table, name, out)) return kRTSuccess;

  char16_t path[kNameUnits];
  if (!VarnoFindClass(name, path, kNameUnits)) {
    Raise(u"Couldn't find attributes type!");
    return kRTFailure;
  }
  // The class's text gets a scanner buffer of its own, so that a parse that waits meanwhile keeps
  // its place.
  Scanner& scanner = ProcessScanner();
  if (!scanner.PushIncludeFile()) return kRTFailure;
  const size_t pushed = scanner.saved_buffer_count();
  const int32_t line = scanner.line();
  uint32_t index = kNoType;
  const RTSuccess compiled = VarnoParseBrellinAnsiFile(path, &index, nullptr, table);
  scanner.set_line(line);
  if (!compiled) {
    if (scanner.saved_buffer_count() == pushed) scanner.PopIncludeFile();
    Raise(u"Couldn't parse VARNO file");
    return kRTFailure;
  }
  return TypeTableRetrieveTypeByIdx(table, index, out);
}

RTSuccess ParseInteractiveExpression(RTVarnoTypeTable* table, RTVarnoType* scopeClass, kivo::List* declarations,
                                     const char* text, size_t length, SyntaxNode** outTree) {
  if (!outTree) return kRTFailure;
  *outTree = nullptr;
  if (!text) return kRTFailure;
  ProcessScanner().set_line(1);
  ParseContext* context = ParseContextCreate();
  if (!context) return kRTFailure;
  context->declarations = declarations;
  context->borrowedDeclarations = declarations ? 1 : 0;
  context->table = table;
  context->currentClass = scopeClass;
  SetSourceText(&context->input, text, length);

  const bool parsed = RunParser(context);
  if (parsed) {
    *outTree = context->tree;
    context->tree = nullptr;
  }
  ParseContextFree(context);
  return parsed ? kRTSuccess : kRTFailure;
}

}  // namespace varno
