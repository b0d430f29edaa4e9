// varno-run: compiles a Varno class and runs it. It starts the Kivo core named by the registry,
// compiles the class (and the classes it names) from the search paths, generates its code,
// creates its object, starts a context on it at "Switchboard" and runs the VM until the script
// ends the run.
//
//   varno-run [-I <folder>]... <file.varno | ClassName>
//
// What the script prints (and any trace it switches on) goes to standard output, a line per print;
// every message raised (compile errors, run-time errors with their file and line, the state dump)
// goes to standard error. The core's own debug output goes to $TESK_DEBUG_LOG when that is set and
// is dropped otherwise.
// Exit status: 0 the run ended (exit, or the entry method returned), 1 a run-time error ended it,
// 2 bad arguments, no core, or a class that does not compile.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "codegen/generate_code.h"
#include "codegen/methods_parent.h"
#include "compiler/compile_driver.h"
#include "compiler/report.h"
#include "compiler/search_paths.h"
#include "compiler/type_table.h"
#include "core_session.h"
#include "kivo/core_table.h"
#include "platform/utf.h"
#include "vm/vm.h"

namespace {

struct Options {
  std::vector<std::string> searchPaths;
  std::string entry;
};

void PrintUsage() { std::fprintf(stderr, "usage: varno-run [-I <folder>]... <file.varno | ClassName>\n"); }

bool ParseArguments(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "-I") {
      if (++i >= argc) return false;
      options.searchPaths.push_back(argv[i]);
    } else if (argument.rfind("-I", 0) == 0) {
      options.searchPaths.push_back(argument.substr(2));
    } else if (argument.empty() || argument[0] == '-' || !options.entry.empty()) {
      return false;
    } else {
      options.entry = argument;
    }
  }
  return !options.entry.empty();
}

// Messages go to standard error, the script's prints to standard output; the core still records
// both as before.
RTSuccess (*gCoreRaiseError)(RTInstance, const char16_t*, uint32_t) = nullptr;
RTSuccess (*gCoreDebugPrint)(RTInstance, const char16_t*) = nullptr;
bool gPrintMessages = false;  // off while the search paths are added (each is raised as a record)

void PrintLine(FILE* out, const char16_t* text) {
  std::string line = platform::ToUtf8(text);
  if (line.empty() || line.back() != '\n') line += '\n';
  std::fputs(line.c_str(), out);
}

RTSuccess PrintAndRaise(RTInstance context, const char16_t* text, uint32_t level) {
  if (text && gPrintMessages) PrintLine(stderr, text);
  return gCoreRaiseError(context, text, level);
}

RTSuccess PrintOutput(RTInstance context, const char16_t* text) {
  if (text) PrintLine(stdout, text);
  return gCoreDebugPrint(context, text);
}

class OutputRouting {
 public:
  explicit OutputRouting(CoreTable& core) : core_(core) {
    gCoreRaiseError = core.RaiseError;
    gCoreDebugPrint = core.DebugPrint;
    core.RaiseError = PrintAndRaise;
    core.DebugPrint = PrintOutput;
  }
  ~OutputRouting() {
    std::fflush(stdout);
    core_.RaiseError = gCoreRaiseError;
    core_.DebugPrint = gCoreDebugPrint;
  }

 private:
  CoreTable& core_;
};

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

int Run(varno::RTVarnoTypeTable* table, uint32_t index) {
  varno::RTVarnoVM* vm = nullptr;
  if (!varno::VarnoVMFactory(&vm)) return 2;
  varno::VarnoVMSetTypeTable(vm, table);
  int status = 1;
  varno::RTVarnoSymbol* object = nullptr;
  if (varno::ConstructScriptObject(vm, index, &object) && varno::VarnoVMSetNewContext(vm, object, u"Switchboard", 1)) {
    const uint32_t result = varno::VarnoVMRun(vm);
    status = result == varno::kRunError ? 1 : 0;
    if (result == varno::kRunError) std::fprintf(stderr, "varno-run: the run ended with result 0\n");
  } else {
    std::fprintf(stderr, "varno-run: the script could not be started\n");
  }
  varno::VarnoVMDestructor(vm);
  return status;
}

int CompileAndRun(const Options& options) {
  for (std::string path : options.searchPaths) {
    if (path.empty() || path.back() != '/') path += '/';
    if (!varno::AddSearchPath(platform::FromUtf8(path).c_str())) return 2;
  }
  gPrintMessages = true;
  varno::RTVarnoTypeTable* table = nullptr;
  if (!varno::TypeTableFactory(&table)) return 2;
  std::u16string file;
  uint32_t index = 0;
  int status = 2;
  if (!SourceOf(options.entry, file) || !varno::VarnoParseBrellinAnsiFile(file.c_str(), &index, nullptr, table)) {
    std::fprintf(stderr, "varno-run: %s: not compiled\n", options.entry.c_str());
  } else if (!varno::TypeTableGenerateCode(table)) {
    std::fprintf(stderr, "varno-run: %s: no code generated\n", options.entry.c_str());
  } else {
    status = Run(table, index);
  }
  // Objects first, then the classes they belong to.
  varno::VarnoVmShutdown();
  varno::TypeTableDestructor(table);
  varno::ReleaseMethodsParent();
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
  std::string error;
  auto session = tesk::CoreSession::Start(&error);
  if (!session) {
    std::fprintf(stderr, "varno-run: %s\n", error.c_str());
    return 2;
  }
  OutputRouting routing(session->core());
  return CompileAndRun(options);
}
