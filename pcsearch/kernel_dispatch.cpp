#include "pcsearch/block_kernels.h"

namespace sorvane {

bool KernelLevelSupported(KernelLevel level) {
  switch (level) {
    case KernelLevel::Scalar: return true;
#if defined(SORVANE_X86_KERNELS)
    case KernelLevel::Ssse3: return __builtin_cpu_supports("ssse3");
    case KernelLevel::Avx2: return __builtin_cpu_supports("avx2");
    case KernelLevel::Avx512:
      return __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vbmi2");
#else
    case KernelLevel::Ssse3:
    case KernelLevel::Avx2:
    case KernelLevel::Avx512: return false;
#endif
  }
  return false;
}

KernelLevel BestKernelLevel() {
  if (KernelLevelSupported(KernelLevel::Avx512)) return KernelLevel::Avx512;
  if (KernelLevelSupported(KernelLevel::Avx2)) return KernelLevel::Avx2;
  if (KernelLevelSupported(KernelLevel::Ssse3)) return KernelLevel::Ssse3;
  return KernelLevel::Scalar;
}

BlockKernels KernelsFor(KernelLevel level) {
  // A level the processor cannot run falls back to the scalar loops rather than
  // crash on an unknown instruction.
  if (!KernelLevelSupported(level)) return ScalarBlockKernels();
#if defined(SORVANE_X86_KERNELS)
  if (level == KernelLevel::Avx512) return Avx512BlockKernels();
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
    case KernelLevel::Avx512: return "avx512";
  }
  return "?";
}

}  // namespace sorvane
