// varnoc: the Varno compiler on the command line. It starts the Kivo core named by the registry
// (the compiler keeps its records in core memory and uses the core's stream instances), compiles
// the classes it is given with the classes they name, and prints what the compiler reports.
//
//   varnoc [-I <folder>]... [--dump] <file.varno | ClassName>...
//
// A class name (an argument without ".varno") is looked up on the search paths. Every message the
// compiler raises is printed to standard error as the system writes it ("[PARSE ERROR] ... in
// file: ..., on line: ..."); --dump prints the classes of the type table with their syntax trees.
// The core's own debug output goes to $TESK_DEBUG_LOG when that is set and is dropped otherwise.
// Exit status: 0 compiled, 1 a class did not compile, 2 bad arguments or no core.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "compiler/compile_driver.h"
#include "compiler/dump.h"
#include "compiler/report.h"
#include "compiler/search_paths.h"
#include "compiler/type_table.h"
#include "kivo/core_table.h"
#include "kivo/support/module_core.h"
#include "platform/dynamic_library.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "platform/utf.h"

namespace {

struct Options {
  std::vector<std::string> searchPaths;
  std::vector<std::string> classes;
  bool dump = false;
};

void PrintUsage() {
  std::fprintf(stderr, "usage: varnoc [-I <folder>]... [--dump] <file.varno | ClassName>...\n");
}

bool ParseArguments(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--dump") {
      options.dump = true;
    } else if (argument == "-I") {
      if (++i >= argc) return false;
      options.searchPaths.push_back(argv[i]);
    } else if (argument.rfind("-I", 0) == 0) {
      options.searchPaths.push_back(argument.substr(2));
    } else if (argument.empty() || argument[0] == '-') {
      return false;
    } else {
      options.classes.push_back(argument);
    }
  }
  return !options.classes.empty();
}

// While compiling, every message raised through the core table is also printed; the core's own
// function records it in the error log as before. (The search paths, which are raised as they are
// added, are not printed.)
RTSuccess (*gCoreRaiseError)(RTInstance, const char16_t*, uint32_t) = nullptr;
bool gPrintMessages = false;

RTSuccess PrintAndRaise(RTInstance context, const char16_t* text, uint32_t level) {
  if (text && gPrintMessages) {
    std::string line = platform::ToUtf8(text);
    if (line.empty() || line.back() != '\n') line += '\n';
    std::fputs(line.c_str(), stderr);
  }
  return gCoreRaiseError(context, text, level);
}

class Core {
 public:
  bool Start() {
    std::u16string root;
    if (platform::ReadRegistryValue(u"HKEY_LOCAL_MACHINE\\Software\\Ostrawen\\Kivo\\1.0", u"Root", 512, root) !=
        platform::RegistryResult::kOk) {
      std::fprintf(stderr, "varnoc: no Kivo Root in %s\n", platform::RegistryFilePath().c_str());
      return false;
    }
    const auto corePath = platform::NativePath(root + u"core/kivocore.so");
    library_ = platform::OpenLibrary(corePath);
    if (!library_) {
      std::fprintf(stderr, "varnoc: %s\n", platform::LastLibraryError().c_str());
      return false;
    }
    auto startup = reinterpret_cast<RTSuccess (*)(CoreTable*)>(platform::FindSymbol(library_, "_StartupKivo"));
    shutdown_ = reinterpret_cast<RTSuccess (*)()>(platform::FindSymbol(library_, "_ShutdownKivo"));
    if (!startup || !shutdown_) {
      std::fprintf(stderr, "varnoc: %s is not a Kivo core\n", corePath.c_str());
      return false;
    }
    table_.size = sizeof table_;
    table_.version = kCoreVersion;
    if (!startup(&table_)) {
      std::fprintf(stderr, "varnoc: the core did not start\n");
      return false;
    }
    started_ = true;
    gCoreRaiseError = table_.RaiseError;
    table_.RaiseError = PrintAndRaise;
    kivo::SetModuleCore(&table_);
    return true;
  }

  ~Core() {
    if (started_) {
      table_.RaiseError = gCoreRaiseError;
      shutdown_();
    }
    // The core library stays loaded until the process ends, as it does for the program.
  }

 private:
  platform::LibraryHandle library_ = nullptr;
  RTSuccess (*shutdown_)() = nullptr;
  CoreTable table_{};
  bool started_ = false;
};

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

int Compile(const Options& options) {
  for (std::string path : options.searchPaths) {
    if (path.empty() || path.back() != '/') path += '/';
    if (!varno::AddSearchPath(platform::FromUtf8(path).c_str())) return 2;
  }
  varno::RTVarnoTypeTable* table = nullptr;
  if (!varno::TypeTableFactory(&table)) return 2;
  gPrintMessages = true;

  int status = 0;
  for (const std::string& argument : options.classes) {
    std::u16string file;
    uint32_t index = 0;
    if (!SourceOf(argument, file) || !varno::VarnoParseBrellinAnsiFile(file.c_str(), &index, nullptr, table)) {
      std::fprintf(stderr, "varnoc: %s: not compiled\n", argument.c_str());
      status = 1;
    }
  }
  if (status == 0 && !varno::TypeTableResolveParents(table)) {
    std::fprintf(stderr, "varnoc: the class hierarchy does not resolve\n");
    status = 1;
  }
  gPrintMessages = false;
  if (options.dump) std::fputs(platform::ToUtf8(varno::DumpTypeTable(table, true)).c_str(), stdout);
  varno::TypeTableDestructor(table);
  varno::ClearSearchPaths();
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseArguments(argc, argv, options)) {
    PrintUsage();
    return 2;
  }
  if (!std::getenv("TESK_DEBUG_LOG")) setenv("TESK_DEBUG_LOG", "/dev/null", 1);
  Core core;
  if (!core.Start()) return 2;
  return Compile(options);
}
