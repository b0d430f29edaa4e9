// How deep the recursive walks over a syntax tree (checker, code generator, condition printer)
// may go. Statement lists are walked in loops and do not count; a tree nested deeper than this is
// refused by the checker.
#pragma once

namespace varno {

inline constexpr int kMostTreeNesting = 2000;

}  // namespace varno
