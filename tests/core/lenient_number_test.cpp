#include "core/lenient_number.h"

#include <gtest/gtest.h>

#include <climits>

namespace sorvane {
namespace {

TEST(ParseLenientInt, ReadsLikeTheCLibraryAndClampsOverflow) {
  const struct {
    const char* text;
    int expected;
  } cases[] = {
      {"", 0},          {"42", 42},       {"  \t42", 42},   {"+7", 7},
      {"-3", -3},       {"12abc", 12},    {"abc", 0},       {"- 5", 0},
      {"42\r", 42},     {"0007", 7},      {"2147483647", INT_MAX},
      {"2147483648", INT_MAX},            {"-2147483648", INT_MIN},
      {"-2147483649", INT_MIN},           {"99999999999999999999999", INT_MAX},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseLenientInt(c.text), c.expected) << '"' << c.text << '"';
}

}  // namespace
}  // namespace sorvane
