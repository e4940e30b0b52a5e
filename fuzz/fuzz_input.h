#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace sorvane::fuzz {

// Splits a fuzzer's bytes into fields separated by a zero byte, so one input can
// carry several texts (tokens, words, a page) and still mutate freely.
class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size)
      : rest_(reinterpret_cast<const char*>(data), size) {}

  // The next field; the last one takes everything left.
  std::string_view NextField() {
    const std::size_t end = rest_.find('\0');
    std::string_view field = rest_.substr(0, end);
    rest_ = end == std::string_view::npos ? std::string_view() : rest_.substr(end + 1);
    return field;
  }
  std::string_view Rest() {
    std::string_view all = rest_;
    rest_ = {};
    return all;
  }
  int NextSmallNumber(int limit) {
    if (rest_.empty()) return 0;
    const int value = static_cast<unsigned char>(rest_.front()) % limit;
    rest_.remove_prefix(1);
    return value;
  }

 private:
  std::string_view rest_;
};

// A broken invariant is a crash the fuzzer reports with its input.
#define FUZZ_CHECK(condition) \
  do {                        \
    if (!(condition)) __builtin_trap(); \
  } while (false)

}  // namespace sorvane::fuzz
