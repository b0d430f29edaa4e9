// The errors the core is told of, printed by a tool on standard error.
#pragma once

#include "kivo/core_table.h"

namespace tesk {

// While it lives, every error raised through the core table is also printed on standard error, a
// line each; the core records it as before. Notes (below the error level) stay in the debug
// output. While compiling, a report raised twice in a row (the checker raises each of its reports
// twice) is printed once. Printing starts off: the class folders are raised as records when they
// are added, and those are no errors.
class RaisedMessages {
 public:
  explicit RaisedMessages(CoreTable& core);
  ~RaisedMessages();
  RaisedMessages(const RaisedMessages&) = delete;
  RaisedMessages& operator=(const RaisedMessages&) = delete;

  void Print(bool on);
  void Compiling(bool on);

 private:
  CoreTable& core_;
};

}  // namespace tesk
