#include "kivo/support/processor.h"

namespace kivo {

bool ProcessorHasAvx2() {
  static const bool avx2 = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0 && __builtin_cpu_supports("fma") != 0;
  }();
  return avx2;
}

bool gAvx2 = ProcessorHasAvx2();

}  // namespace kivo
