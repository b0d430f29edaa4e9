// Renders an expression as text, for the conditions of state transitions: "a == 1",
// "not done", "count + 1.500000". Operators, identifiers, constants and "not" render; any other
// node cannot be rendered.
#pragma once

#include <string>

#include "kivo/types.h"

namespace varno {

struct SyntaxNode;

// Renders the node into a new memory stream instance holding one UTF-16 text and its
// terminator; the caller releases it. A null node succeeds with no stream (out null). A node with
// more than 128 children fails with a report; a node that cannot be rendered fails silently.
RTSuccess RTVarnoSyntaxNodePrinter(const SyntaxNode* node, RTInstance* out);

// The text a printer stream holds; "" for no stream.
std::u16string PrinterStreamText(RTInstance stream);

}  // namespace varno
