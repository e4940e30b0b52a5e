#include "core/address_template.h"

#include <gtest/gtest.h>

namespace sorvane {
namespace {

using Args = AddressTemplate::Arguments;

std::string Format(std::string_view pattern, AddressTemplate::Arguments arguments) {
  return AddressTemplate().AppendPattern(pattern).Format(arguments).Text();
}

TEST(AddressTemplate, PlacesEachArgumentOnceAndCopiesEverythingElse) {
  const struct {
    const char* pattern;
    AddressTemplate::Arguments arguments;
    const char* expected;
  } cases[] = {
      {"p=%d", Args::Number(7), "p=7"},
      {"p=%d", Args::Number(-2), "p=-2"},
      {"q=%s", Args::Text("boats"), "q=boats"},
      {"q=%s&p=%d", Args::TextAndNumber("a", 3), "q=a&p=3"},
      {"p=%d&q=%s", Args::TextAndNumber("a", 3), "p=3&q=a"},
      {"100%%", Args::None(), "100%"},
      {"%%d", Args::Number(5), "%d"},          // one pass turns it into a placeholder
      {"a=%d&b=%d", Args::Number(1), "a=1&b=%d"},  // no second number: copied
      {"q=%s", Args::Number(1), "q=%s"},        // no text supplied: copied
      {"%5d %ld %x %", Args::Number(9), "%5d %ld %x %"},
      {"%", Args::Number(1), "%"},
      {"%%%", Args::None(), "%%"},
  };
  for (const auto& c : cases) EXPECT_EQ(Format(c.pattern, c.arguments), c.expected) << c.pattern;
}

TEST(AddressTemplate, LiteralTextIsNeverAPlaceholder) {
  AddressTemplate address;
  address.AppendPattern("q=").AppendLiteral("50%d%s%%").AppendPattern("&n=%d");
  EXPECT_EQ(address.Format(Args::TextAndNumber("x", 4)).Text(), "q=50%d%s%%&n=4");
  EXPECT_FALSE(address.PatternContains("%s"));
  EXPECT_TRUE(address.PatternContains("%d"));
}

TEST(AddressTemplate, WhatAPassPutsInStaysLiteralForTheNextPass) {
  const AddressTemplate once = AddressTemplate().AppendPattern("q=%s&p=%%d").Format(Args::Text("100%d"));
  EXPECT_EQ(once.Text(), "q=100%d&p=%d");
  EXPECT_EQ(once.Format(Args::Number(7)).Text(), "q=100%d&p=7");
}

}  // namespace
}  // namespace sorvane
