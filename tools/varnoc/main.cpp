// varnoc: the Varno compiler on the command line. It starts the Kivo core named by the registry
// (the compiler keeps its records in core memory and uses the core's stream instances), compiles
// the classes it is given with the classes they name, checks them and generates their code, and
// prints what the compiler reports; with -o it writes compiled class files.
//
// A class name (an argument without ".varno") is looked up in the class folders: the -I folders,
// the folders of the files named, then the game key's "Varno Paths". Every message the compiler
// raises is printed to standard error as the system writes it ("[PARSE ERROR] ... in file: ...,
// on line: ...", "[SYNTAX ERROR] ..."; a report raised twice in a row is printed once). --dump
// prints the classes of the type table with their syntax trees as parsed; --disasm prints the
// code of every method ("== Class.Method", the instructions, then "-- lines" and the line table).
// -o with a folder (one that exists, or a path ending with "/") writes every class of the type
// table, those given and those compiled on their behalf, as <folder>/<Class>.varnoc; -o with any
// other path writes the one class given to that file. With -o every class is compiled from its
// source (a class file is read only for a class that has none). Exit status: 0 compiled (and
// written), 1 a class did not compile or check or a class file was not written, 2 bad arguments
// or no core.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "classfile/class_file_writer.h"
#include "codegen/disassembler.h"
#include "codegen/generate_code.h"
#include "codegen/methods_parent.h"
#include "compiler/compile_driver.h"
#include "compiler/dump.h"
#include "compiler/report.h"
#include "compiler/search_paths.h"
#include "compiler/type_codes.h"
#include "compiler/type_table.h"
#include "class_folders.h"
#include "core_session.h"
#include "kivo/core_table.h"
#include "platform/utf.h"
#include "raised_messages.h"
#include "tool_frame.h"

namespace {

struct Options {
  std::vector<std::string> searchPaths;
  std::vector<std::string> classes;
  std::string output;  // -o: a class file, or a folder for every class
  bool outputFolder = false;
  bool dump = false;
  bool disasm = false;
};

constexpr tesk::ToolText kText = {
    "usage: varnoc [--verbose] [-I <folder>]... [--dump] [--disasm] [-o <file | folder/>]"
    " <file.varno | ClassName>...\n",
    "Compiles Varno classes (with the classes they name) and checks them.\n"
    "  -I <folder>  a class folder, searched first; then the folders of the files named, then the\n"
    "               game's \"Varno Paths\" from the registry\n"
    "  --dump       the classes and their syntax trees\n"
    "  --disasm     the code of every method with its line table\n"
    "  -o <file>    writes the class given as a class file; -o <folder/> writes every class compiled\n"
    "  --verbose    the core's debug output on standard error (which class files are read)\n"
    "Exit status: 0 compiled, 1 a class did not compile or was not written, 2 bad arguments or no core.\n",
};

bool ParseArguments(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--dump") {
      options.dump = true;
    } else if (argument == "--disasm") {
      options.disasm = true;
    } else if (argument == "-I") {
      if (++i >= argc) return false;
      options.searchPaths.push_back(argv[i]);
    } else if (argument.rfind("-I", 0) == 0) {
      options.searchPaths.push_back(argument.substr(2));
    } else if (argument == "-o") {
      if (++i >= argc || !options.output.empty() || argv[i][0] == '\0') return false;
      options.output = argv[i];
    } else if (argument.empty() || argument[0] == '-') {
      return false;
    } else {
      options.classes.push_back(argument);
    }
  }
  if (options.classes.empty()) return false;
  if (!options.output.empty()) {
    std::error_code error;
    options.outputFolder = options.output.back() == '/' || std::filesystem::is_directory(options.output, error);
    // A single file holds one class.
    if (!options.outputFolder && options.classes.size() != 1) return false;
  }
  return true;
}

// A file argument as it is, or the file of a class name found on the search paths.
bool SourceOf(const std::string& argument, std::u16string& file) {
  if (argument.find(".varno") != std::string::npos) {
    file = platform::FromUtf8(argument);
    return true;
  }
  char16_t found[varno::kMessageUnits];
  if (!varno::VarnoFindClass(platform::FromUtf8(argument).c_str(), found, varno::kMessageUnits)) return false;
  file = found;
  return true;
}

// Every method of every class, in the order of declaration.
void PrintCode(const varno::RTVarnoTypeTable* table) {
  for (uint32_t i = varno::kFirstClassType; i < table->count; ++i) {
    const varno::RTVarnoType* type = table->types[i];
    std::vector<const varno::RTVarnoMethod*> methods;
    for (const varno::RTVarnoMethod* method : kivo::ListItems<varno::RTVarnoMethod>(type->methods)) {
      methods.insert(methods.begin(), method);
    }
    for (const varno::RTVarnoMethod* method : methods) {
      std::u16string text = u"== " + std::u16string(type->name) + u"." + method->displayName + u"\n";
      text += varno::DisassembleStream(method->code, {true});
      text += u"-- lines\n" + varno::ListLineTable(method->lineTable);
      std::fputs(platform::ToUtf8(text).c_str(), stdout);
    }
  }
}

// Writes the compiled classes as -o asks: the class given into the file, or every class of the
// table into the folder. False when one was not written (the writer has reported why).
bool WriteClassFiles(const Options& options, varno::RTVarnoTypeTable* table, uint32_t given) {
  if (!options.outputFolder) {
    if (varno::StreamOutClass(platform::FromUtf8(options.output).c_str(), table, table->types[given])) return true;
    tesk::PrintError("varnoc: %s: not written\n", options.output.c_str());
    return false;
  }
  std::error_code error;
  std::filesystem::create_directories(options.output, error);
  bool written = true;
  for (uint32_t i = varno::kFirstClassType; i < table->count; ++i) {
    varno::RTVarnoType* type = table->types[i];
    const std::string file =
        (std::filesystem::path(options.output) / (platform::ToUtf8(type->name) + ".varnoc")).string();
    if (!varno::StreamOutClass(platform::FromUtf8(file).c_str(), table, type)) {
      tesk::PrintError("varnoc: %s: not written\n", file.c_str());
      written = false;
    }
  }
  return written;
}

std::vector<std::string> NamedFiles(const Options& options) {
  std::vector<std::string> files;
  for (const std::string& argument : options.classes)
    if (argument.find(".varno") != std::string::npos) files.push_back(argument);
  return files;
}

int Compile(const Options& options, tesk::RaisedMessages& messages) {
  tesk::AddClassFolders("varnoc", options.searchPaths, NamedFiles(options),
                        [](const char16_t* folder) { return varno::AddSearchPath(folder) != 0; });
  // Class files written come from their sources.
  if (!options.output.empty()) varno::VarnoUseClassFiles(0);
  varno::RTVarnoTypeTable* table = nullptr;
  if (!varno::TypeTableFactory(&table)) return 2;
  messages.Print(true);
  messages.Compiling(true);

  int status = 0;
  uint32_t index = 0;  // of the last class given
  for (const std::string& argument : options.classes) {
    std::u16string file;
    if (!SourceOf(argument, file) || !varno::VarnoParseBrellinAnsiFile(file.c_str(), &index, nullptr, table)) {
      tesk::PrintError("varnoc: %s: not compiled\n", argument.c_str());
      status = 1;
    }
  }
  if (status == 0 && !varno::TypeTableResolveParents(table)) {
    tesk::PrintError("varnoc: the class hierarchy does not resolve\n");
    status = 1;
  }
  // The trees as parsed: code generation frees them.
  if (options.dump) std::fputs(platform::ToUtf8(varno::DumpTypeTable(table, true)).c_str(), stdout);
  if (status == 0 && !varno::TypeTableGenerateCode(table)) {
    tesk::PrintError("varnoc: code generation failed\n");
    status = 1;
  }
  if (status == 0 && !options.output.empty() && !WriteClassFiles(options, table, index)) status = 1;
  messages.Print(false);
  if (status == 0 && options.disasm) PrintCode(table);
  varno::TypeTableDestructor(table);
  varno::ClearSearchPaths();
  varno::ReleaseMethodsParent();
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  if (const auto done = tesk::StartTool(argc, argv, kText)) return *done;
  Options options;
  if (!ParseArguments(argc, argv, options)) return tesk::RefuseCommandLine(kText);
  std::string error;
  auto session = tesk::CoreSession::Start(&error);
  if (!session) {
    tesk::PrintError("varnoc: %s\n", error.c_str());
    return 2;
  }
  tesk::RaisedMessages messages(session->core());
  return Compile(options, messages);
}
