// What the processor runs, asked once per library.
#pragma once

namespace kivo {

// Whether the processor (and the system) runs AVX2 and FMA.
bool ProcessorHasAvx2();

}  // namespace kivo
