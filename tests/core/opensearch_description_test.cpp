// Reading OpenSearch descriptions: the HTML template and the name, and nothing
// from a file that is not safe or not a description.

#include <gtest/gtest.h>

#include "core/opensearch_description.h"

namespace sorvane {
namespace {

std::string Description(const std::string& body) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<OpenSearchDescription xmlns=\"http://a9.com/-/spec/opensearch/1.1/\">\n" +
         body + "</OpenSearchDescription>\n";
}

TEST(OpenSearchDescription, TakesTheFirstHtmlResultsTemplateFetchedWithGet) {
  const std::string xml = Description(
      "  <ShortName>  Wiby  </ShortName>\n"
      "  <Url type=\"application/x-suggestions+json\" template=\"https://wiby.me/suggest?q={searchTerms}\"/>\n"
      "  <Url type=\"text/html\" method=\"post\" template=\"https://wiby.me/post\"/>\n"
      "  <Url type=\"text/html\" rel=\"suggestions\" template=\"https://wiby.me/s?q={searchTerms}\"/>\n"
      "  <Url type=\"text/html\" method=\"GET\" template=\"https://wiby.me/?q={searchTerms}&amp;p={startPage?}\"/>\n"
      "  <Url type=\"text/html\" template=\"https://other.example/?q={searchTerms}\"/>\n");
  std::string error;
  const auto description = ReadOpenSearchDescription(xml, error);
  ASSERT_TRUE(description.has_value()) << error;
  EXPECT_EQ(description->shortName, "Wiby");
  EXPECT_EQ(description->htmlTemplate, "https://wiby.me/?q={searchTerms}&p={startPage?}");
}

TEST(OpenSearchDescription, RefusesWhatIsNotASafeUsableDescription) {
  struct Case {
    std::string name;
    std::string xml;
  };
  const std::vector<Case> cases = {
      {"not XML", "<OpenSearchDescription><ShortName>x</Short"},
      {"another document", "<?xml version=\"1.0\"?><rss><Url type=\"text/html\" template=\"https://e/?q={searchTerms}\"/></rss>"},
      {"no html template", Description("<Url type=\"application/rss+xml\" template=\"https://e/?q={searchTerms}\"/>")},
      {"no place for the words", Description("<Url type=\"text/html\" template=\"https://e/?q=fixed\"/>")},
      // Entities could reach out to files or expand without end: a document
      // type is refused before anything is parsed.
      {"external entity",
       "<?xml version=\"1.0\"?><!DOCTYPE d [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>"
       "<OpenSearchDescription><Url type=\"text/html\" template=\"https://e/?q={searchTerms}&amp;x=&x;\"/>"
       "</OpenSearchDescription>"},
      {"entity expansion",
       "<?xml version=\"1.0\"?><!DOCTYPE d [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;\">]>"
       "<OpenSearchDescription><ShortName>&b;</ShortName></OpenSearchDescription>"},
      {"too large", Description(std::string(kMaxOpenSearchBytes, ' '))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string error;
    EXPECT_FALSE(ReadOpenSearchDescription(c.xml, error).has_value());
    EXPECT_FALSE(error.empty());
  }
}

TEST(OpenSearchDescription, ANameWithLineBreaksFitsOneLineOfTheStore) {
  std::string error;
  const auto description = ReadOpenSearchDescription(
      Description("<ShortName>Two\nLines</ShortName><Url type=\"text/html\" template=\"https://e/?q={searchTerms}\"/>"),
      error);
  ASSERT_TRUE(description.has_value()) << error;
  EXPECT_EQ(description->shortName, "Two Lines");
}

}  // namespace
}  // namespace sorvane
