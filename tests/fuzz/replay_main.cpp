// The replay program of a fuzz target, built where libFuzzer is not: runs the target once over
// every file named and every file of the folders named (in name order), printing each file's name
// before its run so that a crash names the input. Exit status 0 when every input ran, 2 when an
// argument names nothing readable or no input at all.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

bool AddInputs(const fs::path& named, std::vector<fs::path>& inputs) {
  std::error_code error;
  if (fs::is_regular_file(named, error)) {
    inputs.push_back(named);
    return true;
  }
  if (!fs::is_directory(named, error)) return false;
  std::vector<fs::path> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(named, error)) {
    if (entry.is_regular_file(error)) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  inputs.insert(inputs.end(), files.begin(), files.end());
  return !error;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    if (!AddInputs(argv[i], inputs)) {
      std::fprintf(stderr, "replay: %s: no such file or folder\n", argv[i]);
      return 2;
    }
  }
  if (inputs.empty()) {
    std::fprintf(stderr, "usage: %s <file or corpus folder>... (no input found)\n", argc > 0 ? argv[0] : "replay");
    return 2;
  }
  for (const fs::path& input : inputs) {
    std::fprintf(stderr, "replay: %s\n", input.c_str());
    std::ifstream file(input, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (!file.good() && !file.eof()) {
      std::fprintf(stderr, "replay: %s: cannot be read\n", input.c_str());
      return 2;
    }
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  }
  std::fprintf(stderr, "replay: %zu inputs ran\n", inputs.size());
  return 0;
}
