#include "pcsearch/block_kernels.h"

namespace sorvane {

bool KernelLevelSupported(KernelLevel level) {
  switch (level) {
    case KernelLevel::Scalar: return true;
#if defined(SORVANE_X86_KERNELS)
    case KernelLevel::Ssse3: return __builtin_cpu_supports("ssse3");
    case KernelLevel::Avx2: return __builtin_cpu_supports("avx2");
#else
    case KernelLevel::Ssse3:
    case KernelLevel::Avx2: return false;
#endif
  }
  return false;
}

KernelLevel BestKernelLevel() {
  if (KernelLevelSupported(KernelLevel::Avx2)) return KernelLevel::Avx2;
  if (KernelLevelSupported(KernelLevel::Ssse3)) return KernelLevel::Ssse3;
  return KernelLevel::Scalar;
}

BlockKernels KernelsFor(KernelLevel level) {
  // A level the processor cannot run falls back to the scalar loops rather than
  // crash on an unknown instruction.
  if (!KernelLevelSupported(level)) return ScalarBlockKernels();
#if defined(SORVANE_X86_KERNELS)
  if (level == KernelLevel::Avx2) return Avx2BlockKernels();
  if (level == KernelLevel::Ssse3) return Ssse3BlockKernels();
#endif
  return ScalarBlockKernels();
}

std::string_view KernelLevelName(KernelLevel level) {
  switch (level) {
    case KernelLevel::Scalar: return "scalar";
    case KernelLevel::Ssse3: return "ssse3";
    case KernelLevel::Avx2: return "avx2";
  }
  return "?";
}

}  // namespace sorvane
