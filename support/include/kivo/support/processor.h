// What the processor runs, asked once per library.
#pragma once

namespace kivo {

// Whether the processor (and the system) runs AVX2 and FMA.
bool ProcessorHasAvx2();

// ProcessorHasAvx2(), kept as the library starts for the inline math that picks its AVX2 versions
// by it. It is false until then, which picks the extended versions: both give the same floats.
extern bool gAvx2;

}  // namespace kivo
