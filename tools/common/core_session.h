// Loading kivocore and starting it with a core table of our own, as a host does.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "kivo/core_table.h"

namespace tesk {

// The core library's three exports.
struct CoreExports {
  RTSuccess (*startup)(CoreTable*);
  RTSuccess (*shutdown)();
  RTSuccess (*registerEvents)();
};

// Loads the library (it stays loaded for the life of the process); false with a reason.
bool LoadCore(const std::filesystem::path& library, CoreExports* exports, std::string* error);

// A started core whose Kivo root comes from the registry; it is shut down with the session.
// The support library of the process allocates through it.
class CoreSession {
 public:
  static std::unique_ptr<CoreSession> Start(std::string* error);
  ~CoreSession();
  CoreSession(const CoreSession&) = delete;
  CoreSession& operator=(const CoreSession&) = delete;

  CoreTable& core() { return table_; }

 private:
  CoreSession() = default;
  CoreExports exports_{};
  CoreTable table_{};
};

}  // namespace tesk
