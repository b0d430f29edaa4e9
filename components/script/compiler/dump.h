// Readable renderings of syntax trees and type tables (the varnoc tool's --dump, and tests).
//
// A tree renders as nested lists: "(Kind name children...)"; an identifier is its name, a
// constant its literal, a missing child "-"; a statement list renders flat as
// "(Statements s1 s2 ...)".
#pragma once

#include <string>

namespace varno {

struct RTVarnoType;
struct RTVarnoTypeTable;
struct SyntaxNode;

// The name of a type code: "null", "code" and "database" for 11 to 13 (what the codes mean, not
// the table's names at those indexes), else the table's name of the index, or "#index".
std::u16string TypeCodeName(const RTVarnoTypeTable* table, uint32_t type);
// Kind name without its prefix ("Add" for eSNAdd), or "Kind<n>".
std::u16string NodeKindName(uint8_t kind);

// On one line.
std::u16string DumpSyntaxTree(const SyntaxNode* node, const RTVarnoTypeTable* table = nullptr);
// Statements and blocks one per line, indented by `indent` spaces and more for nested blocks.
std::u16string DumpSyntaxTreeIndented(const SyntaxNode* node, const RTVarnoTypeTable* table, int indent);

// A class: header, attributes, constants, methods (with their trees when `trees`).
std::u16string DumpType(const RTVarnoTypeTable* table, const RTVarnoType* type, bool trees);
// Every script class of the table in index order.
std::u16string DumpTypeTable(const RTVarnoTypeTable* table, bool trees);

}  // namespace varno
