// varno-run: compiles a Varno class and runs it on the scripting component. It starts the Kivo
// core named by the registry, gets the RTVarno singleton and, through its slot table only, compiles
// the class (and the classes it names) from the class folders, generates its code, creates a VM
// and the class's object, starts a context on it at "Switchboard" and runs the VM. Contexts the
// script starts take turns with it; implemented methods reach whatever native components the
// framework root holds. The class folders are the -I folders, the folder of the file named, then
// the game key's "Varno Paths".
//
// The VM's host callback counts the passes over the contexts; with --passes the run ends after N
// of them (the callback returns 0 on the next one), and the count is reported on standard error.
// --save-after ends the run the same way and writes the VM's snapshot into the file; --load starts
// from a snapshot instead of a class (the classes it names are compiled from the class folders)
// and goes on where the saved run stopped: its output from then on is what the saved run would
// have printed next.
// What the script prints (and any trace it switches on) goes to standard output, a line per print;
// every message raised (compile errors, printed once, run-time errors with their file and line,
// the state dump) goes to standard error.
// Exit status: 0 the run ended (exit, the entry method returned, the last context stopped or the
// passes were used up; with --save-after, the passes were used up and the snapshot written), 1 a
// run-time error ended it (or a run to save ended early, or its snapshot could not be written), 2
// bad arguments, no core or scripting component, a class that does not compile, or a snapshot
// that cannot be read.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "class_folders.h"
#include "core_session.h"
#include "kivo/core_table.h"
#include "kivo/support/stream_calls.h"
#include "platform/utf.h"
#include "raised_messages.h"
#include "tool_frame.h"
#include "varno/scripting_calls.h"

namespace {

namespace calls = varno::scripting;

constexpr uint32_t kPathUnits = 512;

struct Options {
  std::vector<std::string> searchPaths;
  std::string entry;
  long passes = -1;  // no limit
  std::string saveTo;  // with the passes: the snapshot written when they are used up
  std::string load;    // the snapshot to start from
};

constexpr tesk::ToolText kText = {
    "usage: varno-run [--verbose] [-I <folder>]... [--passes <N> | --save-after <N> <snapshot>]"
    " <file.varno | ClassName>\n"
    "       varno-run [--verbose] [-I <folder>]... [--passes <N> | --save-after <N> <snapshot>]"
    " --load <snapshot>\n",
    "Compiles a Varno class and runs its Switchboard state; what the script prints goes to standard\n"
    "output, errors to standard error.\n"
    "  -I <folder>            a class folder, searched first; then the folder of the file named, then\n"
    "                         the game's \"Varno Paths\" from the registry\n"
    "  --passes <N>           ends the run after N passes of the scheduler\n"
    "  --save-after <N> <f>   after N passes writes the VM's snapshot into the file f\n"
    "  --load <f>             goes on from a snapshot instead of starting a class\n"
    "  --verbose              the core's debug output on standard error (which class files are read)\n"
    "Exit status: 0 the run ended, 1 a run-time error ended it, 2 bad arguments, no core, a class\n"
    "that does not compile or a snapshot that cannot be read.\n",
};

bool ParsePasses(const char* text, long* passes) {
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text, &end, 10);
  if (errno || end == text || *end || value < 0) return false;
  *passes = value;
  return true;
}

bool ParseArguments(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "-I") {
      if (++i >= argc) return false;
      options.searchPaths.push_back(argv[i]);
    } else if (argument.rfind("-I", 0) == 0) {
      options.searchPaths.push_back(argument.substr(2));
    } else if (argument == "--passes" || argument == "--save-after") {
      if (options.passes >= 0 || ++i >= argc || !ParsePasses(argv[i], &options.passes)) return false;
      if (argument == "--save-after") {
        if (++i >= argc || !*argv[i]) return false;
        options.saveTo = argv[i];
      }
    } else if (argument == "--load") {
      if (!options.load.empty() || ++i >= argc || !*argv[i]) return false;
      options.load = argv[i];
    } else if (argument.empty() || argument[0] == '-' || !options.entry.empty()) {
      return false;
    } else {
      options.entry = argument;
    }
  }
  // A class to start, or a snapshot to go on from.
  return options.entry.empty() != options.load.empty();
}

// The script's prints go to standard output; the core still records them as before. Off while a
// snapshot is read (its memory line is no output of the script).
RTSuccess (*gCoreDebugPrint)(RTInstance, const char16_t*) = nullptr;
bool gPrintOutput = true;

// A line at a time, so that prints and messages keep their order when both go to one file.
RTSuccess PrintOutput(RTInstance context, const char16_t* text) {
  if (text && gPrintOutput) {
    std::string line = platform::ToUtf8(text);
    if (line.empty() || line.back() != '\n') line += '\n';
    std::fputs(line.c_str(), stdout);
    std::fflush(stdout);
  }
  return gCoreDebugPrint(context, text);
}

class OutputRouting {
 public:
  explicit OutputRouting(CoreTable& core) : core_(core), messages_(core) {
    gCoreDebugPrint = core.DebugPrint;
    core.DebugPrint = PrintOutput;
  }
  ~OutputRouting() {
    std::fflush(stdout);
    core_.DebugPrint = gCoreDebugPrint;
  }

  tesk::RaisedMessages& messages() { return messages_; }

 private:
  CoreTable& core_;
  tesk::RaisedMessages messages_;
};

// The host callback: one call per pass over the contexts.
long gPasses = 0;
long gPassLimit = -1;
bool gPassesUsedUp = false;

int32_t CountPass(RTInstance) {
  if (gPassLimit >= 0 && gPasses >= gPassLimit) {
    gPassesUsedUp = true;
    return 0;
  }
  ++gPasses;
  return 1;
}

// A snapshot file through the file stream component: written (a file that replaces the old one
// only when the whole snapshot is in it) or read.
bool WithSnapshotFile(CoreTable& core, const std::string& file, uint32_t mode,
                      RTSuccess (*function)(RTInstance varno, RTInstance stream, calls::VM vm), RTInstance varno,
                      calls::VM vm) {
  RTInstance stream = nullptr;
  if (!core.CreateInstanceByString(nullptr, u"RTBrellinFileStream", &stream, 0, 0) || !stream) return false;
  const std::u16string path = platform::FromUtf8(std::filesystem::absolute(file).string());
  bool done = kivo::file_stream::Open(stream, path.c_str(), mode) && function(varno, stream, vm);
  calls::VNDestroyPatchTable(varno);
  if (done) done = kivo::stream::Close(stream);
  core.ReleaseInstance(nullptr, stream);
  return done;
}

// The scripting component and what was made through it, given back in order: contexts and VM,
// then the type table with its objects, then the component itself.
class Scripting {
 public:
  explicit Scripting(CoreTable& core) : core_(core) {
    core_.GetFirstInstanceByString(nullptr, calls::kClassName, &varno_, 1, nullptr);
  }
  ~Scripting() {
    if (!varno_) return;
    if (vm_) calls::VarnoVMDestructor(varno_, vm_);
    if (table_) calls::TypeTableDestructor(varno_, table_);
    core_.ReleaseInstance(nullptr, varno_);
  }
  Scripting(const Scripting&) = delete;
  Scripting& operator=(const Scripting&) = delete;

  RTInstance varno() const { return varno_; }
  calls::VM& vm() { return vm_; }
  calls::TypeTable& table() { return table_; }

 private:
  CoreTable& core_;
  RTInstance varno_ = nullptr;
  calls::VM vm_ = nullptr;
  calls::TypeTable table_ = nullptr;
};

bool SourceOf(RTInstance varno, const std::string& argument, std::u16string& file) {
  if (argument.find(".varno") != std::string::npos) {
    file = platform::FromUtf8(argument);
    return true;
  }
  char16_t found[kPathUnits];
  if (!calls::VarnoFindClass(varno, platform::FromUtf8(argument).c_str(), found, kPathUnits)) return false;
  file = found;
  return true;
}

// Starts the class's object at "Switchboard", or reads the snapshot into the VM.
int Start(CoreTable& core, Scripting& scripting, uint32_t index, const Options& options) {
  RTInstance varno = scripting.varno();
  calls::VM vm = scripting.vm();
  if (!options.load.empty()) {
    gPrintOutput = false;
    const bool loaded = WithSnapshotFile(core, options.load, kivo::file_stream::kReadExisting, calls::VNStreamIn,
                                         varno, vm);
    gPrintOutput = true;
    if (loaded) return 0;
    tesk::PrintError("varno-run: %s: the snapshot cannot be read\n", options.load.c_str());
    return 2;
  }
  calls::Symbol object = nullptr;
  if (!calls::VarnoVMConstructObject(varno, vm, index, &object) ||
      !calls::VarnoVMSetNewContext(varno, vm, object, u"Switchboard", 1)) {
    tesk::PrintError("varno-run: the script could not be started\n");
    return 1;
  }
  return 0;
}

int Run(CoreTable& core, Scripting& scripting, uint32_t index, const Options& options) {
  RTInstance varno = scripting.varno();
  if (!calls::VarnoVMFactory(varno, &scripting.vm())) return 2;
  calls::VM vm = scripting.vm();
  gPassLimit = options.passes;
  calls::VarnoVMSetTypeTable(varno, vm, scripting.table());
  calls::VarnoVMSetHostCallback(varno, vm, CountPass, nullptr);
  if (const int started = Start(core, scripting, index, options)) return started;
  const uint32_t result = calls::VarnoVMRun(varno, vm);
  std::fflush(stdout);
  if (options.passes >= 0) tesk::PrintError("varno-run: %ld passes\n", gPasses);
  if (result == calls::kRunError) {
    tesk::PrintError("varno-run: the run ended with an error\n");
    return 1;
  }
  if (options.saveTo.empty()) return 0;
  if (!gPassesUsedUp) {
    tesk::PrintError("varno-run: the run ended before its passes were used up: no snapshot written\n");
    return 1;
  }
  if (!WithSnapshotFile(core, options.saveTo, kivo::file_stream::kWriteNew, calls::VNStreamOut, varno, vm)) {
    tesk::PrintError("varno-run: %s: the snapshot cannot be written\n", options.saveTo.c_str());
    return 1;
  }
  return 0;
}

int CompileAndRun(CoreTable& core, const Options& options, tesk::RaisedMessages& messages) {
  Scripting scripting(core);
  RTInstance varno = scripting.varno();
  if (!varno) {
    tesk::PrintError("varno-run: no scripting component (RTVarno) in the framework root\n");
    return 2;
  }
  std::vector<std::string> named;
  if (options.entry.find(".varno") != std::string::npos) named.push_back(options.entry);
  tesk::AddClassFolders("varno-run", options.searchPaths, named,
                        [varno](const char16_t* folder) { return calls::AddSearchPath(varno, folder) != 0; });
  messages.Print(true);
  if (!calls::TypeTableFactory(varno, &scripting.table())) return 2;
  if (!options.load.empty()) return Run(core, scripting, 0, options);
  std::u16string file;
  uint32_t index = 0;
  calls::TypeTable made = nullptr;
  messages.Compiling(true);
  if (!SourceOf(varno, options.entry, file) ||
      !calls::VarnoParseBrellinAnsiFile(varno, file.c_str(), &index, &made, scripting.table())) {
    tesk::PrintError("varno-run: %s: not compiled\n", options.entry.c_str());
    return 2;
  }
  if (!calls::TypeTableGenerateCode(varno, scripting.table())) {
    tesk::PrintError("varno-run: %s: no code generated\n", options.entry.c_str());
    return 2;
  }
  messages.Compiling(false);
  return Run(core, scripting, index, options);
}

}  // namespace

int main(int argc, char** argv) {
  if (const auto done = tesk::StartTool(argc, argv, kText)) return *done;
  Options options;
  if (!ParseArguments(argc, argv, options)) return tesk::RefuseCommandLine(kText);
  std::string error;
  auto session = tesk::CoreSession::Start(&error);
  if (!session) {
    tesk::PrintError("varno-run: %s\n", error.c_str());
    return 2;
  }
  OutputRouting routing(session->core());
  return CompileAndRun(session->core(), options, routing.messages());
}
