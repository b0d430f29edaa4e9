#include "raised_messages.h"

#include <cstdio>
#include <string>

#include "kivo/support/raise.h"
#include "platform/utf.h"
#include "tool_frame.h"

namespace tesk {

namespace {

RTSuccess (*gCoreRaiseError)(RTInstance, const char16_t*, uint32_t) = nullptr;
bool gPrint = false;
bool gCompiling = false;
std::string gLastPrinted;

RTSuccess PrintAndRaise(RTInstance context, const char16_t* text, uint32_t level) {
  if (text && gPrint && level >= kivo::kLevelError) {
    std::string line = platform::ToUtf8(text);
    if (line.empty() || line.back() != '\n') line += '\n';
    if (!gCompiling || line != gLastPrinted) PrintError("%s", line.c_str());
    gLastPrinted = line;
  }
  return gCoreRaiseError(context, text, level);
}

}  // namespace

RaisedMessages::RaisedMessages(CoreTable& core) : core_(core) {
  gCoreRaiseError = core.RaiseError;
  core.RaiseError = PrintAndRaise;
}

RaisedMessages::~RaisedMessages() { core_.RaiseError = gCoreRaiseError; }

void RaisedMessages::Print(bool on) { gPrint = on; }

void RaisedMessages::Compiling(bool on) {
  gCompiling = on;
  gLastPrinted.clear();
}

}  // namespace tesk
